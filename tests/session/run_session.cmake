# Runs RUNNER on SCRIPT and checks its standard output against EXPECTED and its exit status
# against STATUS. EMULATOR, when given, runs RUNNER (Wine for a Windows build).
execute_process(COMMAND ${EMULATOR} ${RUNNER} ${SCRIPT}
    OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT status EQUAL STATUS)
    message(FATAL_ERROR "exit status ${status}, expected ${STATUS}; stderr: ${errors}")
endif()
if(NOT output STREQUAL expected)
    message(FATAL_ERROR "output differs from ${EXPECTED}:\n${output}")
endif()
