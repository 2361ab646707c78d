#include "sheet/qt/recovery_file.h"

#include <QCoreApplication>
#include <QFile>
#include <QSysInfo>
#include <algorithm>

#include "circuit/circuit.h"
#include "circuit/file_system.h"
#include "circuit/write.h"
#include "sheet/recent_and_recovery.h"
#include "text/path_text.h"

namespace idrovela::sheet::qt {

namespace {

QString LockName(const std::filesystem::path& file) {
    return QString::fromStdString(text::Utf8OfPath(file) + ".lock");
}

// Whether the program that holds a lock has died: a process of this machine that is gone.
bool HolderIsGone(const QLockFile& lock) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!lock.getLockInfo(&pid, &host, &application)) {
        return false;
    }
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        return false;  // another machine's, on a shared folder: never taken
    }
    return circuit::ProcessEnded(pid);
}

}  // namespace

std::unique_ptr<QLockFile> RecoveryFile::Lock(const std::filesystem::path& file) {
    auto lock = std::make_unique<QLockFile>(LockName(file));
    // Never stale by age: a program that stays open for days keeps its copies.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        return lock;
    }
    if (lock->error() == QLockFile::LockFailedError && HolderIsGone(*lock) &&
        lock->removeStaleLockFile() && lock->tryLock(0)) {
        return lock;
    }
    return nullptr;
}

RecoveryFile::RecoveryFile(std::filesystem::path path, std::unique_ptr<QLockFile> lock)
    : path_(std::move(path)), lock_(std::move(lock)) {}

RecoveryFile::~RecoveryFile() = default;

std::unique_ptr<RecoveryFile> RecoveryFile::Create(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return nullptr;
    }
    const long long pid = static_cast<long long>(QCoreApplication::applicationPid());
    for (std::size_t n = 1; n < 10000; ++n) {
        const std::filesystem::path file = folder / RecoveryFileName(pid, n);
        if (std::filesystem::exists(file, error) ||
            std::filesystem::exists(text::PathFromUtf8(text::Utf8OfPath(file) + ".lock"), error)) {
            continue;
        }
        if (std::unique_ptr<QLockFile> lock = Lock(file)) {
            return std::unique_ptr<RecoveryFile>(new RecoveryFile(file, std::move(lock)));
        }
    }
    return nullptr;
}

std::unique_ptr<RecoveryFile> RecoveryFile::Claim(const std::filesystem::path& file) {
    std::unique_ptr<QLockFile> lock = Lock(file);
    if (lock == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<RecoveryFile>(new RecoveryFile(file, std::move(lock)));
}

std::vector<std::filesystem::path> RecoveryFile::In(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator at(folder, error), end; !error && at != end;
         at.increment(error)) {
        if (IsRecoveryFile(at->path()) && at->is_regular_file(error)) {
            files.push_back(at->path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<std::string> RecoveryFile::Write(const std::string& text) {
    try {
        circuit::WriteFileAtomically(path_, text);
    } catch (const circuit::CircuitError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

void RecoveryFile::Remove() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
    lock_->unlock();
}

}  // namespace idrovela::sheet::qt
