#pragma once

// A folder of a test's own under the system's temporary folder, removed with everything in it
// when the test ends; and the files a test may make there, which differ between POSIX systems and
// Windows.

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace idrovela::test_support {

class ScratchFolder {
  public:
    // `prefix` starts the folder's name: "idrovela-tubi" gives idrovela-tubi-k3Xz9Q.
    explicit ScratchFolder(std::string_view prefix) {
        constexpr std::string_view kLetters =
            "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
        std::mt19937 generator(std::random_device{}());
        std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name(prefix);
            name += '-';
            for (int i = 0; i < 6; ++i) {
                name += kLetters[pick(generator)];
            }
            const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
            if (std::filesystem::create_directory(path)) {
                path_ = path;
                return;
            }
        }
        throw std::runtime_error("no free name for a scratch folder");
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

    // Writes `text` to the file `name` in the folder, byte for byte.
    void Write(const std::filesystem::path& name, const std::string& text) const {
        std::ofstream(path_ / name, std::ios::binary) << text;
    }

  private:
    std::filesystem::path path_;
};

// Why POSIX permissions stop nothing here, so that a test of them is skipped: root may read and
// write anywhere, and Windows has no mode bits (a read-only folder still takes new files).
// Nothing when they apply.
[[nodiscard]] inline std::optional<std::string> PermissionsStopNothing() {
#ifdef _WIN32
    return "Windows has no POSIX permissions";
#else
    if (::geteuid() == 0) {
        return "permissions do not stop root";
    }
    return std::nullopt;
#endif
}

// A named pipe at `path`, which a plain read would wait on for ever; false where a folder cannot
// hold one (Windows keeps its pipes apart from the file system).
[[nodiscard]] inline bool MakeFifo(const std::filesystem::path& path) {
#ifdef _WIN32
    static_cast<void>(path);
    return false;
#else
    if (::mkfifo(path.c_str(), 0600) != 0) {
        throw std::runtime_error("mkfifo failed: " + path.native());
    }
    return true;
#endif
}

// A symbolic link at `link` to `target`; false where the system refuses one (Windows, without
// the privilege to make links).
[[nodiscard]] inline bool MakeSymlink(const std::filesystem::path& target,
                                      const std::filesystem::path& link) {
    std::error_code error;
    std::filesystem::create_symlink(target, link, error);
    return !error;
}

}  // namespace idrovela::test_support
