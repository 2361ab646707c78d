# Renders each manual page of PAGES with MAN as lintian does, and fails on any warning of groff or
# man, or a page without its NAME, SYNOPSIS and DESCRIPTION.
# Usage: cmake -DMAN=... -DPAGES=page.1;... -P manual_pages_render.cmake
foreach(page IN LISTS PAGES)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANROFFSEQ= MANWIDTH=80
                ${MAN} --warnings -E UTF-8 -l -Tutf8 ${page}
        RESULT_VARIABLE result OUTPUT_VARIABLE text ERROR_VARIABLE warnings)
    if(NOT result EQUAL 0 OR NOT warnings STREQUAL "")
        message(FATAL_ERROR "${page} (${result}):\n${warnings}")
    endif()
    # Bold and underlined as on a teletype: each letter, a backspace, the letter again.
    string(ASCII 8 backspace)
    string(REGEX REPLACE ".${backspace}" "" text "${text}")
    foreach(section NAME SYNOPSIS DESCRIPTION)
        if(NOT text MATCHES "\n${section}\n")
            message(FATAL_ERROR "${page} has no ${section} section:\n${text}")
        endif()
    endforeach()
endforeach()
