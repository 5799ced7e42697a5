#!/usr/bin/env bash
# Fails when a source file is not in the project's clang-format style (.clang-format).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror
echo "== every source is in the project's format"
