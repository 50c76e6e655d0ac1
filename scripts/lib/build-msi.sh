#!/usr/bin/env bash
# Builds the Windows installer with wixl from packaging/windows/kestrane-quillet.wxs and
# the files the Windows build installs side by side (quillet.exe, quillet-cli.exe,
# README-Windows.txt, LICENSE.txt: the zip's contents, or `cmake --install` of a Windows
# build). VERSION is the project's (CMakeLists.txt) unless given: the tests build the same
# installer as a later version to upgrade to.
#   bash scripts/lib/build-msi.sh FILES OUTPUT.msi [VERSION]
set -euo pipefail
cd "$(dirname "$0")/../.."
. scripts/lib/project-files.sh

[ $# -ge 2 ] || { echo "usage: scripts/lib/build-msi.sh FILES OUTPUT.msi [VERSION]" >&2; exit 2; }
files=$1
output=$(realpath -m "$2")
version=${3:-$(project_version)}
source=$PWD/packaging/windows/kestrane-quillet.wxs
icon=$PWD/src/win32/resources/quillet.ico

# wixl (0.101) finds files by paths relative to the folder it runs in, and no other.
cd "$files"
wixl -a x64 -D Version="$version" -D Files=. -D Icon="$(realpath --relative-to=. "$icon")" \
  -o "$output" "$source"
