#!/usr/bin/env bash
# Sets up a Debian 12 machine for Tintwright, builds it, and then either opens the editor on the
# shipped data (./build.sh run) or runs every test (./build.sh test). Safe to run again: it only
# installs what is missing and only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")"

mode="${1:-run}"
case "$mode" in
run | test) ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev zlib1g-dev
    libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core qt6-translations-l10n libchm-dev)
if [ "$mode" = test ]; then
    packages+=(xvfb xauth openbox wmctrl xdotool imagemagick x11-utils xclip dbus dbus-x11
        desktop-file-utils xdg-utils appstream shared-mime-info libglib2.0-bin dpkg-dev
        clang-format clang-14 libclang-rt-14-dev llvm-14 util-linux)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing ${missing[*]}"
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
if [ "$mode" = run ]; then
    [ -f build/build.ninja ] || cmake --preset default
    cmake --build build -j "$jobs"
    exec ./build/tintwright
fi

# Tests: formatting, a warning-free build with every test, the core again under the sanitizers,
# and a bounded run of every fuzz target.
echo "== Checking the formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== Building with warnings as errors"
# A build folder of its own, so the everyday build keeps its settings.
[ -f build-ci/build.ninja ] || cmake --preset ci
cmake --build build-ci -j "$jobs"
echo "== Running the tests"
ctest --test-dir build-ci --output-on-failure -j "$jobs"

echo "== Core tests under AddressSanitizer and UBSan"
[ -f build-sanitize/build.ninja ] || cmake --preset sanitize
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

if [ -f fuzz/CMakeLists.txt ]; then
    echo "== Fuzzing each target for a bounded time"
    [ -f build-fuzz/build.ninja ] || cmake --preset fuzz
    cmake --build build-fuzz -j "$jobs" --target tintwright_fuzzers
    fuzz/run-all.sh build-fuzz "${TINTWRIGHT_FUZZ_SECONDS:-30}"
fi
echo "== All tests passed"
