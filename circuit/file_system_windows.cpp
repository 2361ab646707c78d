// The Windows side of the program's files: its error codes mapped onto FileFault, its temporary
// file, flush and rename, and its test of a process. Paths reach the system as UTF-16, through
// the wide-character calls.

#include <windows.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <utility>

#include "circuit/file_error.h"
#include "circuit/file_system.h"
#include "text/path_text.h"

namespace idrovela::circuit {

namespace {

enum class Access { Read, Write };

// Windows' codes that MinGW-w64's headers leave out.
constexpr DWORD kDirectoryNotSupported = 336;  // ERROR_DIRECTORY_NOT_SUPPORTED
constexpr DWORD kDiskQuotaExceeded = 1295;     // ERROR_DISK_QUOTA_EXCEEDED

// What the system says of an error outside the table, in its own language: one line, without the
// full stop the caller adds.
std::string SystemWords(DWORD error) {
    std::array<wchar_t, 512> words{};
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), words.data(), words.size(), nullptr);
    std::u16string text(words.begin(), words.begin() + length);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ' ||
                             text.back() == u'.')) {
        text.pop_back();
    }
    if (text.empty()) {
        return "errore di sistema " + std::to_string(error);
    }
    for (char16_t& unit : text) {
        if (unit == u'\r' || unit == u'\n') {
            unit = u' ';
        }
    }
    return text::Utf8FromUtf16(text);
}

// Whether a part of the path before its last is a file. Windows says only that the path is not
// found; POSIX systems, and the program's words, say that a part of it is not a folder.
bool PartIsAFile(const std::filesystem::path& path) {
    for (std::filesystem::path part = path.parent_path(); !part.empty();) {
        const DWORD attributes = ::GetFileAttributesW(part.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) {
            return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        }
        std::filesystem::path parent = part.parent_path();
        if (parent == part) {
            break;
        }
        part = std::move(parent);
    }
    return false;
}

// Whether a part of the path is longer than a name may be (255 UTF-16 units on Windows' file
// systems), which Windows, and Wine more so, may report as a path not found.
bool PartTooLong(const std::filesystem::path& path) {
    constexpr std::size_t kLongestName = 255;
    return std::any_of(path.begin(), path.end(), [](const std::filesystem::path& part) {
        return part.native().size() > kLongestName;
    });
}

// The system's error with `path` in the user's words: the table's, or the system's own for one
// not in it.
std::string Reason(DWORD error, Access access, const std::filesystem::path& path) {
    if ((error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME) &&
        PartTooLong(path)) {
        return std::string(FaultWords(FileFault::NameTooLong));
    }
    switch (error) {
        case ERROR_PATH_NOT_FOUND:
            if (PartIsAFile(path)) {
                return std::string(FaultWords(FileFault::PathNotFolder));
            }
            [[fallthrough]];
        case ERROR_FILE_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return std::string(
                FaultWords(access == Access::Read ? FileFault::NoFile : FileFault::NoFolder));
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return std::string(FaultWords(FileFault::Denied));
        case ERROR_WRITE_PROTECT:
            return std::string(FaultWords(FileFault::ReadOnlyDisk));
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case kDiskQuotaExceeded:
            return std::string(FaultWords(FileFault::DiskFull));
        case kDirectoryNotSupported:
            return std::string(FaultWords(FileFault::Folder));
        case ERROR_FILE_TOO_LARGE:
            return std::string(FaultWords(FileFault::TooLarge));
        case ERROR_DIRECTORY:
            return std::string(FaultWords(FileFault::PathNotFolder));
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW:
            return std::string(FaultWords(FileFault::NameTooLong));
        default:
            break;
    }
    return SystemWords(error);
}

[[noreturn]] void ReadFailed(DWORD error, const std::filesystem::path& path) {
    throw FileError(Reason(error, Access::Read, path));
}

// Closes the handle however the reading ends.
class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            ::CloseHandle(handle_);
        }
    }
    [[nodiscard]] HANDLE Get() const { return handle_; }
    [[nodiscard]] bool Open() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// Shared so that another program may read, write or rename the file meanwhile, as on POSIX
