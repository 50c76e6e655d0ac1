#!/usr/bin/env bash
# Checks the habits of the code that no compiler checks, so that scripts/test (and CI)
# fails on them:
# - every C++ file is formatted as .clang-format says (clang-format --dry-run --Werror);
# - every include of a project header points down the layers, never up or sideways:
#     model  <-  load, output, edit  <-  convert  <-  cli | window
# - Qt is used only in src/window.
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/lib/project-files.sh

# The version decides the layout: 14, as scripts/lib/packages.sh installs it.
format=$(command -v clang-format-14 || command -v clang-format)
echo "clang-format: $("$format" --version)"
project_files '*.cpp' '*.h' | xargs -0 "$format" --dry-run --Werror

declare -A below=(
  [model]="" [load]="model" [output]="model" [edit]="model"
  [convert]="model load output edit"
  [cli]="model load output edit convert" [window]="model load output edit convert"
)
failures=0
for layer in "${!below[@]}"; do
  while IFS=: read -r file line include; do
    used=$(sed -E 's/.*#include "([a-z]+)\/.*/\1/' <<<"$include")
    case " $layer ${below[$layer]} " in
      *" $used "*) ;;
      *) echo "$file:$line: $layer may not include $used: $include"; failures=$((failures + 1)) ;;
    esac
  done < <(grep -rnE '^#include "[a-z]+/' "src/$layer" || true)
done
if grep -rlE '#include <Q|#include "Q' src --include='*.h' --include='*.cpp' | grep -v '^src/window/'; then
  echo "Qt is included outside src/window (above)"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "formatting and layers: as they should be"
