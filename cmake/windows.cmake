# What the cross build for Windows (cmake/mingw-w64.cmake) needs beyond the toolchain: the
# runtime, the Unicode calls, the header-only and source-only libraries the Linux build takes from
# Debian, Qt for Windows when the window is built, and Wine to run the tests.
if(NOT WIN32)
    return()
endif()
if(IDROVELA_GUI)
    # Qt for Windows (scripts/windows-qt.sh), named in CMAKE_PREFIX_PATH, lies outside the
    # toolchain's root: it becomes a root of its own, where find_package(Qt6) looks. Its build
    # tools (moc, rcc, uic) are Debian's of the same version: QT_HOST_PATH=/usr.
    list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
    if(NOT QT_HOST_PATH)
        message(FATAL_ERROR "Building the window for Windows needs Qt for Windows in "
                            "CMAKE_PREFIX_PATH and -DQT_HOST_PATH=/usr "
                            "-DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "
                            "(scripts/windows.sh), or -DIDROVELA_GUI=OFF for the core alone")
    endif()
    # Liberation Sans, which the program carries on Windows (Debian package fonts-liberation2).
    set(IDROVELA_LIBERATION_FONTS /usr/share/fonts/truetype/liberation2 CACHE PATH
        "The folder of Liberation Sans's TrueType files")
    # Qt's DLLs use the C++ runtime's DLLs: the programs use the same ones, shipped beside them.
else()
    # The C++ runtime, libgcc and winpthread linked in, so that a program runs without their DLLs.
    add_link_options(-static)
endif()
# The wide-character ("W") Windows calls, and a <windows.h> without min and max macros.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

# nlohmann-json is header-only: Debian's headers are copied into the build, so that the cross
# compiler sees them and no other header of the build machine. find_package(nlohmann_json) then
# finds the small package written here.
find_path(IDROVELA_NLOHMANN_JSON_INCLUDE nlohmann/json.hpp
    PATHS /usr/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT IDROVELA_NLOHMANN_JSON_INCLUDE)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install the Debian package nlohmann-json3-dev")
endif()
set(idrovela_host_headers ${CMAKE_BINARY_DIR}/host-headers)
file(COPY ${IDROVELA_NLOHMANN_JSON_INCLUDE}/nlohmann DESTINATION ${idrovela_host_headers})
set(idrovela_json_package ${CMAKE_BINARY_DIR}/host-packages/nlohmann_json)
file(WRITE ${idrovela_json_package}/nlohmann_jsonConfig.cmake
"if(NOT TARGET nlohmann_json::nlohmann_json)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
    set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES ${idrovela_host_headers}
        INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${idrovela_host_headers})
endif()
")
file(READ ${IDROVELA_NLOHMANN_JSON_INCLUDE}/nlohmann/detail/abi_macros.hpp json_macros)
string(REGEX MATCH "NLOHMANN_JSON_VERSION_MAJOR ([0-9]+)" ignored "${json_macros}")
set(json_major ${CMAKE_MATCH_1})
string(REGEX MATCH "NLOHMANN_JSON_VERSION_MINOR ([0-9]+)" ignored "${json_macros}")
set(json_minor ${CMAKE_MATCH_1})
file(WRITE ${idrovela_json_package}/nlohmann_jsonConfigVersion.cmake
"set(PACKAGE_VERSION ${json_major}.${json_minor})
if(PACKAGE_FIND_VERSION VERSION_GREATER PACKAGE_VERSION)
    set(PACKAGE_VERSION_COMPATIBLE FALSE)
else()
    set(PACKAGE_VERSION_COMPATIBLE TRUE)
endif()
")
set(nlohmann_json_DIR ${idrovela_json_package})

# GoogleTest built from Debian's source (googletest), as the GTest:: targets tests/ links.
set(IDROVELA_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source")
function(idrovela_googletest_from_source)
    if(NOT EXISTS ${IDROVELA_GOOGLETEST_SOURCE}/CMakeLists.txt)
        message(FATAL_ERROR "No GoogleTest source in ${IDROVELA_GOOGLETEST_SOURCE}: install the "
                            "Debian package googletest")
    endif()
    set(BUILD_GMOCK OFF)
    set(INSTALL_GTEST OFF)
    add_subdirectory(${IDROVELA_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest
                     EXCLUDE_FROM_ALL SYSTEM)
    if(NOT TARGET GTest::gtest_main)
        add_library(GTest::gtest ALIAS gtest)
        add_library(GTest::gtest_main ALIAS gtest_main)
    endif()
endfunction()

# The tests run under Wine. CTest asks each test program for its tests when it runs it, not the
# build: a build does not start Wine once a program.
find_program(IDROVELA_WINE wine)
if(IDROVELA_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${IDROVELA_WINE})
endif()
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
