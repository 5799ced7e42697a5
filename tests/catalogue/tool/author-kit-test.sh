#!/usr/bin/env bash
# The disc author's kit on generated documents: import from outlines, check finding each
# kind of problem one at a time, and the disc's image.
#   author-kit-test.sh TOOL PDFGEN DATA-FOLDER SAMPLE-DISC
set -euo pipefail
tool=$1 pdfgen=$2 data=$3 sample=$4
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
cd "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# run STATUS OUT ERR ARGS...: the tool's status must be STATUS.
run() {
    local want=$1 out=$2 err=$3 got=0
    shift 3
    "$tool" "$@" >"$out" 2>"$err" || got=$?
    [ "$got" = "$want" ] || fail "tavo-catalogue $* gave $got, not $want: $(cat "$err")"
}
has() { grep -qF -- "$2" "$1" || fail "$1 lacks: $2 (it holds: $(cat "$1"))"; }

for name in nested plain foreign; do "$pdfgen" $name.pdf "$data/$name.txt"; done

# --- import -----------------------------------------------------------------------------
run 0 nested.jsonl err import nested.pdf
cat >want <<'LINES'
{"level": 0, "caption": "Radiator guide", "fileName": ":nested.pdf", "captionTyp": 23}
{"level": 1, "caption": "Introduction", "fileName": ":nested.pdf", "pages": "1", "destination": "intro", "captionTyp": 1}
{"level": 1, "caption": "Sizing", "fileName": ":nested.pdf", "pages": "2", "destination": "sizing", "captionTyp": 1}
{"level": 2, "caption": "Pipes and fittings", "fileName": ":nested.pdf", "pages": "3", "captionTyp": 1}
{"level": 2, "caption": "Valves", "fileName": ":nested.pdf", "pages": "3", "destination": "valves", "captionTyp": 1}
{"level": 3, "caption": "Thermostatic valves", "fileName": ":nested.pdf", "pages": "3", "destination": "valves", "captionTyp": 1}
{"level": 1, "caption": "Appendix", "fileName": ":nested.pdf", "pages": "4", "captionTyp": 1}
LINES
diff want nested.jsonl >/dev/null || fail "nested outline imported as: $(cat nested.jsonl)"

run 0 out err import --depth 1 --type-of-level 0=none --type-of-level 1=3 nested.pdf plain.pdf
cat >want <<'LINES'
{"level": 0, "caption": "Radiator guide", "fileName": ":nested.pdf"}
{"level": 1, "caption": "Introduction", "fileName": ":nested.pdf", "pages": "1", "destination": "intro", "captionTyp": 3}
{"level": 1, "caption": "Sizing", "fileName": ":nested.pdf", "pages": "2", "destination": "sizing", "captionTyp": 3}
{"level": 1, "caption": "Appendix", "fileName": ":nested.pdf", "pages": "4", "captionTyp": 3}
{"level": 0, "caption": "plain.pdf", "fileName": ":plain.pdf"}
LINES
diff want out >/dev/null || fail "--depth 1 and types by level gave: $(cat out)"

# A caption Windows-1250 cannot hold: reported by its line; refused, or replaced and said.
run 1 out err import plain.pdf foreign.pdf
[ ! -s out ] || fail "a refused import wrote: $(cat out)"
has err 'line 2: the caption "Cennik – wydanie Ω" cannot be written'
has err 'line 3: the caption "Ciepło – Ω units" cannot be written'
run 0 out err import --replace foreign.pdf
has out '"caption": "Cennik – wydanie ?"'
has out '"caption": "Ciepło – ? units"'
has err 'line 2: the caption "Ciepło – Ω units" is written as "Ciepło – ? units"'

mkdir other && cp plain.pdf other/NESTED.pdf
run 1 out err import nested.pdf other/NESTED.pdf
has err "nested.pdf and other/NESTED.pdf have the same file name"
run 2 out err import --depth x nested.pdf
run 2 out err import --type-of-level 1=99 nested.pdf
run 2 out err import
: >empty.pdf
run 1 out err import nested.pdf empty.pdf
[ ! -s out ] || fail "an import with an unreadable document wrote: $(cat out)"

# --- a clean disc ---------------------------------------------------------------------
clean=$work/clean
mkdir -p "$clean/Setup/PdfViewer/Documentation" "$clean/plugins"
cp -a "$sample/tavo-shell" "$clean/"
cp -a "$sample"/plugins/libtavo-*.so "$clean/plugins/"
cp -a "$sample/Setup/HD" "$sample/Setup/Acrobat" "$clean/Setup/"
docs=$clean/Setup/PdfViewer/Documentation
cp nested.pdf plain.pdf "$docs/"
run 0 source.jsonl err import nested.pdf plain.pdf
run 0 out err build source.jsonl "$docs/TAVO_ENG.pdfv"
run 0 out err check "$clean"
has out "The disc is ready: 8 entries, 2 documents, no problems."
run 0 out err check --json "$clean"
[ ! -s out ] || fail "a clean disc gave JSON lines: $(cat out)"

