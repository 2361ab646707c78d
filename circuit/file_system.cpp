// What the program's files do the same way on every system; the rest is in file_system_posix.cpp
// or file_system_windows.cpp.

#include "circuit/file_system.h"

#include <system_error>

namespace idrovela::circuit {

std::filesystem::path AtomicFile::Resolved(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) {
        return path;
    }
    std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target;
}

std::filesystem::path AtomicFile::TemporaryBeside(const std::filesystem::path& target,
                                                  std::string_view unique) {
    // A hidden name on POSIX systems; a name no one saves under anywhere.
    std::filesystem::path name(".");
    name += target.filename();
    name += ".";
    name += std::string(unique);
    return target.has_parent_path() ? target.parent_path() / name : name;
}

void WriteWholeFile(const std::filesystem::path& path, std::string_view text, bool sync) {
    AtomicFile file(path);
    file.Write(text);
    file.Commit(sync);
}

}  // namespace idrovela::circuit
