#pragma once

#include <filesystem>
#include <optional>

namespace spinalyst {

// A lock that marks something as taken by a running process, held on a lock file for as long
// as the object lives. The kernel lets it go when the process ends, however it ends, so a
// crash never leaves a lock in the way. The file holds the owner's process id; where the file
// system keeps no such locks, a file naming a running process other than this one counts as
// taken instead.
class FileLock {
public:
    // The lock, or nullopt when a live process holds it. A lock file that cannot be created,
    // in a folder nobody may write, stands in no one's way: an empty lock is returned.
    static std::optional<FileLock> TryTake(const std::filesystem::path& file);

    FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    explicit FileLock(int fd) : fd_(fd) {}
    int fd_ = -1;
};

}  // namespace spinalyst
