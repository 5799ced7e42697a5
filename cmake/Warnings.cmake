# Project-wide warning flags; third-party headers come in as system includes.
function(tavo_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
endfunction()
