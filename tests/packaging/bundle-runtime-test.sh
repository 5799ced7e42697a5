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
code_sections() {
    readelf -SW "$1" | sed 's/^ *\[ *[0-9]*\] //' |
        awk '$1 ~ /^\.(text|rodata|data|data\.rel\.ro|init_array|fini_array|eh_frame)$/ { print $1, $5 }' | sort
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

carried=0
while read -r rel src; do
    name=$(basename "$rel")
    [ -z "${desktop[$name]:-}" ] || fail "the desktop's $name is carried ($rel)"
    [ -e "$disc/$rel" ] || fail "$rel is in the manifest but not on the disc"
    if is_elf "$disc/$rel"; then
        # The same code and data as the system's copy: only the run path differs.
        # (code and data sections by name and size: a longer run path moves them)
        a=$(code_sections "$disc/$rel")
        b=$(code_sections "$src")
        [ "$a" = "$b" ] || fail "$rel differs from $src in its sections"
        if [ "$(stat -c %s "$src")" -lt 20000000 ]; then
            a=$(objcopy -O binary --only-section=.text "$disc/$rel" /dev/stdout 2>/dev/null | sha256sum)
            b=$(objcopy -O binary --only-section=.text "$src" /dev/stdout 2>/dev/null | sha256sum)
            [ "$a" = "$b" ] || fail "$rel differs from $src in its code"
        fi
    else
        cmp -s "$disc/$rel" "$src" || fail "$rel differs from $src"
    fi
    carried=$((carried + 1))
done <"$state/manifest"
[ $carried -gt 100 ] || fail "only $carried files carried"
for must in libQt6Core.so.6 libQt6WebEngineCore.so.6 libpoppler.so.126 libicuuc.so.72 libsqlite3.so.0 \
    qt6/plugins/platforms/libqxcb.so qt6/plugins/sqldrivers/libqsqlite.so qt6/plugins/imageformats/libqsvg.so \
    qt6/plugins/xcbglintegrations/libqxcb-glx-integration.so qt6/libexec/QtWebEngineProcess \
    qt6/resources/qtwebengine_resources.pak qt6/translations/qtwebengine_locales/en-US.pak; do
    [ -e "$disc/lib/$must" ] || fail "the disc lacks lib/$must"
done
[ -f "$disc/qt.conf" ] || fail "no qt.conf beside the shell"

# Every ELF file: a run path relative to itself, none into the build or the system.
elves=0
while IFS= read -r -d '' f; do
    is_elf "$f" || continue
    elves=$((elves + 1))
    paths=$(readelf -dW "$f" | sed -n 's/.*(\(RPATH\|RUNPATH\)).*\[\(.*\)\]/\2/p')
    if readelf -dW "$f" | grep -q '(NEEDED)'; then
        [ -n "$paths" ] || fail "${f#"$disc"/} has no run path"
    fi
    for p in ${paths//:/ }; do
        case $p in \$ORIGIN*) ;; *) fail "${f#"$disc"/} has the run path $p" ;; esac
    done
    readelf -SW "$f" | grep -q ' \.debug_info ' && fail "${f#"$disc"/} keeps its debug information"
done < <(find "$disc" -type f -print0)
echo "$carried files carried, $elves ELF files on the disc follow the rule"

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
