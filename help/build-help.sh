#!/usr/bin/env bash
# Rebuilds the compiled help files data/Help/help-<lang>.chm from the sources in help/src/<lang>/.
# Needs chmcmd (Debian package fp-utils), which is too large for CI: commit the rebuilt files.
#
# chmcmd stores each context's topic with the folder it compiled in, so every language is compiled
# in a fresh temporary folder rather than in the work tree; the help readers find the topic again
# from the end of that path.
#
# Usage: help/build-help.sh [language ...]     (default: en de fr)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
target="$here/../data/Help"
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(en de fr)

if ! command -v chmcmd >/dev/null; then
    echo "chmcmd not found: install the Debian package fp-utils" >&2
    exit 2
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/tintwright-help.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$target"

# What every help file must hold for the viewers: the contents, the index, the context map and the
# popup texts.
required() {
    local lang=$1
    printf '%s\n' "/#SYSTEM" "/#IVB" "/#STRINGS" "/help-$lang.hhc" "/help-$lang.hhk" "/CSHelp.txt" \
        "/index.htm"
}

for lang in "${languages[@]}"; do
    source="$here/src/$lang"
    if [ ! -f "$source/help-$lang.hhp" ]; then
        echo "$lang: no project file $source/help-$lang.hhp" >&2
        exit 1
    fi
    work="$scratch/$lang"
    cp -R "$source" "$work"
    log="$scratch/$lang.log"
    if ! (cd "$work" && chmcmd --no-html-scan "help-$lang.hhp") >"$log" 2>&1; then
        cat "$log" >&2
        echo "$lang: chmcmd failed" >&2
        exit 1
    fi
    if grep -qiE '^(error|warning)' "$log"; then
        cat "$log" >&2
        echo "$lang: chmcmd reported problems" >&2
        exit 1
    fi
    listing=$(chmls list --no-page "$work/help-$lang.chm" 2>/dev/null)
    while read -r entry; do
        if ! grep -qF -- " $entry" <<<"$listing"; then
            echo "$lang: $entry is missing from help-$lang.chm" >&2
            exit 1
        fi
    done < <(required "$lang")
    cp "$work/help-$lang.chm" "$target/help-$lang.chm"
    echo "$lang: $(stat -c %s "$target/help-$lang.chm") bytes in data/Help/help-$lang.chm"
done
