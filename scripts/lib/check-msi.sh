#!/usr/bin/env bash
# Checks the Windows installer under Wine: builds it from what BUILD installs, installs it
# quietly as an administrator deploying it would, checks the files, the Start-menu
# shortcut, the Explorer command (run on a copy of an object file), the App Paths entry and
# the entry in Add or Remove Programs; installs the same installer built as a later
# version over it and finds one entry; finds the earlier one refused; uninstalls, and finds
# the Wine prefix's files and registry as they were before. Stops at the first check that
# fails.
# scripts/test-windows runs it once its tests have passed, in its throw-away Wine prefix
# (WINEPREFIX), with the Wine server running and a display with a window manager (DISPLAY)
# for the message box the Explorer command shows:
#   bash scripts/lib/check-msi.sh build-windows WINE_DIR
# Installs what it needs that is missing first.
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/lib/packages.sh
. scripts/lib/project-files.sh

# shellcheck disable=SC2086
ensure_packages $MSI_CHECK_PACKAGES

build=$1
wine=$2/wine64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Shortcuts made in the prefix stay there: no menu entries for this machine's desktop.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

passed=0
pass() {
  passed=$((passed + 1))
  echo "ok: $1"
}
fail() {
  echo "check-msi: $1" >&2
  echo "msi: $passed passed, 1 failed"
  exit 1
}

# The Windows path of a file here (Wine's drive Z: is /).
winpath() { printf 'Z:%s' "${1//\//\\}"; }
msiexec() { "$wine" msiexec "$1" "$(winpath "$2")" /qn; }

# The data of value NAME (empty: the key's default value) of registry key KEY; fails where
# there is none.
reg_value() {
  local output
  if [ -z "$2" ]; then
    output=$("$wine" reg query "$1" /ve 2>/dev/null) || return 1
  else
    output=$("$wine" reg query "$1" /v "$2" 2>/dev/null) || return 1
  fi
  tr -d '\r' <<<"$output" | sed -n 's/^    .*    REG_[A-Z_]*    \(.*\)$/\1/p'
}
expect_value() {
  local found
  found=$(reg_value "$1" "$2") || fail "no value '${2:-(Default)}' in $1"
  [ "$found" = "$3" ] || fail "$1 ${2:-(Default)} is '$found', not '$3'"
}

# Where the prefix's drive C: is, and the folder the programs go to.
drive_c=$WINEPREFIX/drive_c
target=$drive_c/Program\ Files/Kestrane\ Quillet
target_win='C:\Program Files\Kestrane Quillet'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
verb='shell\KestraneQuillet.Convert'

# The files in the prefix but Windows' own (the installer's cache in it included), and the
# registry's software settings and environment variables, the machine's and the user's,
# for comparing after the uninstall. (Wine adds keys of its own elsewhere when a window
# first shows, and lists the machine's network cards under NetworkCards the first time a
# program asks for them, as msiexec may: those are left out.)
registry_parts=('HKLM\Software' 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment'
  'HKCU\Software' 'HKCU\Environment')
snapshot() {
  (cd "$drive_c" && find . -path ./windows -prune -o -print && find ./windows -path './windows/Installer/*') |
    sort >"$work/$1.files"
  local part
  for part in "${registry_parts[@]}"; do
    "$wine" reg export "$part" "$(winpath "$work/$1.reg")" /y >/dev/null
    iconv -f UTF-16 -t UTF-8 "$work/$1.reg" | tr -d '\r' |
      awk '/^\[/ { wines = /\\NetworkCards(\\|\])/ } !wines'
  done >"$work/$1.registry"
}

# What Add or Remove Programs lists as Kestrane Quillet: one line per entry.
entries() { "$wine" uninstaller --list | tr -d '\r' | grep '|||Kestrane Quillet$' || true; }

