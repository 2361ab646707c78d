#pragma once

// Why a file could not be read or written, in the user's words: one table for every file the
// program reads or writes (a circuit, its recovery copy, the report, the CSV), so that one fault
// has one set of words wherever it happens.

#include <stdexcept>
#include <string>
#include <string_view>

namespace idrovela::circuit {

// What went wrong with a file, whatever the system called it.
enum class FileFault {
    NoFile,         // the file to read is not there
    NoFolder,       // the folder to write in is not there
    Denied,         // permission denied
    ReadOnlyDisk,   // a read-only file system
    DiskFull,       // no room left, or over the quota
    Folder,         // a folder where a file should be
    NotRegular,     // a device, a pipe or a socket
    TooLarge,       // over the system's limit for a file
    PathNotFolder,  // a part of the path is a file
    NameTooLong,
};

// The words for a fault: "permesso negato".
[[nodiscard]] std::string_view FaultWords(FileFault fault);

// A file that could not be read or written; what() gives the reason in the user's words, without
// the file's name. `hadOldFile`: a write found a file in its place, which stays as it was.
class FileError : public std::runtime_error {
  public:
    explicit FileError(const std::string& reason, bool hadOldFile = false);
    FileError(FileFault fault, bool hadOldFile = false);

    [[nodiscard]] bool HadOldFile() const { return hadOldFile_; }

  private:
    bool hadOldFile_;
};

}  // namespace idrovela::circuit
