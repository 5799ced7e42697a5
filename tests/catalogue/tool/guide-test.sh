#!/usr/bin/env bash
# Runs the commands of docs/making-a-disc.md as they are written, in a fresh folder with
# generated documents, and compares what they print with what the guide shows ("..." in a
# shown line stands for anything).
#   guide-test.sh GUIDE TOOLS-FOLDER PDFGEN DATA-FOLDER SAMPLE-DISC
set -euo pipefail
guide=$1 tools=$2 pdfgen=$3 data=$4
export SAMPLE=$5 PATH=$tools:$PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir pdfs
"$pdfgen" pdfs/manual.pdf "$data/nested.txt"
"$pdfgen" pdfs/prices.pdf "$data/plain.txt"

# The console blocks: "$ command" lines, each followed by the lines it printed.
awk '/^```console$/ { inside = 1; next } /^```$/ { inside = 0; next } inside' "$guide" >steps
[ -s steps ] || { echo "no console blocks in $guide" >&2; exit 1; }
failures=0 commands=0
check_output() {
    local command=$1 got=$2 want=$3
    local -a g w
    mapfile -t g <"$got"
    mapfile -t w <"$want"
    local ok=1 i
    [ ${#g[@]} = ${#w[@]} ] || ok=0
    for ((i = 0; ok && i < ${#w[@]}; i++)); do
        local pattern=${w[$i]}
        # Everything but "..." is taken literally.
        local glob="" rest=$pattern
        while [[ $rest == *...* ]]; do
            glob+=$(printf '%q' "${rest%%...*}")'*'
            rest=${rest#*...}
        done
        glob+=$(printf '%q' "$rest")
        eval "[[ \${g[\$i]} == $glob ]]" || ok=0
    done
    if [ $ok = 0 ]; then
        echo "FAIL: $command printed:" >&2
        cat "$got" >&2
        echo "the guide shows:" >&2
        cat "$want" >&2
        failures=$((failures + 1))
    fi
}
command=""
: >want
flush() {
    [ -n "$command" ] || return 0
    commands=$((commands + 1))
    bash -c "$command" >got 2>&1 || true
    check_output "$command" got want
}
while IFS= read -r line; do
    if [[ $line == '$ '* ]]; then
        flush
        command=${line#'$ '}
        : >want
    else
        printf '%s\n' "$line" >>want
    fi
done <steps
flush
[ "$commands" -ge 10 ] || { echo "only $commands commands found" >&2; exit 1; }
[ "$failures" = 0 ] || exit 1
echo "$commands commands as the guide shows them"
