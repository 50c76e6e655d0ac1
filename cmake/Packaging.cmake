# The archives CPack builds from the install rules (cmake/Install.cmake): on Linux a
# tarball, from the Windows cross-build a zip of the programs with their read-me and the
# licence. The Debian package is Debian's own kind of build, from debian/. scripts/package
# builds all of them into dist/; by hand:
#   cmake --build build && cd build && cpack

set(CPACK_PACKAGE_NAME kestrane-quillet)
set(CPACK_PACKAGE_VENDOR "The Kestrane Quillet developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert Tasm assembler output into Kestrane executables")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_SYSTEM_NAME win64)
else()
  set(CPACK_GENERATOR TGZ)
endif()

include(CPack)
