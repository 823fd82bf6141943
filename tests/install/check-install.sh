#!/usr/bin/env bash
# Checks the program as a desktop installs it: installs the build into a temporary prefix,
# validates the desktop file and the metainfo, registers the file types in a temporary data
# folder and asks xdg-mime for them, hands files over a private session bus (by the bus's own
# activation, by the launcher starting the editor itself, and by a plain Open call), and builds
# the Debian package and lists it. Ends with 77 when a tool it needs is missing.
#
# usage: check-install.sh <build folder> <tintwright_desktop_test_server>
set -euo pipefail

id=org.tintwright.tintwright
object=/org/tintwright/tintwright

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The polling helper the test scripts share.
source "$(dirname "${BASH_SOURCE[0]}")/../wait-for.sh"

log_is() {
    [ "$(cat "$1" 2>/dev/null)" = "$2" ]
}

expect_log() {
    wait_for 100 log_is "$1" "$2" || fail "$3: the editor was handed
$(cat "$1" 2>/dev/null)
instead of
$2"
}

# Ends the stand-in editor that owns the name on this bus, whoever started it.
stop_server() {
    gdbus call --session --dest "$id" --object-path /System --method org.tintwright.System.Execute \
        '[Quit]' >/dev/null 2>&1 || true
    wait_for 50 sh -c "! gdbus call --session --dest org.freedesktop.DBus --object-path / \
        --method org.freedesktop.DBus.NameHasOwner $id | grep -q true" ||
        fail "the stand-in editor did not end"
}

# The bus checks, run inside a private session bus (see below).
if [ "${1:-}" = --on-bus ]; then
    work=$2 prefix=$3 mode=$4
    case "$mode" in
    activation)
        # No copy runs: the bus starts the editor from its service file, and the launcher's call
        # is delivered once the editor has its name.
        "$prefix/bin/tintwright-open" "$work/night.clr" "$work/two words.cpf" ||
            fail "the launcher failed"
        expect_log "$work/activated.log" "activate
open $work/night.clr
open $work/two words.cpf" "bus activation through the launcher"

        # A plain call, as a desktop makes it for DBusActivatable programs: files in order,
        # other URLs passed over.
        gdbus call --session --dest "$id" --object-path "$object" \
            --method org.freedesktop.Application.Open \
            "['file://$work/one.clr', 'https://example.org/x.clr', 'file://$work/caf%C3%A9.cpf']" \
            '{}' >/dev/null || fail "Open was not answered"
        expect_log "$work/activated.log" "activate
open $work/night.clr
open $work/two words.cpf
activate
open $work/one.clr
open $work/café.cpf" "a direct Open call"
        if gdbus call --session --dest "$id" --object-path "$object" \
            --method org.freedesktop.Application.ActivateAction quit '[]' '{}' >/dev/null 2>&1; then
            fail "ActivateAction was accepted"
        fi
        stop_server
        ;;
    real-editor)
        # The installed editor itself, under a private X server with a window manager: files
        # from the desktop open in it, and its settings go to the user's configuration folder.
        openbox >/dev/null 2>&1 &
        sleep 0.5
        title="Tintwright for TomTom Navigator"
        "$prefix/bin/tintwright" >"$work/editor.log" 2>&1 &
        editor=$!
        wait_for 200 sh -c "xdotool search --onlyvisible --name '^$title\$' | grep -q ." ||
            fail "the installed editor shows no window: $(cat "$work/editor.log")"
        window=$(xdotool search --onlyvisible --name "^$title\$" | head -n 1)
        gdbus call --session --dest "$id" --object-path "$object" \
            --method org.freedesktop.Application.Open \
            "['file://$work/night.clr', 'file://$work/two%20words.cpf']" '{}' >/dev/null ||
            fail "the editor did not answer Open"
        wait_for 50 sh -c "xdotool search --onlyvisible --name '^night.clr - $title\$' | grep -q ." ||
            fail "Open did not open night.clr in the editor"
        wmctrl -i -c "$window"
        for ((i = 0; i < 100; i++)); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
        kill -0 "$editor" 2>/dev/null && fail "the editor did not end"
        settings=$HOME/.config/tintwright/tintwright.ini
        [ -f "$settings" ] || fail "no settings file in the configuration folder after closing"
        grep -q "DefaultPreview=$work/two words.cpf" "$settings" ||
            fail "the settings do not name the preview opened: $(cat "$settings")"
        [ ! -e "$prefix/bin/tintwright.ini" ] || fail "the installed editor wrote beside itself"
        ;;
    launcher-starts)
        # No service file for the name: the launcher starts the editor beside itself and waits.
        "$work/portable/tintwright-open" "$work/night.clr" || fail "the launcher failed"
        expect_log "$work/started.log" "activate
open $work/night.clr" "the launcher starting the editor"
        # A second call finds it running.
        "$work/portable/tintwright-open" || fail "the launcher failed"
        expect_log "$work/started.log" "activate
open $work/night.clr
activate" "the launcher finding the editor"
        stop_server
        ;;
    esac
    exit 0
fi

build=$(cd "$1" && pwd)
server=$2

