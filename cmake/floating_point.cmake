# Every formula is a fixed sequence of IEEE double operations whose order is part of the
# result. A fused multiply-add, or any "fast math" reassociation, would change the results,
# so contraction is switched off everywhere and fast-math flags are refused.
add_compile_options(-ffp-contract=off -fno-fast-math)

foreach(flags_var CMAKE_CXX_FLAGS CMAKE_CXX_FLAGS_RELEASE CMAKE_CXX_FLAGS_RELWITHDEBINFO)
    if("${${flags_var}}" MATCHES "-ffast-math|-march=native|-Ofast")
        message(FATAL_ERROR "${flags_var} holds a flag that changes floating-point results: "
                            "${${flags_var}}")
    endif()
endforeach()
