# Instrumented builds. Both options apply to every target of the build, so the core, the
# tests and quillet-cli are checked alike.
#
#   QUILLET_SANITIZE  AddressSanitizer + UndefinedBehaviorSanitizer; any finding ends the
#                     program with an error, so a test that trips one fails.
#   QUILLET_FUZZ      libFuzzer coverage for the fuzz targets (clang only).

if(QUILLET_SANITIZE)
  if(MSVC)
    message(FATAL_ERROR "QUILLET_SANITIZE needs gcc or clang")
  endif()
  set(_quillet_sanitize -fsanitize=address,undefined -fno-sanitize-recover=all)
  add_compile_options(${_quillet_sanitize} -fno-omit-frame-pointer -g)
  add_link_options(${_quillet_sanitize})
endif()

if(QUILLET_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "QUILLET_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
