# Fails when a Windows program holds the C library's exp, log, log1p, log10 or pow (or their
# float and long double variants): imported from msvcrt.dll, as MinGW-w64 takes log10, or linked
# in from MinGW-w64's own library, as it takes the others. Either would give the machine's last
# bits, not the program's own. Run by CTest with -DOBJDUMP=<objdump> -DNM=<nm> -DPROGRAM=<exe>.
set(maths_names "^_*(exp|log|log1p|log10|pow)(f|l)?$")

execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM}
                OUTPUT_VARIABLE table RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} failed on ${PROGRAM}: ${errors}")
endif()
# The import table: "DLL Name: msvcrt.dll", then one "<tab>vma<tab>hint  name" line a function.
set(found "")
set(dll "")
set(imports 0)
string(REPLACE "\n" ";" lines "${table}")
foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.+)$")
        string(TOLOWER "${CMAKE_MATCH_1}" dll)
    elseif(line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([^ ]+)$")
        math(EXPR imports "${imports} + 1")
        if(dll STREQUAL "msvcrt.dll" AND CMAKE_MATCH_1 MATCHES "${maths_names}")
            list(APPEND found "imported from msvcrt.dll: ${CMAKE_MATCH_1}")
        endif()
    endif()
endforeach()
if(imports EQUAL 0)
    message(FATAL_ERROR "No import read from ${OBJDUMP} -p ${PROGRAM}: has its format changed?")
endif()

execute_process(COMMAND ${NM} --defined-only --format=posix ${PROGRAM}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NM} failed on ${PROGRAM}: ${errors}")
endif()
string(REPLACE "\n" ";" lines "${symbols}")
foreach(line IN LISTS lines)
    # posix format: "name type value [size]"
    if(line MATCHES "^([^ ]+) [Tt] ")
        if(CMAKE_MATCH_1 MATCHES "${maths_names}")
            list(APPEND found "linked in: ${CMAKE_MATCH_1}")
        endif()
    endif()
endforeach()

get_filename_component(name ${PROGRAM} NAME)
if(found)
    list(REMOVE_DUPLICATES found)
    list(JOIN found "\n  " listed)
    message(FATAL_ERROR "${name} holds the C library's maths (use maths/):\n  ${listed}")
endif()
message(STATUS "${name}: ${imports} imports, none of the C library's exp, log, log1p, log10, pow")