skip() {
    echo "SKIP: $*"
    exit 77
}
for tool in desktop-file-validate:desktop-file-utils appstreamcli:appstream \
    update-mime-database:shared-mime-info xdg-mime:xdg-utils gio:libglib2.0-bin \
    gdbus:libglib2.0-bin dbus-run-session:dbus dbus-daemon:dbus cpack:cmake dpkg-deb:dpkg \
    dpkg-shlibdeps:dpkg-dev; do
    command -v "${tool%%:*}" >/dev/null || skip "${tool%%:*} is not installed (Debian package ${tool##*:})"
done
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"

work=$(mktemp -d "${TMPDIR:-/tmp}/tintwright-install-XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "== Installing into a temporary prefix"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$work/install.log")"
installed=(bin/tintwright bin/tintwright-open bin/tintwright-chm-reader share/tintwright/schemes/default.clr
    share/tintwright/previews/Preview.cpf share/tintwright/languages/English.clf
    share/tintwright/Help/help-en.chm share/applications/$id.desktop
    share/dbus-1/services/$id.service share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/tintwright.1.gz)
for size in 16 22 24 32 48 64 128 256; do
    installed+=("share/icons/hicolor/${size}x$size/apps/$id.png")
done
for file in "${installed[@]}"; do
    [ -s "$prefix/$file" ] || fail "$file was not installed"
done
[ -x "$prefix/bin/tintwright" ] && [ -x "$prefix/bin/tintwright-open" ] || fail "programs not executable"
others=$(find "$prefix/share/tintwright/Help" -type f ! -name '*.chm')
[ -z "$others" ] || fail "Help holds more than the .chm files: $others"
grep -qx "Exec=$prefix/bin/tintwright-open %F" "$prefix/share/applications/$id.desktop" ||
    fail "the desktop file does not start the launcher of this prefix"
grep -qx "Exec=$prefix/bin/tintwright" "$prefix/share/dbus-1/services/$id.service" ||
    fail "the service file does not start the editor of this prefix"

echo "== Validating the desktop file and the metainfo"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "appstreamcli validate"
grep -q "<release version=\"$version\" " "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "the metainfo does not name release $version"

echo "== Registering the file types"
data=$work/data
mkdir -p "$data/mime/packages"
cp "$prefix/share/mime/packages/$id.xml" "$data/mime/packages/"
update-mime-database "$data/mime" >/dev/null
printf '242,239,233 // Map background\r\n' >"$work/night.clr"
cp "$prefix/share/tintwright/previews/Preview.cpf" "$work/two words.cpf"
cp "$work/two words.cpf" "$work/preview-without-extension"
for row in "night.clr text/x-tomtom-colors" "two words.cpf application/x-tintwright-preview" \
    "preview-without-extension application/x-tintwright-preview"; do
    file=${row% *} expected=${row##* }
    # xdg-mime asks gio on GNOME; without a desktop it would ask file(1), which knows no
    # shared-mime-info package.
    type=$(XDG_DATA_HOME=$data XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP=GNOME \
        xdg-mime query filetype "$work/$file")
    [ "$type" = "$expected" ] || fail "xdg-mime calls $file \"$type\", not $expected"
done

echo "== Handing files over the session bus"
bus_config() {
    cat <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  $1
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
}
# The installed service file, pointed at the stand-in editor.
mkdir -p "$work/services"
sed "s|^Exec=.*|Exec=$server $work/activated.log|" "$prefix/share/dbus-1/services/$id.service" \
    >"$work/services/$id.service"
bus_config "<servicedir>$work/services</servicedir>" >"$work/activation.conf"
dbus-run-session --config-file="$work/activation.conf" -- "$0" --on-bus "$work" "$prefix" activation

mkdir -p "$work/portable"
cp "$prefix/bin/tintwright-open" "$work/portable/"
printf '#!/bin/sh\nexec "%s" "%s"\n' "$server" "$work/started.log" >"$work/portable/tintwright"
chmod +x "$work/portable/tintwright"
bus_config "" >"$work/plain.conf"
dbus-run-session --config-file="$work/plain.conf" -- "$0" --on-bus "$work" "$prefix" launcher-starts

echo "== Running the installed editor"
if command -v Xvfb >/dev/null && command -v openbox >/dev/null && command -v xdotool >/dev/null &&
    command -v wmctrl >/dev/null; then
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
    xvfb=$!
    wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
    mkdir -m 700 -p "$work/home" "$work/runtime"
    (
        export DISPLAY=":$(head -n 1 "$work/display")" HOME=$work/home XDG_RUNTIME_DIR=$work/runtime
        unset XDG_CONFIG_HOME
        dbus-run-session --config-file="$work/plain.conf" -- "$0" --on-bus "$work" "$prefix" real-editor
    ) || { kill "$xvfb"; exit 1; }
    kill "$xvfb"
else
    echo "(skipped: Xvfb, openbox, xdotool and wmctrl are needed)"
fi

echo "== Building the Debian package"
cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
deb=$work/package/tintwright_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work/package")"
dpkg-deb --info "$deb"
depends=$(dpkg-deb --field "$deb" Depends)
for package in libc6 libqt6widgets6 libqt6dbus6 zlib1g qt6-qpa-plugins libchm1; do
    [[ "$depends" == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
dpkg-deb --contents "$deb" | tee "$work/contents.txt"
for file in "${installed[@]}"; do
    grep -q " \./usr/$file\$" "$work/contents.txt" || fail "the package lacks /usr/$file"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop" |
    grep -qx "Exec=/usr/bin/tintwright-open %F" || fail "the package's desktop file"
echo "== The installed program checks out"
