#!/usr/bin/env bash
# Brings the translation files (resources/translations/*.ts) up to date with the sources:
# new texts arrive unfinished (translate them with linguist or in the file), texts gone
# from the sources are dropped. Run it after adding or changing a user-visible text.
set -euo pipefail
source "$(dirname "$0")/translations-common.sh"
for language in "${languages[@]}"; do
    run_lupdate "$root/resources/translations/tavo_$language.ts" -no-obsolete
done
"$root/scripts/check-translations.sh" || true
