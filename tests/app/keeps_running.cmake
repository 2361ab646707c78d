# Starts PROGRAM and expects it still to be running, its window open, after SECONDS.
# EMULATOR, when given, runs PROGRAM (Wine for a Windows build).
# Usage: cmake [-DEMULATOR=...] -DPROGRAM=... -DSECONDS=... -P keeps_running.cmake
execute_process(COMMAND ${EMULATOR} ${PROGRAM} TIMEOUT ${SECONDS}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result MATCHES "timeout")
    message(FATAL_ERROR "${PROGRAM} ended within ${SECONDS} s (${result}):\n${output}")
endif()