# --- each problem alone: its exit status and its JSON line ------------------------------
# broken KIND EXPECTED-FIELDS: copies the clean disc to d, runs the rest of the line on it
# (in a subshell, inside d), and wants exactly one problem of that kind.
broken() {
    local kind=$1 fields=$2
    shift 2
    rm -rf d && cp -a "$clean" d
    (cd d && eval "$*")
    run 1 out err check --json d
    [ "$(wc -l <out)" = 1 ] || fail "$kind: not one problem: $(cat out)"
    has out "{\"kind\": \"$kind\"$fields"
}
D=Setup/PdfViewer/Documentation
broken missing-shell ', "file": "tavo-shell"' rm tavo-shell
broken missing-plugin ', "file": "plugins/libtavo-webengine.so"' rm plugins/libtavo-webengine.so
broken missing-program ', "file": "Setup/Acrobat/SetupAcrobat.exe"' rm Setup/Acrobat/SetupAcrobat.exe
broken not-executable ', "file": "Setup/HD/setuphd.exe"' chmod -x Setup/HD/setuphd.exe
broken catalogue-unreadable ", \"file\": \"$D/TAVO_ENG.pdfv\"" truncate -s 20 $D/TAVO_ENG.pdfv
broken missing-document ', "entry": 7, "file": ":plain.pdf"' rm $D/plain.pdf
broken unnamed-document ", \"file\": \"$D/extra/more.pdf\"" "mkdir $D/extra && cp $D/plain.pdf $D/extra/more.pdf"
broken damaged-document ", \"file\": \"$D/plain.pdf\"" "printf '%s\\n' 'not a document' >$D/plain.pdf"
broken empty-document ", \"file\": \"$D/plain.pdf\"" ": >$D/plain.pdf"
python3 - "$work/encrypted.pdf" <<'PY'
import sys
pdf = b"%PDF-1.4\n"; offsets = []
def obj(body):
    global pdf
    offsets.append(len(pdf)); pdf += b"%d 0 obj\n%s\nendobj\n" % (len(offsets), body)
obj(b"<< /Type /Catalog /Pages 2 0 R >>")
obj(b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
obj(b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 200 200] >>")
obj(b"<< /Filter /Standard /V 1 /R 2 /O <" + b"4f" * 32 + b"> /U <" + b"55" * 32 + b"> /P -4 >>")
xref = len(pdf)
pdf += b"xref\n0 5\n0000000000 65535 f \n" + b"".join(b"%010d 00000 n \n" % o for o in offsets)
pdf += (b"trailer\n<< /Size 5 /Root 1 0 R /Encrypt 4 0 R /ID [<0123456789abcdef0123456789abcdef> "
        b"<0123456789abcdef0123456789abcdef>] >>\nstartxref\n%d\n%%%%EOF\n" % xref)
open(sys.argv[1], "wb").write(pdf)
PY
broken encrypted-document ", \"file\": \"$D/plain.pdf\"" cp "$work/encrypted.pdf" $D/plain.pdf
# Entries that lead nowhere: a page past the end, a misspelt destination.
sed -e 's/"pages": "4"/"pages": "9"/' source.jsonl >page.jsonl
broken missing-page ', "entry": 6, "file": "Setup/PdfViewer/Documentation/nested.pdf", "page": 9, "pages": 4' \
    "$tool" build "$work/page.jsonl" $D/TAVO_ENG.pdfv
sed -e 's/"destination": "sizing"/"destination": "sizng"/' source.jsonl >dest.jsonl
broken missing-destination ', "entry": 2, "file": "Setup/PdfViewer/Documentation/nested.pdf", "destination": "sizng"' \
    "$tool" build "$work/dest.jsonl" $D/TAVO_ENG.pdfv
# The shell finds a document whose letter case differs from the catalogue's: so does check.
rm -rf d && cp -a "$clean" d && mv d/$D/nested.pdf d/$D/NESTED.PDF
run 0 out err check d
# ... and a name written with '\' below the documentation folder.
rm -rf d && cp -a "$clean" d && mkdir d/$D/Docs && mv d/$D/plain.pdf d/$D/Docs/
sed -e 's/":plain.pdf"/":docs\\\\plain.pdf"/' source.jsonl >sub.jsonl
grep -qF '":docs\\plain.pdf"' sub.jsonl || fail "sub.jsonl: $(cat sub.jsonl)"
run 0 out err build sub.jsonl d/$D/TAVO_ENG.pdfv
run 0 out err check d
run 2 out err check "$work/no-such-folder"
run 2 out err check --verbose "$clean"

# --- the image ----------------------------------------------------------------------------
if command -v xorriso >/dev/null; then
    run 0 out err image "$clean" disc.iso
    has out "The image $work/disc.iso is written"
    [ ! -e "$clean/lib" ] || fail "the image changed the author's folder"
    xorriso -indev disc.iso -find / -type f 2>/dev/null >listing
    for f in /autorun /tavo-shell /plugins/libtavo-pdfreader.so /$D/TAVO_ENG.pdfv /$D/nested.pdf \
        /lib/libQt6Core.so.6 /qt.conf; do
        grep -qx "'$f'" listing || fail "the image lacks $f"
    done
    xorriso -indev disc.iso -pvd_info 2>/dev/null | grep -q "Volume Id *: TAVO_CH_3_2" ||
        fail "the image has not the disc's volume label"
    xorriso -indev disc.iso -lsl /Setup/HD/setuphd.exe 2>/dev/null | grep -q '^-r.x' ||
        fail "the installer is not executable on the image (no Rock Ridge?)"
    # A broken folder is refused, unless forced; the shell missing is added, not a problem.
    rm -rf d && cp -a "$clean" d && rm d/$D/plain.pdf d/tavo-shell && mkdir d/lib
    run 1 out err image d broken.iso
    has err "--force makes its image all the same"
    [ ! -e broken.iso ] || fail "a refused image was written"
    run 0 out err image --force d broken.iso
    has err "tavo-shell added from"
    xorriso -indev broken.iso -find /tavo-shell 2>/dev/null | grep -q tavo-shell ||
        fail "the missing shell was not added to the image"
fi

[ "$failures" = 0 ] || { echo "$failures failure(s)" >&2; exit 1; }
echo "all passed"
