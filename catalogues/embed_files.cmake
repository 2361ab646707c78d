# Writes data files into a C++ source that defines FUNCTION() (embedded_files.h), so that the
# program carries its built-in catalogues with it.
#   cmake -DDATA_DIR=dir -DNAMES=a|b|c -DFUNCTION=EmbeddedFiles -DOUTPUT=file.cpp -P embed_files.cmake
# reads dir/a.csv, dir/b.csv, dir/c.csv, in that order.
string(REPLACE "|" ";" names "${NAMES}")

set(arrays "")
set(entries "")
set(index 0)
foreach(name IN LISTS names)
    set(path "${DATA_DIR}/${name}.csv")
    file(READ "${path}" hex HEX)
    if(hex STREQUAL "")
        message(FATAL_ERROR "${path} is empty")
    endif()
    # One char literal a byte, sixteen to a line.
    string(LENGTH "${hex}" hex_length)
    set(bytes "")
    set(offset 0)
    while(offset LESS hex_length)
        string(SUBSTRING "${hex}" ${offset} 32 line)
        string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1', " line "${line}")
        string(APPEND bytes "    ${line}\n")
        math(EXPR offset "${offset} + 32")
    endwhile()
    string(APPEND arrays "constexpr char kFile${index}[] = {\n${bytes}};\n\n")
    string(APPEND entries "    {\"${name}\", {kFile${index}, sizeof kFile${index}}},\n")
    math(EXPR index "${index} + 1")
endforeach()

file(WRITE "${OUTPUT}.new"
"// Written by catalogues/embed_files.cmake from the catalogue data files; edit those instead.

#include \"catalogues/embedded_files.h\"

namespace idrovela::catalogues {

namespace {

${arrays}constexpr EmbeddedFile kFiles[] = {
${entries}};

}  // namespace

std::span<const EmbeddedFile> ${FUNCTION}() {
    return kFiles;
}

}  // namespace idrovela::catalogues
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
