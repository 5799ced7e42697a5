#!/usr/bin/env bash
# Makes a disc folder carry its own runtime, so that it starts on a Linux desktop that has
# none of our libraries. Every ELF file in the folder (programs, components, whatever is
# added later) is scanned; what they load, the Qt plugins their Qt modules load at run
# time and the web engine's process and data are copied into lib/ beside them, except the
# libraries the desktop provides (runtime-excludes beside this script). Each program and
# component gets a run path relative to itself ($ORIGIN), each Qt program a qt.conf.
#
#   bundle-runtime.sh [OPTIONS] DISC-FOLDER
#     --self-contained REL  REL is a folder an installer copies elsewhere as a whole: it
#                           gets a runtime of its own in REL/lib (hard links into lib/)
#     --also ELF            carry what ELF loads too, without carrying ELF
#     --debug-dir DIR       strip debug information from the disc's own programs, kept in
#                           DIR/REL.debug and linked from them (.gnu_debuglink)
#     --state DIR           where the bundler remembers what it did (default:
#                           DISC-FOLDER.runtime beside the folder)
#     --excludes FILE       the libraries the desktop provides
#
# Runs again quickly: nothing is done when no file in the folder changed, and a library
# is copied only when its source changed. Needs ldd, readelf, patchelf and objcopy.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
excludes_file=$here/runtime-excludes
disc="" state="" debug_dir=""
trees=() also=()
while [ $# -gt 0 ]; do
    case $1 in
        --self-contained) trees+=("${2%/}"); shift 2 ;;
        --also) also+=("$2"); shift 2 ;;
        --debug-dir) debug_dir=$2; shift 2 ;;
        --state) state=$2; shift 2 ;;
        --excludes) excludes_file=$2; shift 2 ;;
        -*) echo "bundle-runtime: unknown option $1" >&2; exit 2 ;;
        *) [ -z "$disc" ] || { echo "bundle-runtime: one disc folder only" >&2; exit 2; }
           disc=$1; shift ;;
    esac
done
[ -n "$disc" ] && [ -d "$disc" ] || { echo "usage: bundle-runtime.sh [OPTIONS] DISC-FOLDER" >&2; exit 2; }
disc=$(cd "$disc" && pwd)
state=${state:-$disc.runtime}
mkdir -p "$state"
for tool in ldd readelf patchelf objcopy; do
    command -v $tool >/dev/null || { echo "bundle-runtime: $tool is missing" >&2; exit 1; }
done

# What the folder holds now, with sizes and times: when it is what we left last time,
# there is nothing to do.
signature() {
    {
        echo "$*"
        stat -c '%n %s %Y' "$0" "$excludes_file" "${also[@]}"
        find "$disc" -printf '%P %s %T@ %y\n' | LC_ALL=C sort
    } | sha256sum | cut -c1-64
}
args="${trees[*]} | ${also[*]} | $debug_dir"
if [ -f "$state/signature" ] && [ "$(cat "$state/signature")" = "$(signature "$args")" ]; then
    cat "$state/floor"
    exit 0
fi
rm -f "$state/signature"

