#!/usr/bin/env bash
# Runs every fuzz target for a bounded time over a scratch copy of its seed corpus (the committed
# corpus is never written) and fails on any crash, leak, sanitizer report, timeout or memory
# blow-up. Inputs that failed are kept in <build folder>/fuzz-findings/<target>/.
#
# Usage: fuzz/run-all.sh <build folder> <seconds per target>
# Reproduce a finding with: <build folder>/fuzz/<target> <input file>
set -euo pipefail

if [ $# -ne 2 ] || ! [[ $2 =~ ^[1-9][0-9]*$ ]] || [ ! -d "$1" ]; then
    echo "usage: $0 <build folder> <seconds per target>" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
corpus="$(cd "$(dirname "$0")" && pwd)/corpus"
findings="$build/fuzz-findings"
targets=(fuzz_scheme fuzz_profile fuzz_preview fuzz_screenshot fuzz_import_picture fuzz_language
    fuzz_macro fuzz_help fuzz_hint_format fuzz_color_text fuzz_legibility_text)

# In memory where possible: the profile target writes and syncs a file for every input.
scratchBase=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && scratchBase=/dev/shm
scratch=$(mktemp -d "$scratchBase/tintwright-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/tmp"

# Symbolised stack traces in the reports.
if symbolizer=$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer); then
    export ASAN_SYMBOLIZER_PATH="$symbolizer"
fi
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

failed=()
for target in "${targets[@]}"; do
    executable="$build/fuzz/$target"
    if [ ! -x "$executable" ]; then
        echo "$target: not built ($executable)" >&2
        failed+=("$target")
        continue
    fi
    work="$scratch/$target"
    mkdir -p "$work/artifacts"
    cp -R "$corpus/$target" "$work/corpus"
    log="$work/log"

    start=$(date +%s%N)
    status=0
    TMPDIR="$scratch/tmp" "$executable" -max_total_time="$seconds" -rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" >"$log" 2>&1 ||
        status=$?
    elapsed=$((($(date +%s%N) - start) / 1000000))

    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    problem=""
    if [ "$status" -ne 0 ]; then
        problem="exit status $status"
    elif grep -qE '==ERROR|^SUMMARY: |runtime error:|check failed:' "$log"; then
        problem="sanitizer or check report"
    elif compgen -G "$work/artifacts/*" >/dev/null; then
        problem="failing input written"
    fi
    printf '%-16s %12s executions in %4d.%01d s  %s\n' "$target" "${executions:-?}" \
        $((elapsed / 1000)) $((elapsed % 1000 / 100)) "${problem:-ok}"

    if [ -n "$problem" ]; then
        failed+=("$target")
        # The report: libFuzzer's own lines come last, the sanitizer's before them.
        grep -vE '^#[0-9]+[[:space:]]+(NEW|REDUCE|pulse|RELOAD)' "$log" | tail -n 80 | sed 's/^/    /'
        if compgen -G "$work/artifacts/*" >/dev/null; then
            mkdir -p "$findings/$target"
            cp "$work/artifacts/"* "$findings/$target/"
            echo "    failing inputs kept in $findings/$target/"
        fi
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
