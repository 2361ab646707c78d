if(IDROVELA_SANITIZE)
    # Any report ends the process with a non-zero status, so a test that triggers one fails.
    set(idrovela_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                                -fno-omit-frame-pointer)
    add_compile_options(${idrovela_sanitize_flags})
    add_link_options(${idrovela_sanitize_flags})
endif()

if(IDROVELA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "IDROVELA_FUZZ needs clang: configure with CMAKE_CXX_COMPILER=clang++")
    endif()
    # Coverage for libFuzzer in every object; the targets link the fuzzer's main themselves.
    set(idrovela_fuzz_flags -fsanitize=fuzzer-no-link,address,undefined
                            -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${idrovela_fuzz_flags})
    add_link_options(-fsanitize=address,undefined)
endif()
