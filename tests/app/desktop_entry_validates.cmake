# Runs desktop-file-validate on FILE and fails on any error or warning; hints are allowed.
# (desktop-file-validate itself exits 0 on the errors it calls "will be fatal in the future".)
# Usage: cmake -DVALIDATE=... -DFILE=... -P desktop_entry_validates.cmake
execute_process(COMMAND ${VALIDATE} ${FILE}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR output MATCHES ": (error|warning): ")
    message(FATAL_ERROR "desktop-file-validate ${FILE} (${result}):\n${output}")
endif()
message(STATUS "${output}")
