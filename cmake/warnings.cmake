# Strict warnings, applied per target so that third-party code is not affected. They are errors
# only where we control the compiler (scripts/test.sh and CI switch IDROVELA_WERROR on): a user's
# or a packager's build never fails on a new compiler's new warning.
option(IDROVELA_WERROR "Treat the compiler's warnings as errors" OFF)

function(idrovela_warnings target)
    target_compile_options(${target} PRIVATE
        -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Wold-style-cast)
    if(IDROVELA_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
