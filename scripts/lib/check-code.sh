#!/usr/bin/env bash
# Checks the habits of the code that no compiler checks, so that scripts/test (and CI)
# fails on them:
# - every C++ file is formatted as .clang-format says (clang-format --dry-run --Werror);
# - every include of a project header points down the layers, never up or sideways:
#     model  <-  load, output, edit  <-  convert  <-  window  <-  qt | win32
#                                                <-  cli
#   (qt and win32 side by side on top: neither uses the other);
# - Qt is used only in src/qt;
# - <windows.h> is included only in src/win32, and in the platform code of the safe
#   write (src/output/SafeFileWrite*.cpp), of reading a file (src/load/TextLineReader.cpp),
#   of the console's arguments (src/convert/ProgramStart.cpp) and of hearing of changes in
#   folders (src/convert/FolderWatchWindows.cpp).
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
  [qt]="model load output edit convert window" [win32]="model load output edit convert window"
)
failures=0
for layer in "${!below[@]}"; do
  while IFS=: read -r file line include; do
    used=$(sed -E 's/.*#include "([a-z0-9]+)\/.*/\1/' <<<"$include")
    case " $layer ${below[$layer]} " in
      *" $used "*) ;;
      *) echo "$file:$line: $layer may not include $used: $include"; failures=$((failures + 1)) ;;
    esac
  done < <([ -d "src/$layer" ] && grep -rnE '^#include "[a-z0-9]+/' "src/$layer" || true)
done
if grep -rlE '#include <Q|#include "Q' src --include='*.h' --include='*.cpp' | grep -v '^src/qt/'; then
  echo "Qt is included outside src/qt (above)"
  failures=$((failures + 1))
fi
if grep -rliE '#include <windows\.h>' src --include='*.h' --include='*.cpp' |
  grep -vE '^src/(win32/|output/SafeFileWrite[A-Za-z]*\.cpp$|load/TextLineReader\.cpp$|convert/(ProgramStart|FolderWatchWindows)\.cpp$)'; then
  echo "<windows.h> is included outside src/win32 and the platform code of the safe write, the reading, the console and the folder watch (above)"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "formatting and layers: as they should be"
