# Packages built by CPack from the install rules (cmake/Install.cmake): on Linux a Debian
# package and a tarball, from the Windows cross-build a zip of quillet-cli.exe with the
# README and the licence. scripts/package builds them into dist/; by hand:
#   cmake --build build && cd build && cpack

set(QUILLET_PACKAGE_MAINTAINER "The Kestrane Quillet developers <quillet@kestrane.invalid>"
    CACHE STRING "The Debian package's Maintainer: a name and a mail address")

set(CPACK_PACKAGE_NAME kestrane-quillet)
set(CPACK_PACKAGE_VENDOR "The Kestrane Quillet developers")
set(CPACK_PACKAGE_CONTACT "${QUILLET_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert Tasm assembler output into Kestrane executables")
# Debian shows the description as it stands, so its lines are kept under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION "\
Kestrane Quillet reads a listing or an Intel HEX object file written by the
Tasm assembler and saves the block it holds as an executable for the Kestrane,
an 8-bit machine with a 64K address space handled in 16K pages: a 512-byte
header carrying the load address (ORG), the entry address (ENT) and the
initial stack pointer (SP), followed by the bytes of the block.

The window, quillet, shows the block as a hex dump, moves it to load at
another address, sets ENT and SP, and saves the executable. The console
converter, quillet-cli, does the same from build scripts, with an exit status
that says whether the executable was written.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR DEB TGZ)
endif()

# The Debian package: kestrane-quillet_VERSION_ARCH.deb, its dependencies found by
# dpkg-shlibdeps from the libraries the programs link, and the control files with the
# permissions Debian requires.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