# Checks what installing VERSION put in place.
check_installed() {
  local version=$1 file found links product icon ext
  found=$(find "$target" -mindepth 1 -printf '%P\n' | LC_ALL=C sort | xargs)
  [ "$found" = "LICENSE.txt README-Windows.txt quillet-cli.exe quillet.exe" ] ||
    fail "$target holds '$found'"
  for file in quillet.exe quillet-cli.exe README-Windows.txt LICENSE.txt; do
    cmp -s "$work/files/$file" "$target/$file" || fail "$target/$file is not the one built"
  done
  pass "$version: the programs, the read-me and the licence in $target_win"

  # A per-machine shortcut goes to the Start menu of all users on Windows, to the
  # user's under Wine: either is the Start menu's.
  mapfile -t links < <(find "$drive_c" -path '*/Start Menu/Programs/Kestrane Quillet.lnk')
  [ "${#links[@]}" -eq 1 ] || fail "${#links[@]} Start-menu shortcuts 'Kestrane Quillet': ${links[*]}"
  strings -a "${links[0]}" | grep -qxF "$target_win\\quillet.exe" || fail "the shortcut does not start $target_win\\quillet.exe"
  icon=$(strings -a -el "${links[0]}" | grep -o 'C:\\windows\\Installer\\{[-0-9A-F]*}\\quillet\.ico$') ||
    fail "the shortcut has no icon of the installer's"
  icon=${icon//\\//}
  cmp -s src/win32/resources/quillet.ico "$drive_c/${icon#C:/}" || fail "the shortcut's icon is not quillet.ico"
  pass "$version: the Start-menu shortcut 'Kestrane Quillet' to quillet.exe, with its icon"

  for ext in lst obj; do
    expect_value "HKLM\\Software\\Classes\\SystemFileAssociations\\.$ext\\$verb" "" "Convert to Kestrane executable"
    expect_value "HKLM\\Software\\Classes\\SystemFileAssociations\\.$ext\\$verb" Icon "$target_win\\quillet.exe"
    expect_value "HKLM\\Software\\Classes\\SystemFileAssociations\\.$ext\\$verb\\command" "" "\"$target_win\\quillet.exe\" \"%1\""
  done
  ! reg_value "HKLM\\Software\\Classes\\SystemFileAssociations\\.exe\\$verb" "" >/dev/null ||
    fail "an Explorer command on .exe files"
  pass "$version: the Explorer command 'Convert to Kestrane executable' on .lst and .obj files"

  expect_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\quillet-cli.exe' "" "$target_win\\quillet-cli.exe"
  expect_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\quillet-cli.exe' Path "$target_win\\"
  pass "$version: quillet-cli.exe in App Paths"

  found=$(entries)
  [ "$(grep -c . <<<"$found")" -eq 1 ] || fail "Add or Remove Programs lists: ${found:-nothing}"
  product=${found%%|*}
  expect_value "$uninstall_key\\$product" DisplayName "Kestrane Quillet"
  expect_value "$uninstall_key\\$product" DisplayVersion "$version"
  expect_value "$uninstall_key\\$product" Publisher "The Kestrane Quillet developers"
  # The entry's icon is the product's, which Windows Installer keeps with its own copy.
  icon=$("$wine" reg query 'HKLM\Software\Classes\Installer\Products' /s | tr -d '\r' |
    sed -n 's/^    ProductIcon    REG_SZ    \(.*\\{[-0-9A-F]*}\\quillet\.ico\)$/\1/p')
  [ "$(grep -c . <<<"$icon")" -eq 1 ] || fail "the product's icons: '$icon'"
  icon=${icon//\\//}
  cmp -s src/win32/resources/quillet.ico "$drive_c/${icon#C:/}" || fail "the entry's icon is not quillet.ico"
  pass "$version: one entry in Add or Remove Programs, with its name, version, publisher and icon"
}

echo "== The installer under Wine"
cmake --install "$build" --prefix "$work/files" --strip >/dev/null
version=$(project_version)
later=$version.1
msi=$work/kestrane-quillet-$version-x64.msi
later_msi=$work/kestrane-quillet-$later-x64.msi
bash scripts/lib/build-msi.sh "$work/files" "$msi"
bash scripts/lib/build-msi.sh "$work/files" "$later_msi" "$later"

snapshot before
msiexec /i "$msi" || fail "msiexec /i $(basename "$msi") /qn failed"
check_installed "$version"

# The Explorer command's line, run as Explorer runs it on a file in a folder whose name
# has a space; quillet.exe says in a message box how it went, and Enter closes it.
line=$(reg_value "HKLM\\Software\\Classes\\SystemFileAssociations\\.obj\\$verb\\command" "")
[[ $line =~ ^\"([^\"]+)\"\ \"%1\"$ ]] || fail "the Explorer command's line is '$line'"
mkdir "$work/My Files"
cp tests/data/hello.obj "$work/My Files/"
"$wine" "${BASH_REMATCH[1]}" "$(winpath "$work/My Files/hello.obj")" &
pid=$!
for _ in $(seq 120); do
  kill -0 "$pid" 2>/dev/null || break
  for window in $(xdotool search --name '^Kestrane Quillet - V' 2>/dev/null); do
    xdotool windowactivate --sync "$window" key Return 2>/dev/null || true
  done
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && { kill "$pid"; fail "the Explorer command did not end"; }
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the Explorer command exited with $status"
cmp -s "$work/My Files/HELLO.EXE" tests/data/expected/HELLO.OBJ.EXE ||
  fail "the Explorer command did not write the expected HELLO.EXE"
pass "the Explorer command converts My Files\\hello.obj into HELLO.EXE"

msiexec /i "$later_msi" || fail "msiexec /i $(basename "$later_msi") /qn failed"
check_installed "$later"
product=$(entries)
product=${product%%|*}

# The earlier version is refused with a message (which Wine's msiexec does not log: it is
# read from the installer), and the later one stays.
if msiexec /i "$msi"; then
  fail "$version installed over $later"
fi
msiinfo export "$msi" LaunchCondition | tr -d '\r' |
  grep -q $'^NOT WIX_DOWNGRADE_DETECTED\tA later version of Kestrane Quillet is already installed\.' ||
  fail "the installer has no message for a downgrade"
if [ "$(entries)" != "$product|||Kestrane Quillet" ] || [ ! -f "$target/quillet.exe" ]; then
  fail "refusing $version changed what $later installed"
fi
expect_value "$uninstall_key\\$product" DisplayVersion "$later"
pass "$version refused over $later, with a message"

msiexec /x "$later_msi" || fail "msiexec /x $(basename "$later_msi") /qn failed"
snapshot after
diff "$work/before.files" "$work/after.files" || fail "uninstalling changed the files above"
# Windows Installer leaves its own empty keys, made the first time it installs something.
changed=$(diff "$work/before.registry" "$work/after.registry" | grep '^[<>]' |
  grep -v '^> $' | grep -v '^> \[HKEY_LOCAL_MACHINE\\Software\\.*\\Installer\(\\[^]]*\)\?\]$' || true)
[ -z "$changed" ] || fail "uninstalling changed the registry: $changed"
[ -z "$(entries)" ] || fail "Add or Remove Programs still lists Kestrane Quillet"
pass "uninstalled: the files, the shortcut, the registry values and the entry gone, nothing else changed"

echo "msi: $passed passed, 0 failed"
