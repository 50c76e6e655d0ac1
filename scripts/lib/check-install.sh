#!/usr/bin/env bash
# Checks what `cmake --install` puts down, as a test of the build (ctest's install_tree):
# installs BUILD_DIR into a temporary folder, then
# - the desktop entry through desktop-file-validate, the AppStream metadata and the
#   entry it launches through appstreamcli, the entry's icon in the hicolor theme, its
#   StartupWMClass against the window's class, the programs the metadata provides
#   (when the window is built),
# - every man page through groff with every warning on: any warning fails,
# - quillet-cli's man page names every option its --help lists,
# - the version agrees everywhere it is written: --version, the man pages, the
#   AppStream release and the changelog; debian/ parses as a native source package,
# - a hardened build's programs are position-independent and bound at start,
# - the installed programs run: each converts the example to the executable expected.
# Exits 77 (skipped) where a checking tool is missing; scripts/test installs them.
#   scripts/lib/check-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/../.." && pwd)
id=io.github.kestrane.Quillet

for tool in desktop-file-validate appstreamcli groff gzip dpkg-parsechangelog dpkg-source; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is missing (scripts/test installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/usr
cmake --install "$build" --prefix "$prefix" >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cli=$prefix/bin/quillet-cli
version_line=$("$cli" --version) || fail "the installed quillet-cli --version exited with $?"
version=${version_line##* }
[ "$version_line" = "quillet-cli (Kestrane Quillet) $version" ] || fail "quillet-cli --version printed '$version_line'"

# The window's files are there exactly when the window is.
pages=(quillet-cli)
if [ -e "$prefix/bin/quillet" ]; then
  pages+=(quillet)
  desktop=$prefix/share/applications/$id.desktop
  metainfo=$prefix/share/metainfo/$id.metainfo.xml
  desktop-file-validate "$desktop" || fail "desktop-file-validate $desktop"
  appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 || { cat "$work/appstream"; fail "appstreamcli validate $metainfo"; }
  # validate-tree also finds the desktop entry the metadata launches.
  appstreamcli validate-tree --no-net "$work" >"$work/appstream" 2>&1 || { cat "$work/appstream"; fail "appstreamcli validate-tree"; }
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no scalable icon '$icon' in the hicolor theme"
  # A desktop matches the window to its entry by the class half of WM_CLASS, which Qt
  # takes from the application name the program sets (kApplicationName).
  class=$(sed -n 's/.*kApplicationName = "\([^"]*\)".*/\1/p' "$top/src/window/AppIdentity.h")
  [ -n "$class" ] && [ "$(sed -n 's/^StartupWMClass=//p' "$desktop")" = "$class" ] ||
    fail "StartupWMClass is not the window's class '$class'"
  [ -f "$prefix/share/applications/$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")" ] ||
    fail "the AppStream metadata launches no installed desktop entry"
  provided=$(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo" | sort | xargs)
  [ "$provided" = "$(ls "$prefix/bin" | xargs)" ] || fail "the AppStream metadata provides '$provided', not what bin/ holds"
  release=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n1 || true)
  [ "$release" = "<release version=\"$version\"" ] || fail "the newest AppStream release is not $version: $release"
elif [ -e "$prefix/share/applications/$id.desktop" ]; then
  fail "a desktop entry is installed without the window"
fi

for page in "${pages[@]}"; do
  file=$(ls "$prefix/share/man/man1/$page.1"* 2>/dev/null | head -n1 || true)
  if [ -z "$file" ]; then
    fail "no man page $page.1"
    continue
  fi
  gzip -dcf "$file" >"$work/$page.1"
  warnings=$(groff -man -ww -z "$work/$page.1" 2>&1)
  [ -z "$warnings" ] || fail "groff warns about $page.1: $warnings"
  grep -q "^\.TH .*\"Kestrane Quillet $version\"" "$work/$page.1" || fail "$page.1 does not say version $version"
done

# Every option --help lists, as the man page's source writes it (\- for each dash).
if [ -f "$work/quillet-cli.1" ]; then
  for option in $("$cli" --help | grep -oE -- '(^| )--?[a-z]+' ); do
    grep -qF -- "${option//-/\\-}" "$work/quillet-cli.1" || fail "quillet-cli.1 does not describe $option"
  done
fi

changelog=$(ls "$prefix/share/doc/kestrane-quillet/changelog"* 2>/dev/null | head -n1 || true)
gzip -dcf "$changelog" >"$work/changelog" 2>/dev/null || true
[ "$(dpkg-parsechangelog -l "$work/changelog" -S Version 2>&1)" = "$version" ] ||
  fail "the installed changelog's newest entry is not $version"
format=$(dpkg-source --print-format "$top" 2>&1) || true
[ "$format" = "3.0 (native)" ] || fail "debian/ is not a native source package: $format"
for doc in LICENSE README.md copyright; do
  [ -f "$prefix/share/doc/kestrane-quillet/$doc" ] || fail "no $doc in share/doc/kestrane-quillet"
done

# A hardened build's programs load at a random address and bind every symbol at start.
if grep -q '^QUILLET_HARDENING:BOOL=ON' "$build/CMakeCache.txt"; then
  for program in "$prefix"/bin/*; do
    readelf -h "$program" | grep -q 'Type: *DYN' || fail "$(basename "$program") is not position-independent"
    readelf -d "$program" | grep -q 'FLAGS.*BIND_NOW' || fail "$(basename "$program") does not bind its symbols at start"
  done
fi

# Each installed program converts the example; with no display named, quillet reports
# on the console instead of in message boxes.
expected=$top/tests/data/expected/HELLO.OBJ.EXE
for program in "$prefix"/bin/*; do
  name=$(basename "$program")
  mkdir "$work/$name"
  cp "$top/tests/data/hello.obj" "$work/$name/"
  if ! (cd "$work/$name" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" hello.obj >/dev/null); then
    fail "the installed $name did not convert hello.obj"
  elif ! cmp -s "$work/$name/HELLO.EXE" "$expected"; then
    fail "the installed $name wrote a HELLO.EXE unlike $expected"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures install checks failed in $build"
  exit 1
fi
echo "install tree of $build: ${pages[*]} and their files check out (version $version)"
