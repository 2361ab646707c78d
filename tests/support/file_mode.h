#pragma once

// The permission bits a new file gets: a umask set for a test and put back after it, and the
// bits a file has, read with stat, as root reads them too.

#include <sys/stat.h>

#include <filesystem>

namespace idrovela::test {

class ScopedUmask {
  public:
    explicit ScopedUmask(mode_t mask) : before_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(before_); }
    ScopedUmask(const ScopedUmask&) = delete;
    ScopedUmask& operator=(const ScopedUmask&) = delete;

  private:
    mode_t before_;
};

// The permission bits of a file, or 07777 when there is none.
inline mode_t ModeOf(const std::filesystem::path& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 07777;
}

// A umask and what a new file gets under it: 0666 less the mask.
struct UmaskCase {
    mode_t umask;
    mode_t mode;
};
inline constexpr UmaskCase kUmaskCases[] = {{022, 0644}, {027, 0640}, {077, 0600}, {0, 0666}};

}  // namespace idrovela::test
