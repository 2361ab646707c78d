#pragma once

// The system's files, behind one small interface: reading a file whole, writing one atomically,
// and whether a process still runs. Everything that differs from one operating system to another
// is in file_system_posix.cpp and file_system_windows.cpp, one of which the build takes; a failure
// is a FileError in the words of file_error.h, whatever the system called it.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace idrovela::circuit {

// The whole of the regular file at `path`, read to its end however its size changes meanwhile.
// FileError for one that cannot be opened or read, is not a regular file (a folder; a FIFO, never
// waited on), or holds more than `maxBytes`, then with `tooLarge` as the reason.
[[nodiscard]] std::string ReadRegularFile(const std::filesystem::path& path,
                                          std::uintmax_t maxBytes, std::string_view tooLarge);

// A file written beside `path` and renamed over it once whole (through a symbolic link, over the
// file the link points to): until then the old file stays as it was, and whatever fails, the
// half-written one is removed. On POSIX systems it gets the old file's permissions, or those of
// any new file (0666 less the umask); on Windows those the folder gives a new file. Every
// failure is a FileError, which says whether an old file was there.
class AtomicFile {
  public:
    explicit AtomicFile(const std::filesystem::path& path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    // Whether a file was there to keep.
    [[nodiscard]] bool Existed() const { return existed_; }

    void Write(std::string_view text);
    // Flushes the new file to the disk (unless `sync` is false, for benchmarks), renames it over
    // the old one, and flushes the folder, so that the rename reaches the disk too.
    void Commit(bool sync);

  private:
    // The file a symbolic link at `path` points to, or `path`.
    [[nodiscard]] static std::filesystem::path Resolved(const std::filesystem::path& path);
    // The name of the file written beside `target`, with `unique` in it.
    [[nodiscard]] static std::filesystem::path TemporaryBeside(const std::filesystem::path& target,
                                                               std::string_view unique);
    // The system's error number (errno, or Windows' GetLastError()) as a FileError.
    [[noreturn]] void Fail(int error) const;

    std::filesystem::path target_;
    std::filesystem::path temporary_;
#ifdef _WIN32
    void* handle_ = nullptr;  // the new file's HANDLE while it is written
#else
    std::filesystem::path folder_;
    int descriptor_ = -1;
#endif
    bool renamed_ = false;
    bool existed_ = false;
};

// Writes `text` to `path` whole through an AtomicFile, flushed to the disk unless `sync` is false:
// on any failure (a FileError) the old file stays as it was.
void WriteWholeFile(const std::filesystem::path& path, std::string_view text, bool sync = true);

// Whether the process `pid` of this machine has ended (a program that died holding a lock).
[[nodiscard]] bool ProcessEnded(long long pid);

}  // namespace idrovela::circuit
