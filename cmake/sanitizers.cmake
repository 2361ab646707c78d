if(IDROVELA_SANITIZE)
    # Any report ends the process with a non-zero status, so a test that triggers one fails.
    set(idrovela_sanitize_flags -fsanitize=address,undefined -fno-sanitize-recover=all
                                -fno-omit-frame-pointer)
    add_compile_options(${idrovela_sanitize_flags})
    add_link_options(${idrovela_sanitize_flags})
endif()
