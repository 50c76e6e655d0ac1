# Hardening of every Linux build, the flags Debian gives its own packages with
# DEB_BUILD_MAINT_OPTIONS=hardening=+all, and two more:
#
#   -D_FORTIFY_SOURCE=2        the C library's checked string, memory and I/O functions
#                              where the size of the buffer is known (needs optimisation)
#   -fstack-protector-strong   a canary on every stack frame that holds an array
#   -fstack-clash-protection   large stack frames probed a page at a time
#   -fcf-protection            Intel CET's markers on indirect branch targets
#   PIE                        the programs load at a random address
#   -z relro -z now            every symbol bound at start, its table made read-only
#
# What they cost, measured, is in docs/performance.md: a few instructions in a thousand,
# and the static quillet-cli's start, which relocates itself. The Windows cross-build
# keeps its own defaults; the sanitizer and fuzz builds get everything but
# _FORTIFY_SOURCE, whose checked copies of memcpy and the like would hide the calls from
# AddressSanitizer, which checks them itself.

option(QUILLET_HARDENING "Build with Debian's hardening flags (on Linux)" ON)

if(QUILLET_HARDENING AND CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT MSVC)
  add_compile_options(-fstack-protector-strong -fstack-clash-protection -fcf-protection)
  add_link_options(LINKER:-z,relro LINKER:-z,now)

  # Only the optimised configurations: glibc warns, and -Werror fails, without it. -U
  # first, so that a compiler that defines it already (as Ubuntu's does) is not told twice.
  if(NOT QUILLET_SANITIZE AND NOT QUILLET_FUZZ)
    set(optimised $<OR:$<CONFIG:Release>,$<CONFIG:RelWithDebInfo>,$<CONFIG:MinSizeRel>>)
    add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
  endif()

  # Debian's and Ubuntu's gcc and clang build position-independent executables unless told
  # otherwise, as the window must be (Qt wants -fPIC, and says so). Any other compiler is
  # asked for it the CMake way.
  include(CheckCXXSourceCompiles)
  check_cxx_source_compiles("#ifndef __PIE__\n#error not PIE\n#endif\nint main() { return 0; }"
                            QUILLET_COMPILER_DEFAULTS_TO_PIE)
  if(NOT QUILLET_COMPILER_DEFAULTS_TO_PIE)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  endif()
endif()
