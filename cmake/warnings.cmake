# Strict warnings, applied per target so that third-party code is not affected.
function(idrovela_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast
        -Werror)
endfunction()
