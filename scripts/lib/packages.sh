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

ensure_packages() {
  local missing
  missing=$(_missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "These packages are missing and sudo is not available: $missing" >&2; return 1; }
    sudo="sudo"
  fi
  echo "Installing: $(echo $missing)"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  # shellcheck disable=SC2086
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# What building and testing the core and the console converter needs: strace watches the
# order of the calls of a safe write, holds one up to interrupt it and makes calls fail;
# setfacl (acl) and setfattr (attr) give an earlier executable an ACL and an attribute to
# keep.
CORE_PACKAGES="cmake ninja-build g++ libgtest-dev binutils time strace acl attr"
# What building, running and testing the window needs besides: Qt 6 Widgets (its
# offscreen platform, which the window tests run on, included), Qt SVG for the icon, and
# a font with fixed-pitch faces for the dump lines.
WINDOW_PACKAGES="qt6-base-dev qt6-svg-dev fonts-dejavu-core"
# What taking the README's screenshot needs besides: a display server without a
# screen, a window manager for the window's frame, a hand on the keyboard and mouse,
# and a camera.
SCREENSHOT_PACKAGES="xvfb openbox xdotool imagemagick"

# What cross-building the core and the console converter for Windows needs, and running
# their tests under Wine besides (GoogleTest is built from the sources the googletest
# package installs, which libgtest-dev brings).
WINDOWS_BUILD_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix"
WINDOWS_PACKAGES="$WINDOWS_BUILD_PACKAGES googletest wine64"

# What checking the install tree needs: the validators of desktop entries and of
# AppStream metadata, and groff to render the man pages.
INSTALL_CHECK_PACKAGES="desktop-file-utils appstream groff-base"

# What building the Debian package needs besides: dpkg-shlibdeps (in dpkg-dev) and file,
# with which CPack finds the libraries the programs need, and lintian to check it.
PACKAGE_PACKAGES="dpkg-dev file lintian"

# What the sanitizer build and the fuzz targets need: clang with its sanitizer and
# libFuzzer runtimes; and clang-format, which checks the formatting (its version decides
# the layout, so it is the same 14 as the compiler's).
CHECK_PACKAGES="clang libclang-rt-14-dev clang-format-14 git"

# What the benchmarks and the comparison with other converters need.
BENCH_PACKAGES="libbenchmark-dev binutils srecord python3"
