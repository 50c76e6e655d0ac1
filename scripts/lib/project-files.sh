# The project's files, as paths from the top of the tree, each ended by a NUL: in a git
# checkout the files git tracks or would track (new ones not ignored), as they are in
# the working tree; in a tree without git (one exported with git archive) every file
# but the build trees'. Patterns match file names, as find -name takes them.
#   project_files '*.cpp' '*.h'      run from the top of the tree
project_files() {
  if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$(pwd -P)" ]; then
    local file
    git ls-files -z --cached --others --exclude-standard -- "$@" |
      while IFS= read -r -d '' file; do
        [ -e "$file" ] && printf '%s\0' "$file"
      done
    return 0
  fi
  local names=() pattern
  for pattern in "$@"; do
    names+=(${names[0]+-o} -name "$pattern")
  done
  find . \( -name .git -o -path './build*' -o -path './obj-*' -o -path ./dist -o -path ./out \
    -o -name .cache \) -prune -o -type f ${names[0]+\( "${names[@]}" \)} -printf '%P\0'
}

# The project's version, as CMake takes it from CMakeLists.txt: the packages CPack and
# wixl build are named after it.
project_version() {
  local version
  version=$(sed -n 's/^project([A-Za-z]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  [ -n "$version" ] || { echo "CMakeLists.txt names no project version" >&2; return 1; }
  echo "$version"
}