// systems; FILE_FLAG_BACKUP_SEMANTICS so that a folder opens and is named as one.
HANDLE OpenExisting(const std::filesystem::path& path, DWORD access) {
    return ::CreateFileW(path.c_str(), access,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// Six letters or digits for a new file's name.
std::string RandomName(std::mt19937& generator) {
    constexpr std::string_view kLetters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
    std::string name;
    for (int i = 0; i < 6; ++i) {
        name += kLetters[pick(generator)];
    }
    return name;
}

}  // namespace

std::string ReadRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes,
                            std::string_view tooLarge) {
    const Handle file(OpenExisting(path, GENERIC_READ));
    if (!file.Open()) {
        ReadFailed(::GetLastError(), path);
    }
    // A device (NUL, CON, COM1) or a pipe is not a file on a disk.
    if (::GetFileType(file.Get()) != FILE_TYPE_DISK) {
        throw FileError(FileFault::NotRegular);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(file.Get(), &information)) {
        ReadFailed(::GetLastError(), path);
    }
    if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw FileError(FileFault::Folder);
    }
    const std::uintmax_t size = (std::uintmax_t{information.nFileSizeHigh} << 32U) |
                                std::uintmax_t{information.nFileSizeLow};
    if (size > maxBytes) {
        throw FileError(std::string(tooLarge));
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(size));
    // Read to the end, whatever the size said: a file that grows meanwhile is still capped.
    std::array<char, 1 << 16> chunk{};
    while (true) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), chunk.data(), static_cast<DWORD>(chunk.size()), &got,
                        nullptr)) {
            ReadFailed(::GetLastError(), path);
        }
        if (got == 0) {
            return text;
        }
        text.append(chunk.data(), got);
        if (text.size() > maxBytes) {
            throw FileError(std::string(tooLarge));
        }
    }
}

AtomicFile::AtomicFile(const std::filesystem::path& path) : target_(Resolved(path)) {
    const DWORD attributes = ::GetFileAttributesW(target_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            throw FileError(FileFault::Folder);
        }
        const Handle existing(OpenExisting(target_, FILE_READ_ATTRIBUTES));
        if (existing.Open() && ::GetFileType(existing.Get()) != FILE_TYPE_DISK) {
            // A device or a pipe: renaming over it would replace it, not write to it.
            throw FileError(FileFault::NotRegular);
        }
        existed_ = true;
    }
    // A new name until one is free: CREATE_NEW never opens a file that is there.
    std::mt19937 generator(std::random_device{}());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path name = TemporaryBeside(target_, RandomName(generator));
        const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = file;
            temporary_ = name;
            return;
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            Fail(static_cast<int>(error));  // nothing made, nothing to remove
        }
    }
    Fail(ERROR_FILE_EXISTS);
}

AtomicFile::~AtomicFile() {
    if (handle_ != nullptr) {
        ::CloseHandle(handle_);
    }
    if (!renamed_ && !temporary_.empty()) {
        ::DeleteFileW(temporary_.c_str());
    }
}

void AtomicFile::Fail(int error) const {
    throw FileError(Reason(static_cast<DWORD>(error), Access::Write, target_), existed_);
}

void AtomicFile::Write(std::string_view text) {
    // At most 1 GiB a call: WriteFile counts in 32 bits.
    constexpr std::size_t kMostAtOnce = std::size_t{1} << 30U;
    std::size_t written = 0;
    while (written < text.size()) {
        const std::size_t size = std::min(text.size() - written, kMostAtOnce);
        DWORD done = 0;
        if (!::WriteFile(handle_, text.data() + written, static_cast<DWORD>(size), &done,
                         nullptr)) {
            Fail(static_cast<int>(::GetLastError()));
        }
        written += done;
    }
}

void AtomicFile::Commit(bool sync) {
    if (sync && !::FlushFileBuffers(handle_)) {
        Fail(static_cast<int>(::GetLastError()));
    }
    const BOOL closed = ::CloseHandle(handle_);
    handle_ = nullptr;
    if (!closed) {
        Fail(static_cast<int>(::GetLastError()));
    }
    // MOVEFILE_WRITE_THROUGH: the call returns once the rename is on the disk.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (sync ? MOVEFILE_WRITE_THROUGH : 0U);
    if (!::MoveFileExW(temporary_.c_str(), target_.c_str(), flags)) {
        Fail(static_cast<int>(::GetLastError()));
    }
    renamed_ = true;
}

bool ProcessEnded(long long pid) {
    if (pid <= 0 || pid > 0xFFFFFFFFLL) {
        return false;
    }
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                         static_cast<DWORD>(pid));
    if (process == nullptr) {
        // No such process; any other refusal (access denied) means it is there.
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    }
    // A process that has ended stays openable while someone holds a handle to it.
    const bool ended = ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    ::CloseHandle(process);
    return ended;
}

}  // namespace idrovela::circuit
