# Installs BUILD_DIR into PREFIX and expects the program, its desktop entry and the icon at every
# size there, each icon as wide and as high as the folder it is in says.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -P installs.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(icon_sizes 16 32 48 64 128 256)
set(expected bin/idrovela share/applications/idrovela.desktop)
foreach(size IN LISTS icon_sizes)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/idrovela.png)
endforeach()
foreach(file IN LISTS expected)
    if(NOT EXISTS ${PREFIX}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# A PNG's width and height are the two big-endian 32-bit numbers at bytes 16 to 23.
foreach(size IN LISTS icon_sizes)
    set(icon ${PREFIX}/share/icons/hicolor/${size}x${size}/apps/idrovela.png)
    file(READ ${icon} signature LIMIT 8 HEX)
    if(NOT signature STREQUAL "89504e470d0a1a0a")
        message(FATAL_ERROR "${icon} is not a PNG file")
    endif()
    file(READ ${icon} width LIMIT 4 OFFSET 16 HEX)
    file(READ ${icon} height LIMIT 4 OFFSET 20 HEX)
    math(EXPR width "0x${width}")
    math(EXPR height "0x${height}")
    if(NOT width EQUAL size OR NOT height EQUAL size)
        message(FATAL_ERROR "${icon} is ${width}x${height}, not ${size}x${size}")
    endif()
endforeach()
