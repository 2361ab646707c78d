#pragma once

#include <QLockFile>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace idrovela::sheet::qt {

// A recovery copy of a circuit with unsaved changes, held with a QLockFile beside it
// ("NAME.lock") for as long as its window is open, so that a second running copy of the program
// never offers it. The lock of a copy whose program has died (a crash) is stale and is taken
// over; a living one's is never, however old.
class RecoveryFile {
  public:
    // A new copy in `folder` (made if missing) for this process, or null when the folder cannot
    // be made or locked.
    [[nodiscard]] static std::unique_ptr<RecoveryFile> Create(const std::filesystem::path& folder);
    // An existing copy, locked; null while another running program holds it.
    [[nodiscard]] static std::unique_ptr<RecoveryFile> Claim(const std::filesystem::path& file);
    // The recovery copies in `folder`, by name.
    [[nodiscard]] static std::vector<std::filesystem::path> In(const std::filesystem::path& folder);

    RecoveryFile(const RecoveryFile&) = delete;
    RecoveryFile& operator=(const RecoveryFile&) = delete;
    // Releases the lock and leaves the copy, as it stands, for a later start.
    ~RecoveryFile();

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    // Replaces the copy's text atomically; the reason when it could not.
    [[nodiscard]] std::optional<std::string> Write(const std::string& text);
    // Removes the copy, then releases the lock.
    void Remove();

  private:
    RecoveryFile(std::filesystem::path path, std::unique_ptr<QLockFile> lock);
    [[nodiscard]] static std::unique_ptr<QLockFile> Lock(const std::filesystem::path& file);

    std::filesystem::path path_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace idrovela::sheet::qt
