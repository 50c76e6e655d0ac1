# Every target of ours compiles with warnings as errors, the strict ones included: a
# shadowed name, a conversion that may change a value or its sign, and anything outside
# standard C++. Qt's and GoogleTest's headers come in as system headers and are not held
# to this.
function(quillet_warnings target)
  if(MSVC)
    # /utf-8: sources and string literals are UTF-8, as the paths the core handles are.
    # /w14242 /w14254 /w14267 /w14287: conversions that may lose data, as -Wconversion;
    # /w14456 to /w14459: shadowed names, as -Wshadow; /permissive-: standard C++ only.
    # _CRT_SECURE_NO_WARNINGS: the C library's file functions are used as the standard
    # defines them, not through Microsoft's _s variants.
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8 /permissive-
      /w14242 /w14254 /w14267 /w14287 /w14456 /w14457 /w14458 /w14459)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wconversion -Wsign-conversion -Wpedantic
                                             -Werror)
  endif()
endfunction()
