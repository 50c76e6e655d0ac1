# Every target of ours compiles with warnings as errors.
function(quillet_warnings target)
  if(MSVC)
    # /utf-8: sources and string literals are UTF-8, as the paths the core handles are.
    # _CRT_SECURE_NO_WARNINGS: the C library's file functions (_wfopen) are used as the
    # standard defines them, not through Microsoft's _s variants.
    target_compile_options(${target} PRIVATE /W4 /WX /utf-8)
    target_compile_definitions(${target} PRIVATE _CRT_SECURE_NO_WARNINGS)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  endif()
endfunction()
