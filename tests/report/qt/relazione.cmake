# Runs `PROGRAM --relazione IN OUT` and checks its exit status: 0 with a PDF written at OUT, or
# not 0 with EXPECTED_ERROR on standard error and nothing written. With SAME, IN is first copied
# to OUT and OUT given for both: OUT must stay the circuit it was.
# EMULATOR, when given, runs PROGRAM (Wine for a Windows build).
# Usage: cmake [-DEMULATOR=...] -DPROGRAM=... -DIN=... -DOUT=... [-DEXPECTED_ERROR=...] [-DSAME=1]
#        -P relazione.cmake
file(REMOVE ${OUT})
if(SAME)
    file(COPY_FILE ${IN} ${OUT})
    set(circuit ${IN})
    set(IN ${OUT})
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --relazione ${IN} ${OUT} TIMEOUT 60
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT DEFINED EXPECTED_ERROR)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "exit status ${status}, not 0:\n${output}${errors}")
    endif()
    if(NOT EXISTS ${OUT})
        message(FATAL_ERROR "no PDF at ${OUT}")
    endif()
    file(READ ${OUT} start LIMIT 5 HEX)
    if(NOT start STREQUAL "255044462d")  # %PDF-
        message(FATAL_ERROR "${OUT} is not a PDF: it starts with the bytes ${start}")
    endif()
    return()
endif()
if(status EQUAL 0 OR NOT status MATCHES "^[0-9]+$")
    message(FATAL_ERROR "exit status ${status}, not an error:\n${output}${errors}")
endif()
string(FIND "${errors}" "${EXPECTED_ERROR}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "standard error lacks '${EXPECTED_ERROR}':\n${errors}")
endif()
if(SAME)
    file(SHA256 ${circuit} before)
    file(SHA256 ${OUT} after)
    if(NOT before STREQUAL after)
        message(FATAL_ERROR "the circuit ${OUT} was written over")
    endif()
elseif(EXISTS ${OUT})
    message(FATAL_ERROR "a PDF was written at ${OUT} all the same")
endif()
