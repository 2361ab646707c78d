# Installs BUILD_DIR under ROOT/usr, as a package would, and expects the program, the session
# runner, their manual pages, its desktop entry, its AppStream metainfo, its licence and the icon
# at every size there, each icon as wide and as high as the folder it is in says; each manual page
# gzipped and its program's; the installed session runner working out the circuit file CIRCUIT.
# With APPSTREAMCLI, the installed tree must also pass AppStream's checks (the metainfo and the
# desktop entry it launches, together).
# Usage: cmake -DBUILD_DIR=... -DROOT=... -DLICENSE=... -DCIRCUIT=... [-DAPPSTREAMCLI=...]
#        -P installs.cmake
set(prefix ${ROOT}/usr)
file(REMOVE_RECURSE ${ROOT})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/installed_files.cmake)
foreach(file IN LISTS idrovela_installed_files)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# A PNG's width and height are the two big-endian 32-bit numbers at bytes 16 to 23.
foreach(size IN LISTS idrovela_icon_sizes)
    set(icon ${prefix}/share/icons/hicolor/${size}x${size}/apps/idrovela.png)
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

# A gzip file starts with the bytes 1f 8b; the page inside is the program's.
foreach(program idrovela idrovela-session)
    set(page ${prefix}/share/man/man1/${program}.1.gz)
    file(READ ${page} signature LIMIT 2 HEX)
    if(NOT signature STREQUAL "1f8b")
        message(FATAL_ERROR "${page} is not gzipped")
    endif()
    execute_process(COMMAND gzip -dc ${page} OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
    string(TOUPPER "${program}" title)
    string(REPLACE "-" "\\-" title "${title}")  # roff's minus sign
    string(FIND "${text}" ".TH ${title} 1 " at)
    if(NOT at EQUAL 0 OR NOT text MATCHES "\n\\.SH NAME\n")
        message(FATAL_ERROR "${page} is not the manual page of ${program}:\n${text}")
    endif()
endforeach()

# The installed session runner, on its own, works out a circuit file.
file(WRITE ${ROOT}/circuit.session "circuit ${CIRCUIT}\n")
execute_process(COMMAND ${prefix}/bin/idrovela-session ${ROOT}/circuit.session
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT output MATCHES "^circuit\\.segments=[0-9]+\n"
   OR NOT output MATCHES "\npump\\.head_pa=[0-9.e+-]+\n")
    message(FATAL_ERROR "the installed idrovela-session did not work out ${CIRCUIT} "
                        "(${result}):\n${output}${errors}")
endif()

# The copyright file names the licence and holds its copyright line and every line of its text.
file(READ ${prefix}/share/doc/idrovela/copyright copyright)
file(STRINGS ${LICENSE} licence_lines)
set(in_text FALSE)
set(has_copyright FALSE)
set(needed "License: Expat" "MIT")
foreach(line IN LISTS licence_lines)
    if(line MATCHES "^Copyright \\(c\\) (.+)$")
        set(has_copyright TRUE)
        list(APPEND needed "Copyright: ${CMAKE_MATCH_1}\n")
    elseif(line MATCHES "^Permission is hereby granted")
        set(in_text TRUE)
    endif()
    if(in_text AND NOT line STREQUAL "")
        list(APPEND needed "\n ${line}\n")
    endif()
endforeach()
if(NOT has_copyright OR NOT in_text)
    message(FATAL_ERROR "${LICENSE} is not the MIT licence with a copyright line")
endif()
foreach(text IN LISTS needed)
    string(FIND "${copyright}" "${text}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the copyright file lacks \"${text}\":\n${copyright}")
    endif()
endforeach()

if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate-tree --no-net --strict ${ROOT}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate-tree failed (${result}):\n${output}")
    endif()
endif()
