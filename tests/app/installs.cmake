# Installs BUILD_DIR into PREFIX and expects the program, its desktop entry and both icons there.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -P installs.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file bin/idrovela share/applications/idrovela.desktop
             share/icons/hicolor/16x16/apps/idrovela.png share/icons/hicolor/32x32/apps/idrovela.png)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()
