# Installs the Debian or Ubuntu packages the project needs, only those that are missing,
# so a second run is quick and needs no network.
#   ensure_packages cmake ninja-build g++ ...

_missing_packages() {
  local pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$pkg"
    fi
  done
}

# apt-get, waiting up to 10 minutes for the package lock where another program (an
# upgrade in the background, another build) holds it, instead of failing at once.
_apt_get() {
  $_sudo env DEBIAN_FRONTEND=noninteractive LC_ALL=C apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# apt-get update takes the package lists' lock, for which apt (2.6) does not wait
# whatever DPkg::Lock::Timeout says: it is tried again every 5 seconds, for up to 10
# minutes, while apt-get says the lock is held.
_apt_get_update() {
  local waited=0 output
  until output=$(_apt_get update -qq 2>&1); do
    if ! grep -q 'Could not get lock' <<<"$output" || [ "$waited" -ge 600 ]; then
      printf '%s\n' "$output" >&2
      return 1
    fi
    [ "$waited" -eq 0 ] && echo "Waiting for another program to finish with the package lists..."
    sleep 5
    waited=$((waited + 5))
  done
  [ -z "$output" ] || printf '%s\n' "$output"
}

# apt-get runs as root: through sudo for anyone else. Without sudo, MESSAGE says what
# is missing.
_sudo_for() {
  _sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "$1" >&2; return 1; }
    _sudo="sudo"
  fi
}

ensure_packages() {
  local missing
  missing=$(_missing_packages "$@")
  [ -z "$missing" ] && return 0
  _sudo_for "These packages are missing and sudo is not available: $(echo $missing)
Run this script once as root, which installs them; or install sudo; or have root run:
  apt-get install $(echo $missing)" || return 1
  echo "Installing: $(echo $missing)"
  echo "(with what they need: on a first run this downloads and sets up a few hundred megabytes)"
  _apt_get_update
  # apt's own progress, a line a package as it is fetched, unpacked and set up; a second
  # run finds nothing missing and says nothing.
  # shellcheck disable=SC2086
  _apt_get install -y -q --no-install-recommends $missing | _apt_progress
}

# apt's lines that tell how far an install has come: each package fetched, and each set
# up, without the unpacking and trigger lines between.
_apt_progress() {
  grep --line-buffered -E '^(Get:|Setting up |E: |W: |dpkg: |Errors )' || true
}

# Installs what the Debian source package in DIR needs to build (its Build-Depends)
# where dpkg-checkbuilddeps finds something missing.
#   ensure_build_depends build-package/kestrane-quillet-1.20
ensure_build_depends() {
  local dir
  dir=$(cd "$1" && pwd)
  (cd "$dir" && dpkg-checkbuilddeps) 2>/dev/null && return 0
  _sudo_for "The build dependencies of $1 are missing and sudo is not available.
Run this script once as root, which installs them; or install sudo; or have root run:
  apt-get build-dep $dir" || return 1
  echo "Installing the build dependencies of $1"
  _apt_get_update
  _apt_get build-dep -y -q --no-install-recommends "$dir" | _apt_progress
}

# What building and testing the core and the console converter needs: strace watches the
# order of the calls of a safe write, holds one up to interrupt it and makes calls fail;
# setfacl (acl) and setfattr (attr) give an earlier executable an ACL and an attribute to
# keep; mkfs.fat (dosfstools) and fusefat make and mount a FAT image, a memory card whose
# names fold case.
CORE_PACKAGES="cmake ninja-build g++ libgtest-dev binutils time strace acl attr dosfstools fusefat"
# What building, running and testing the window needs besides: Qt 6 Widgets (its
# offscreen platform, which the window tests run on, included), Qt SVG for the icon, and
# a font with fixed-pitch faces for the dump lines.
WINDOW_PACKAGES="qt6-base-dev qt6-svg-dev fonts-dejavu-core"
# What taking the README's screenshot needs besides: a display server without a
# screen, a window manager for the window's frame, a hand on the keyboard and mouse,
# and a camera.
SCREENSHOT_PACKAGES="xvfb openbox xdotool imagemagick"

# What hearing the window as a screen reader does, over the accessibility bus, and seeing
# its frame on a screen, need: a display server with a window manager, a hand on the
# keyboard and the tools that read a window's place (x11-utils), a D-Bus session, the
# AT-SPI bus and its Python client.
DESKTOP_TEST_PACKAGES="xvfb openbox xdotool x11-utils dbus at-spi2-core python3-pyatspi"

# What cross-building the programs for Windows needs, and running their tests under Wine
# besides (GoogleTest is built from the sources the googletest package installs, which
# libgtest-dev brings), the Windows window's on a display of their own with a window
# manager.
WINDOWS_BUILD_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix"
WINDOWS_PACKAGES="$WINDOWS_BUILD_PACKAGES googletest wine64 xvfb openbox"

# What building the Windows installer needs (wixl, from msitools' sources), and checking
# it under Wine besides: msiinfo (msitools) reads its tables, and xdotool closes the
# message box its Explorer command shows.
MSI_BUILD_PACKAGES="wixl"
MSI_CHECK_PACKAGES="$MSI_BUILD_PACKAGES msitools xdotool"

# What checking the install tree needs: the validators of desktop entries and of
# AppStream metadata, groff to render the man pages, and dpkg-dev to read debian/.
INSTALL_CHECK_PACKAGES="desktop-file-utils appstream groff-base dpkg-dev"

# What building the Debian packages needs before their own Build-Depends (debian/control,
# which ensure_build_depends installs): dpkg-buildpackage, and lintian to check them.
PACKAGE_PACKAGES="dpkg-dev lintian"

# What the sanitizer build and the fuzz targets need: clang with its sanitizer and
# libFuzzer runtimes; and clang-format, which checks the formatting (its version decides
# the layout, so it is the same 14 as the compiler's).
CHECK_PACKAGES="clang libclang-rt-14-dev clang-format-14"

# What the benchmarks and the comparison with other converters need.
BENCH_PACKAGES="libbenchmark-dev binutils srecord python3"
