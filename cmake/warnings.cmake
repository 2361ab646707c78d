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
    # GCC 12 at -O3 warns of overlapping copies inside std::string's own operator+ and insert,
    # where there are none (GCC bugs 105329 and 105651, mended in GCC 13): the warning stays on
    # with every other compiler.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12
       AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
endfunction()
