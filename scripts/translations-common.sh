# Shared by update-translations.sh and check-translations.sh: how lupdate reads the sources.
# The numbered string table reaches lupdate as C++ written by the build (strtexts); the
# reader component's texts go through its T() helper, which lupdate is told to read as
# QT_TR_NOOP (its context is then the helper's namespace).
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
lupdate=${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}
[ -x "$lupdate" ] || lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || { echo "lupdate not found: install qt6-l10n-tools (scripts/setup.sh)" >&2; exit 1; }
languages=(pl)

numbered_texts() {
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    fi
    cmake --build "$build" --target tavo-numbered-texts >/dev/null
    echo "$build/resources/translations/NumberedTexts.cpp"
}

# run_lupdate TS-FILE [extra lupdate options]: the sources' texts into TS-FILE.
run_lupdate() {
    local ts=$1 texts
    shift
    texts=$(numbered_texts)
    (cd "$root" && "$lupdate" -silent -locations none -extensions cpp,h \
        -tr-function-alias QT_TR_NOOP+=T "$@" src plugins apps "$texts" -ts "$ts") 2>&1 |
        grep -v "lacks Q_OBJECT macro" >&2 || true
}
