#!/usr/bin/env bash
# The translation gate: every text the sources give to Qt's translation system (and every
# numbered string) has a finished translation in each language. lupdate reads the sources
# into a copy of each .ts file; a text that is new there, or still unfinished, fails the
# gate and is named. scripts/update-translations.sh takes the new texts into the files.
set -euo pipefail
source "$(dirname "$0")/translations-common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for language in "${languages[@]}"; do
    ts=$root/resources/translations/tavo_$language.ts
    cp "$ts" "$work/tavo_$language.ts"
    run_lupdate "$work/tavo_$language.ts"
    python3 - "$work/tavo_$language.ts" "$ts" "$language" <<'PY' || status=1
import sys
import xml.etree.ElementTree as ET

updated, committed, language = sys.argv[1:4]
def messages(path):
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for m in context.iter("message"):
            yield name, m
bad = []
for context, m in messages(updated):
    t = m.find("translation")
    kind = t.get("type") if t is not None else "unfinished"
    if kind in ("obsolete", "vanished"):
        continue
    forms = [f.text for f in t.iter("numerusform")] if m.get("numerus") == "yes" else [t.text]
    if kind == "unfinished" or not all(forms):
        where = context + (" (" + m.findtext("comment") + ")" if m.findtext("comment") else "")
        bad.append("  %s: %r" % (where, m.findtext("source")))
if bad:
    print("check-translations: %d text(s) without a finished %s translation in %s:"
          % (len(bad), language, "resources/" + committed.split("/resources/")[-1]))
    print("\n".join(bad))
    print("Run scripts/update-translations.sh and translate them.")
    sys.exit(1)
print("check-translations: every text has its %s translation" % language)
PY
done
exit $status
