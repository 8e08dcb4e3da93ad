#include "core/store/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>

#include "core/store/atomic_file.h"

namespace spinalyst {

namespace {

bool ProcessRuns(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

// The process id written in the lock file; 0 when there is none.
pid_t OwnerOf(int fd) {
    char text[24] = {};
    const ssize_t n = ::pread(fd, text, sizeof text - 1, 0);
    return n > 0 ? static_cast<pid_t>(std::atol(text)) : 0;
}

void WriteOwner(int fd) {
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd, 0) == 0) {
        ::lseek(fd, 0, SEEK_SET);
        WriteAllTo(fd, pid);
    }
}

}  // namespace

std::optional<FileLock> FileLock::TryTake(const std::filesystem::path& file) {
    int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
    const bool writable = fd >= 0;
    // A read-only folder: the lock file an earlier run made still locks.
    if (!writable) fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return FileLock(-1);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK || errno == EINTR) {
            ::close(fd);
            return std::nullopt;
        }
        // No locks on this file system: the process id decides.
        const pid_t owner = OwnerOf(fd);
        if (owner != ::getpid() && ProcessRuns(owner)) {
            ::close(fd);
            return std::nullopt;
        }
    }
    if (writable) WriteOwner(fd);
    return FileLock(fd);
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace spinalyst