# --- the rule: what the desktop provides ---------------------------------------------
patterns=()
while read -r line; do
    line=${line%%#*}
    line=${line//[[:space:]]/}
    [ -n "$line" ] && patterns+=("$line")
done <"$excludes_file"
declare -A excluded=()   # soname -> 1, the desktop's
is_named() {
    local p
    for p in "${patterns[@]}"; do
        # shellcheck disable=SC2053
        [[ $1 == $p ]] && return 0
    done
    return 1
}
# One soname and path from each ldd line that resolved, on fd 3 of the caller.
ldd_pairs() {
    local out
    out=$(LC_ALL=C ldd "$1" 2>&1) || { echo "bundle-runtime: ldd failed on $1: $out" >&2; return 1; }
    awk -v file="$1" '
        # ldd prints the run path as it was joined: a/b/../c is a/c.
        function clean(p,   n, i, parts, out, k) {
            n = split(p, parts, "/"); k = 0
            for (i = 2; i <= n; i++) {
                if (parts[i] == "." || parts[i] == "") continue
                if (parts[i] == "..") { if (k > 0) k--; continue }
                out[++k] = parts[i]
            }
            p = ""
            for (i = 1; i <= k; i++) p = p "/" out[i]
            return p
        }
        / => not found/ { print "bundle-runtime: " file " needs " $1 ", which is not found" > "/dev/stderr"; bad = 1; next }
        / => \// {
            path = $0
            sub(/^[^>]*=> /, "", path)
            sub(/ \(0x[0-9a-f]+\)$/, "", path)
            print $1, clean(path)
        }
        END { exit bad }' <<<"$out"
}
# What FILE loads, "soname path" a line, in DEPS. Remembered between runs for files that
# did not change since (the system's libraries and plugins).
declare -A ldd_cache=() ldd_fresh=()
if [ -f "$state/ldd-cache" ]; then
    while IFS='|' read -r key val; do ldd_cache[$key]=$val; done <"$state/ldd-cache"
fi
deps_of() {
    local f=$1
    if [ -n "${ldd_cache[$f]:-}" ] && [ ! "$f" -nt "$state/ldd-cache" ]; then
        DEPS=${ldd_cache[$f]}
    else
        DEPS=$(ldd_pairs "$f")
    fi
    DEPS=${DEPS//;/$'\n'}
    ldd_fresh[$f]=${DEPS//$'\n'/;}
}
# The desktop's: every named library this machine has, and what each of them links (a
# library the desktop loads into us, such as a name service module, must meet the
# desktop's copies of what it links, not ours).
for pattern in "${patterns[@]}"; do
    for path in /lib/x86_64-linux-gnu/$pattern /usr/lib/x86_64-linux-gnu/$pattern; do
        [ -e "$path" ] || continue
        excluded[$(basename "$path")]=1
        deps_of "$path"
        while read -r dep dpath; do [ -z "$dep" ] || excluded[$dep]=1; done <<<"$DEPS"
    done
done
desktop_owns() {
    [ -n "${excluded[$1]:-}" ] && return 0
    is_named "$1" || return 1
    excluded[$1]=1
}

# --- helpers -------------------------------------------------------------------------
is_elf() { [ "$(od -An -tx1 -N4 "$1" 2>/dev/null | tr -d ' ')" = 7f454c46 ]; }
is_program() { readelf -lW "$1" 2>/dev/null | grep 'program interpreter' >/dev/null; }
rel_to() { realpath -m --relative-to="$1" "$2"; }
# Gives FILE the run path $ORIGIN/<to LIB> as DT_RPATH, which also serves what its
# libraries load, unless it has it already.
set_run_path() {
    local file=$1 lib=$2 want
    want="\$ORIGIN/$(rel_to "$(dirname "$file")" "$lib")"
    want=${want%/.}
    if readelf -dW "$file" | grep '(RPATH).*\['"$want"'\]$' >/dev/null; then
        return 0
    fi
    patchelf --remove-rpath "$file"
    patchelf --force-rpath --set-rpath "$want" "$file"
}
strip_debug() {
    local file=$1 rel=$2 debug
    [ -n "$debug_dir" ] || return 0
    readelf -SW "$file" | grep ' \.debug_info ' >/dev/null || return 0
    debug=$debug_dir/$rel.debug
    mkdir -p "$(dirname "$debug")"
    objcopy --only-keep-debug "$file" "$debug"
    objcopy --strip-debug --remove-section=.gnu_debuglink --add-gnu-debuglink="$debug" "$file"
}
# The folders scanned as one tree: the disc without its self-contained parts, and each part.
own_elfs() {
    local tree=$1 prune=(-path "$tree/lib" -prune) t
    for t in "${trees[@]}"; do
        [ "$disc/$t" = "$tree" ] || prune+=(-o -path "$disc/$t" -prune)
    done
    find "$tree" \( "${prune[@]}" \) -o -type f -print0 | perl -0ne 'chomp; open(my $f, "<", $_)
        or next; read($f, my $m, 4); print "$_\n" if $m eq "\x7fELF"' | LC_ALL=C sort
}

# Where a library found in the disc came from: the copy's record, else the system's.
declare -A system_libs=()
source_of() {
    local n p
    if [ -n "${record[$2]:-}" ]; then
        echo "${record[$2]}"
        return 0
    fi
    if [ ${#system_libs[@]} -eq 0 ]; then
        while read -r n p; do
            [ -n "${system_libs[$n]:-}" ] || system_libs[$n]=$p
        done < <(ldconfig -p | awk '/x86-64/ { print $1, $NF }')
    fi
    [ -n "${system_libs[$1]:-}" ] || { echo "bundle-runtime: no source known for $1" >&2; return 1; }
    echo "${system_libs[$1]}"
}

# --- carrying one tree's runtime -------------------------------------------------------
qt_plugins=/usr/lib/x86_64-linux-gnu/qt6/plugins
qt_libexec=/usr/lib/qt6/libexec
qt_data=/usr/share/qt6
manifest_new=$state/manifest.new
: >"$manifest_new"
declare -A record=()     # REL-in-disc -> "SOURCE SIZE MTIME" of the copy made earlier
if [ -f "$state/manifest" ]; then
    while IFS=$'\t' read -r rel src; do record[$rel]=$src; done <"$state/manifest"
fi
declare -A carried=()    # REL-in-disc -> 1, made in this run

# Copies SOURCE to DEST (a path in the disc) unless the copy made earlier is current.
# A copy is never made by writing into an existing file, which may be a hard link.
carry() {
    local src=$1 dest=$2 link_from=${3:-} rel
    rel=${dest#"$disc"/}
    carried[$rel]=1
    printf '%s\t%s\n' "$rel" "$src" >>"$manifest_new"
    # Copies keep their source's time: one as old as its source is current.
    if [ -e "$dest" ] && [ "${record[$rel]:-}" = "$src" ] &&
        ! [ "$src" -nt "$dest" ] && ! [ "$src" -ot "$dest" ]; then
        return 0
    fi
    mkdir -p "$(dirname "$dest")"
    rm -f "$dest"
    if [ -n "$link_from" ] && [ -f "$link_from" ]; then
        ln "$link_from" "$dest"
        return 0
    fi
    cp -L --preserve=mode,timestamps "$src" "$dest.tmp"
    if is_elf "$dest.tmp" && readelf -dW "$dest.tmp" | grep '(NEEDED)' >/dev/null; then
        # Each file finds what it links beside it, whoever loads it: the same file as the
        # system's but for its run path.
        set_run_path "$dest.tmp" "$4"
        touch -r "$src" "$dest.tmp"
    fi
    mv -f "$dest.tmp" "$dest"
}

bundle_tree() {
    local tree=$1 lib=$1/lib main_lib=$disc/lib
    local -A need=()          # soname -> source path
    local -A roots_seen=()
    local roots=() f rel name path cat p qtconf
    local linked_from_main=""
    [ "$tree" = "$disc" ] || linked_from_main=1
    mapfile -t own < <(own_elfs "$tree")
    for f in "${own[@]}"; do
        rel=${f#"$disc"/}
        # The build's own outputs keep their times, so the build sees nothing new.
        touch -r "$f" "$state/time"
        strip_debug "$f" "$rel"
        set_run_path "$f" "$lib"
        touch -r "$state/time" "$f"
        roots+=("$f")
    done
    [ "$tree" != "$disc" ] || roots+=("${also[@]}")
    # Each root's closure; Qt modules bring the plugins they load, which are roots too.
    local i=0 added_qt=""
    while [ $i -lt ${#roots[@]} ]; do
        f=${roots[$i]}
        i=$((i + 1))
        [ -z "${roots_seen[$f]:-}" ] || continue
        roots_seen[$f]=1
        deps_of "$f"
        while read -r name path; do
            [ -n "$name" ] || continue
            desktop_owns "$name" && continue
            case $path in "$disc"/*) path=$(source_of "$name" "${path#"$disc"/}") ;; esac
            need[$name]=$path
        done <<<"$DEPS"
        for name in "${!need[@]}"; do
            case $name in
                libQt6Gui.so.6) cat="platforms/libqxcb.so platforms/libqoffscreen.so platforms/libqminimal.so
                    xcbglintegrations/libqxcb-glx-integration.so xcbglintegrations/libqxcb-egl-integration.so
                    imageformats/*.so iconengines/*.so
                    platforminputcontexts/libcomposeplatforminputcontextplugin.so
                    platforminputcontexts/libibusplatforminputcontextplugin.so" ;;
                libQt6Core.so.6) cat="translations" ;;
                libQt6Sql.so.6) cat="sqldrivers/libqsqlite.so" ;;
                libQt6Network.so.6) cat="tls/*.so networkinformation/*.so" ;;
                libnss3.so) cat="nss" ;;
                libQt6WebEngineCore.so.6) cat="webengine" ;;
                *) continue ;;
            esac
            [[ " $added_qt " == *" $name "* ]] && continue
            added_qt="$added_qt $name"
            for p in $cat; do
                case $p in
                    nss)
                        # NSS loads its crypto modules by name from its own folder.
                        for f in libsoftokn3 libfreeblpriv3 libfreebl3 libnssckbi libnssdbm3; do
                            for path in "$(dirname "${need[libnss3.so]}")/$f".{so,chk}; do
                                [ -f "$path" ] || continue
                                carry "$path" "$lib/$(basename "$path")" "$main_lib/$(basename "$path")" "$lib"
                                [[ $path == *.so ]] && roots+=("$path")
                            done
                        done ;;
                    translations)
                        # Qt's own Polish texts (the standard dialogs' buttons), beside
                        # where qt.conf sends the translations.
                        for path in "$qt_data"/translations/qtbase_pl.qm; do
                            [ -f "$path" ] || continue
                            carry "$path" "$lib/qt6/translations/${path##*/}" \
                                "$main_lib/qt6/translations/${path##*/}"
                        done ;;
                    webengine)
                        carry "$qt_libexec/QtWebEngineProcess" "$lib/qt6/libexec/QtWebEngineProcess" "" "$lib"
                        roots+=("$qt_libexec/QtWebEngineProcess")
                        for path in "$qt_data"/resources/* "$qt_data"/translations/qtwebengine_locales/*; do
                            carry "$path" "$lib/qt6/${path#"$qt_data"/}" "$main_lib/qt6/${path#"$qt_data"/}"
                        done ;;
                    *)
                        for path in $qt_plugins/$p; do
                            [ -f "$path" ] || continue
                            carry "$path" "$lib/qt6/plugins/${path#"$qt_plugins"/}" \
                                "$main_lib/qt6/plugins/${path#"$qt_plugins"/}" "$lib"
                            roots+=("$path")
                        done ;;
                esac
            done
        done
    done
    for name in "${!need[@]}"; do
        # A library found to be the desktop's after it was first met.
        [ -z "${excluded[$name]:-}" ] || continue
        [ -n "$linked_from_main" ] && p=$main_lib/$name || p=""
        carry "${need[$name]}" "$lib/$name" "$p" "$lib"
    done
    # A Qt program finds the plugins, the engine's process and data through its qt.conf.
    for f in "${own[@]}" "$lib/qt6/libexec/QtWebEngineProcess"; do
        [ -f "$f" ] && is_program "$f" && [ -n "${need[libQt6Core.so.6]:-}" ] || continue
        qtconf=$(dirname "$f")/qt.conf
        printf '[Paths]\nPrefix = %s\nLibraries = %s\nPlugins = plugins\nLibraryExecutables = libexec\nData = .\nTranslations = translations\n' \
            "$(rel_to "$(dirname "$f")" "$lib/qt6")" "$(rel_to "$lib/qt6" "$lib")" >"$qtconf.tmp"
        if cmp -s "$qtconf.tmp" "$qtconf"; then rm -f "$qtconf.tmp"; else mv -f "$qtconf.tmp" "$qtconf"; fi
    done
}

bundle_tree "$disc"
for t in "${trees[@]}"; do
    [ -d "$disc/$t" ] || { echo "bundle-runtime: no folder $t in the disc" >&2; exit 1; }
    bundle_tree "$disc/$t"
done

# What an earlier run carried and this one does not is taken away.
for rel in "${!record[@]}"; do
    [ -n "${carried[$rel]:-}" ] || rm -f "$disc/$rel"
done
find "$disc" -path '*/lib/*' -type d -empty -delete 2>/dev/null || true
LC_ALL=C sort -u "$manifest_new" >"$state/manifest"
rm -f "$manifest_new"

# The oldest system the disc runs on: the newest C library version any of its files needs.
elf_files() {
    find "$disc" -type f -print0 | perl -0ne 'chomp; open(my $f, "<", $_) or next;
        read($f, my $m, 4); print "$_\0" if $m eq "\x7fELF"'
}
versions=$(elf_files | xargs -0 -r objdump -p 2>/dev/null | grep -o 'GLIBC\(XX\)\?_[0-9.]*[0-9]' | LC_ALL=C sort -u)
glibc=$(grep '^GLIBC_' <<<"$versions" | sort -V | tail -n 1)
glibcxx=$(grep '^GLIBCXX_' <<<"$versions" | sort -V | tail -n 1)
size=$(du -sm --apparent-size "$disc" | cut -f1)
count=$(wc -l <"$state/manifest")
floor="disc runtime: $count files carried, disc folder $size MB; needs at least $glibc (and $glibcxx of libstdc++) from the desktop"
echo "$floor" | tee "$state/floor"
for key in "${!ldd_fresh[@]}"; do echo "$key|${ldd_fresh[$key]}"; done >"$state/ldd-cache"
signature "$args" >"$state/signature"
