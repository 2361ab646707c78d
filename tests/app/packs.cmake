# Packs BUILD_DIR with cpack -G DEB into OUTPUT_DIR and expects one package,
# idrovela_VERSION_ARCH.deb, of that version, whose files are those an install holds, under /usr.
# Usage: cmake -DBUILD_DIR=... -DOUTPUT_DIR=... -DVERSION=... -P packs.cmake
file(REMOVE_RECURSE ${OUTPUT_DIR})
execute_process(COMMAND cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${OUTPUT_DIR}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed (${result}):\n${output}")
endif()

execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE arch
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
file(GLOB packages RELATIVE ${OUTPUT_DIR} ${OUTPUT_DIR}/*.deb)
if(NOT packages STREQUAL "idrovela_${VERSION}_${arch}.deb")
    message(FATAL_ERROR "expected idrovela_${VERSION}_${arch}.deb, cpack made: [${packages}]")
endif()
set(deb ${OUTPUT_DIR}/${packages})

foreach(field_and_value "Package=idrovela" "Version=${VERSION}" "Architecture=${arch}")
    string(REPLACE "=" ";" field_and_value "${field_and_value}")
    list(GET field_and_value 0 field)
    list(GET field_and_value 1 expected)
    execute_process(COMMAND dpkg-deb --field ${deb} ${field} OUTPUT_VARIABLE value
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    if(NOT value STREQUAL expected)
        message(FATAL_ERROR "the package's ${field} is \"${value}\", not \"${expected}\"")
    endif()
endforeach()

# Beside the libraries it links, it needs the font every control is drawn in and Qt's Italian
# texts for the standard dialogs.
execute_process(COMMAND dpkg-deb --field ${deb} Depends OUTPUT_VARIABLE depends
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
foreach(package fonts-liberation2 qt6-translations-l10n)
    if(NOT depends MATCHES "(^|, )${package}(,|$| )")
        message(FATAL_ERROR "the package does not depend on ${package}: ${depends}")
    endif()
endforeach()

# dpkg-deb -c lists "MODE OWNER SIZE DATE TIME ./PATH", one file a line.
execute_process(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE listing
                COMMAND_ERROR_IS_FATAL ANY)
include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
foreach(file IN LISTS idrovela_installed_files)
    string(FIND "${listing}" " ./usr/${file}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the package lacks /usr/${file}:\n${listing}")
    endif()
endforeach()
