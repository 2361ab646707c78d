#pragma once

// The bits a new file gets, 0666 less the umask: checked with stat, as tests may run as root.
// Windows has no mode bits and no umask: there the check is skipped, saying why.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <functional>

namespace idrovela::test {

// Writes a new file at `path` under each of several umasks, checks its bits and removes it.
inline void ExpectNewFileModes(const std::filesystem::path& path,
                               const std::function<void(const std::filesystem::path&)>& write) {
#ifdef _WIN32
    static_cast<void>(path);
    static_cast<void>(write);
    GTEST_SKIP() << "Windows gives files no mode bits";
#else
    for (const auto& [mask, mode] :
         {std::pair<mode_t, mode_t>{022, 0644}, {027, 0640}, {077, 0600}, {0, 0666}}) {
        std::filesystem::remove(path);
        {
            const struct Restore {
                mode_t before;
                ~Restore() { ::umask(before); }
            } restore{::umask(mask)};
            write(path);
        }
        struct stat status {};
        const int found = ::stat(path.c_str(), &status);
        std::filesystem::remove(path);
        ASSERT_EQ(found, 0) << path;
        EXPECT_EQ(status.st_mode & 07777, mode) << "umask " << std::oct << mask;
    }
#endif
}

}  // namespace idrovela::test
