#!/usr/bin/env bash
# The real shell in Polish and in English, read through the accessibility bus as a screen
# reader reads it: the window's title, the three tabs, the Programs tab's buttons and, on
# the Manual tab, the strip of the table of contents and the manual's search field.
#   shell-captions-test.sh SHELL
set -euo pipefail
shell=$1
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi
if [ -z "${TAVO_CAPTIONS_BUS:-}" ]; then
    export TAVO_CAPTIONS_BUS=1
    exec dbus-run-session -- "$0" "$@"
fi
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache TAVO_WINDOWS_DIR=$work/windows XDG_RUNTIME_DIR=$work/run
mkdir -p "$HOME" "$TAVO_WINDOWS_DIR" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM LANGUAGE LC_ALL LC_MESSAGES
# The reader component as the disc's reader installer would have put it in place.
export TAVO_PLUGIN_PATH=$(dirname "$shell")/plugins
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
failed=0
# The system's Python holds the accessibility bindings (python3-pyatspi).
python=/usr/bin/python3
[ -x "$python" ] || python=python3

# read LANG TAB: the names, into $work/LANG-TAB.txt. A second try when the shell never
# reached the bus: on a loaded machine it has at times found no X server to connect to.
read_names() {
    local try
    for try in 1 2; do
        LANG=$1 "$python" "$here/read-captions.py" "$shell" --tab "$2" >"$work/$1-$2.txt" \
            2>"$work/$1-$2.log" && return 0
        cat "$work/$1-$2.log" >&2
    done
    return 1
}

# expect FILE LINE...: each "ROLE<TAB>NAME" is among the names read.
expect() {
    local file=$1 line
    shift
    for line in "$@"; do
        if ! grep -qxF "$line" "$file"; then
            echo "FAIL: $(basename "$file" .txt) has no ${line/$'\t'/ named }" >&2
            failed=1
        fi
    done
}

t=$'\t'
read_names pl_PL.UTF-8 programs
expect "$work/pl_PL.UTF-8-programs.txt" "window${t}Program komputerowy Tavo C.H." \
    "tab${t}Programy" "tab${t}Internet" "tab${t}Podręcznik" \
    "button${t}Zainstaluj program Tavo C.H. 3.2" "button${t}Uruchom program Tavo C.H. 3.2"
read_names pl_PL.UTF-8 manual
expect "$work/pl_PL.UTF-8-manual.txt" "tab${t}Podręcznik" \
    "button${t}Spis treści u góry" "button${t}Spis treści po lewej" "check${t}Rozwiń" \
    "entry${t}Szukaj w podręczniku" "window${t}Przyciski spisu treści"
read_names C programs
expect "$work/C-programs.txt" "window${t}Computer program Tavo C.H." \
    "tab${t}Programs" "tab${t}Internet" "tab${t}Manual" \
    "button${t}Install the program Tavo C.H. 3.2" "button${t}Start the program Tavo C.H. 3.2"
read_names C manual
expect "$work/C-manual.txt" "tab${t}Manual" \
    "button${t}Table of contents on top" "button${t}Table of contents on the left" \
    "check${t}Expand" "entry${t}Find in the manual" "window${t}Table of contents buttons"
if [ $failed -ne 0 ]; then
    for f in "$work"/*.txt; do echo "--- $(basename "$f")"; cat "$f"; done >&2
    exit 1
fi
echo "the shell's captions are Polish under pl_PL.UTF-8 and English under C"
