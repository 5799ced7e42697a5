#!/usr/bin/env bash
# The rule the disc's runtime follows, checked on the build's disc folder: nothing the
# desktop provides is carried, nor anything a desktop library links; every carried file
# is its system source but for the run path; every ELF file finds its libraries through
# a run path relative to itself. Then the bundling step again, on a small disc of its
# own: it carries a program's runtime, leaves a current folder alone, and puts back a
# library taken away.   bundle-runtime-test.sh SAMPLE-DISC STATE-FOLDER
set -euo pipefail
disc=$(cd "$1" && pwd)
state=$2
here=$(cd "$(dirname "$0")" && pwd)
bundler=$here/../../packaging/bundle-runtime.sh
excludes=$here/../../packaging/runtime-excludes
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
is_elf() { [ "$(od -An -tx1 -N4 "$1" 2>/dev/null | tr -d ' ')" = 7f454c46 ]; }
[ -s "$state/manifest" ] || fail "the build carried no runtime ($state/manifest)"

named=()
while read -r line; do
    line=${line%%#*}
    line=${line//[[:space:]]/}
    [ -z "$line" ] || named+=("$line")
done <"$excludes"
for want in libc.so.6 libstdc++.so.6 libGL.so.1 libX11.so.6 libxcb.so.1 libfontconfig.so.1 libfreetype.so.6; do
    printf '%s\n' "${named[@]}" | grep -qxF "$want" || fail "the desktop's $want is not in the rule"
done

# What the desktop provides, as the build machine has it: the named libraries and what
# they link.
declare -A desktop=()
for pattern in "${named[@]}"; do
    for path in /lib/x86_64-linux-gnu/$pattern /usr/lib/x86_64-linux-gnu/$pattern; do
        [ -e "$path" ] || continue
        desktop[$(basename "$path")]=1
        while read -r name _; do desktop[$name]=1; done < <(ldd "$path" | awk '/=> \// { print $1 }')
    done
done
[ ${#desktop[@]} -gt 30 ] || fail "too few desktop libraries found on this machine: ${#desktop[@]}"

for must in libQt6Core.so.6 libQt6WebEngineCore.so.6 libpoppler.so.126 libicuuc.so.72 libsqlite3.so.0 \
    qt6/plugins/platforms/libqxcb.so qt6/plugins/sqldrivers/libqsqlite.so qt6/plugins/imageformats/libqsvg.so \
    qt6/plugins/xcbglintegrations/libqxcb-glx-integration.so qt6/libexec/QtWebEngineProcess \
    qt6/resources/qtwebengine_resources.pak qt6/translations/qtwebengine_locales/en-US.pak; do
    [ -e "$disc/lib/$must" ] || fail "the disc lacks lib/$must"
done
[ -f "$disc/qt.conf" ] || fail "no qt.conf beside the shell"

# Every carried file is its source but for the run path; every ELF file on the disc finds
# its libraries through a run path relative to itself and keeps no debug information.
printf '%s\n' "${!desktop[@]}" >"$state/desktop.test"
python3 - "$disc" "$state/manifest" "$state/desktop.test" <<'EOF' || fail "the disc breaks the rule"
import hashlib, os, struct, sys
disc, manifest, desktop = sys.argv[1], sys.argv[2], set(open(sys.argv[3]).read().split())

def elf(path):
    """Sections {name: (size, offset)}, NEEDED and run paths of a 64-bit ELF file."""
    with open(path, "rb") as f:
        data = f.read(64)
        if data[:4] != b"\x7fELF":
            return None
        shoff, = struct.unpack_from("<Q", data, 0x28)
        shentsize, shnum, shstrndx = struct.unpack_from("<HHH", data, 0x3A)
        f.seek(shoff)
        raw = f.read(shentsize * shnum)
        heads = [struct.unpack_from("<IIQQQQIIQQ", raw, i * shentsize) for i in range(shnum)]
        def read(h):
            f.seek(h[4]); return f.read(h[5])
        names = read(heads[shstrndx])
        name = lambda h: names[h[0]:names.index(b"\0", h[0])].decode()
        sections = {name(h): (h[5], h[4], h) for h in heads}
        needed, paths = 0, []
        if ".dynamic" in sections and ".dynstr" in sections:
            dyn, strs = read(sections[".dynamic"][2]), read(sections[".dynstr"][2])
            for i in range(0, len(dyn), 16):
                tag, val = struct.unpack_from("<qQ", dyn, i)
                if tag == 1:
                    needed += 1
                elif tag in (15, 29):
                    paths += strs[val:strs.index(b"\0", val)].decode().split(":")
        text = b""
        if ".text" in sections:
            f.seek(sections[".text"][1]); text = hashlib.sha256(f.read(sections[".text"][0])).hexdigest()
        return {n: v[0] for n, v in sections.items()}, needed, paths, text

bad, carried, elves = [], 0, 0
code = (".text", ".rodata", ".data", ".data.rel.ro", ".init_array", ".fini_array", ".eh_frame")
for line in open(manifest):
    rel, src = line.rstrip("\n").split("\t")
    carried += 1
    if os.path.basename(rel) in desktop:
        bad.append(f"the desktop's {rel} is carried")
    mine, theirs = elf(os.path.join(disc, rel)), elf(src)
    if mine is None:
        if open(os.path.join(disc, rel), "rb").read() != open(src, "rb").read():
            bad.append(f"{rel} differs from {src}")
    elif any(mine[0].get(n) != theirs[0].get(n) for n in code) or mine[3] != theirs[3]:
        bad.append(f"{rel} differs from {src} in its code or data")
for folder, _, files in os.walk(disc):
    for name in files:
        path = os.path.join(folder, name)
        info = elf(path)
        if info is None:
            continue
        elves += 1
        rel = os.path.relpath(path, disc)
        sections, needed, paths, _ = info
        if needed and not paths:
            bad.append(f"{rel} has no run path")
        bad += [f"{rel} has the run path {p}" for p in paths if not p.startswith("$ORIGIN")]
        if ".debug_info" in sections:
            bad.append(f"{rel} keeps its debug information")
print("\n".join(bad[:20]), file=sys.stderr)
print(f"{carried} files carried, {elves} ELF files on the disc follow the rule")
sys.exit(1 if bad or carried < 100 or elves < 50 else 0)
EOF

# The step itself, on a disc of one program.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/disc/prog"
cp "$disc/Setup/HD/files/HD.exe" "$work/disc/prog/demo"
patchelf --remove-rpath "$work/disc/prog/demo"
"$bundler" --state "$work/state" --debug-dir "$work/debug" "$work/disc" >"$work/first.log"
grep -q 'needs at least GLIBC_2\.[0-9]' "$work/first.log" || fail "no C library floor printed: $(cat "$work/first.log")"
[ -f "$work/disc/lib/libQt6Widgets.so.6" ] || fail "the program's Qt was not carried"
[ -f "$work/disc/lib/qt6/plugins/platforms/libqxcb.so" ] || fail "the window system's plugin was not carried"
[ ! -e "$work/disc/lib/libQt6WebEngineCore.so.6" ] || fail "what the program does not load was carried"
grep -q '^Prefix = ../lib/qt6$' "$work/disc/prog/qt.conf" || fail "qt.conf: $(cat "$work/disc/prog/qt.conf")"
readelf -dW "$work/disc/prog/demo" | grep -q '(RPATH).*\[\$ORIGIN/../lib\]' || fail "the program's run path is not \$ORIGIN/../lib"
# The program starts on what was carried alone.
env -i PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen LD_DEBUG=libs timeout 5 "$work/disc/prog/demo" 2>"$work/ld.log" >/dev/null || true
grep -q "calling init: $work/disc/.*lib/libQt6Widgets.so.6" "$work/ld.log" || fail "the program did not load the carried Qt"
grep 'calling init: .*libQt6' "$work/ld.log" | grep -v "$work/disc/" && fail "the program loaded the system's Qt"
# Run again: nothing to do, nothing touched.
before=$(find "$work/disc" -printf '%P %i %s %T@\n' | sort)
"$bundler" --state "$work/state" --debug-dir "$work/debug" "$work/disc" >/dev/null
[ "$(find "$work/disc" -printf '%P %i %s %T@\n' | sort)" = "$before" ] || fail "a current disc was changed by a second run"
# A program rebuilt: its run path is given again, the libraries stay.
cp "$disc/Setup/HD/files/HD.exe" "$work/disc/prog/demo"
patchelf --remove-rpath "$work/disc/prog/demo"
core=$(stat -c '%i %Y' "$work/disc/lib/libQt6Core.so.6")
"$bundler" --state "$work/state" --debug-dir "$work/debug" "$work/disc" >/dev/null
readelf -dW "$work/disc/prog/demo" | grep -q '(RPATH).*\[\$ORIGIN/../lib\]' || fail "a rebuilt program got no run path"
[ "$(stat -c '%i %Y' "$work/disc/lib/libQt6Core.so.6")" = "$core" ] || fail "a current library was copied again"
# A library taken away comes back.
rm "$work/disc/lib/libQt6Gui.so.6"
"$bundler" --state "$work/state" --debug-dir "$work/debug" "$work/disc" >/dev/null
[ -f "$work/disc/lib/libQt6Gui.so.6" ] || fail "a removed library was not carried again"
echo "the bundling step carries, keeps and repairs a program's runtime"
