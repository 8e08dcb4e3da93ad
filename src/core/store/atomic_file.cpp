#include "core/store/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <system_error>

#include "core/store/huge_pages.h"

namespace spinalyst {

bool WriteAllTo(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

namespace {

std::filesystem::path DirectoryOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The target of a temporary named as WriteFileAtomically names them: "." + target + "." and
// six letters or digits; empty for any other name.
std::string_view TemporaryTarget(std::string_view name) {
    constexpr std::size_t suffix = 7;
    if (name.size() < 2 + suffix || name.front() != '.' || name[name.size() - suffix] != '.')
        return {};
    for (const char c : name.substr(name.size() - suffix + 1))
        if (!std::isalnum(static_cast<unsigned char>(c))) return {};
    return name.substr(1, name.size() - suffix - 1);
}

}  // namespace

void RemoveStaleTemporaries(const std::filesystem::path& dir,
                            const std::function<bool(std::string_view name)>& isTarget) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const std::string_view target = TemporaryTarget(name);
        if (target.empty() || !isTarget(target)) continue;
        const int fd = ::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(it->path().c_str());
        ::close(fd);
    }
}

void RemoveStaleTemporaries(const std::filesystem::path& file) {
    const std::string name = file.filename().string();
    RemoveStaleTemporaries(DirectoryOf(file), [&name](std::string_view n) { return n == name; });
}

AtomicFileWriter::AtomicFileWriter(const std::filesystem::path& file) : file_(file) {
    std::error_code ec;
    const auto dir = DirectoryOf(file);
    std::filesystem::create_directories(dir, ec);
    RemoveStaleTemporaries(file);
    temporary_ = (dir / ("." + file.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(temporary_.data());
    if (fd_ < 0) {
        Fail();
        return;
    }
    // Held until the close, so that a cleaner leaves this temporary alone; the rename comes
    // before the close for that reason.
    ::flock(fd_, LOCK_EX | LOCK_NB);
    // Keep the permissions a plain file would get rather than mkstemp's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd_, 0666 & ~mask);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ < 0) return;
    std::remove(temporary_.c_str());
    ::close(fd_);
}

bool AtomicFileWriter::Write(std::string_view content) {
    if (!failed_ && !WriteAllTo(fd_, content)) Fail();
    return !failed_;
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0) return false;
    const bool renamed =
        !failed_ && ::fsync(fd_) == 0 && std::rename(temporary_.c_str(), file_.c_str()) == 0;
    if (!renamed) {
        Fail();
        std::remove(temporary_.c_str());
    }
    ::close(fd_);
    fd_ = -1;
    return renamed;
}

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content, int* error) {
    AtomicFileWriter writer(file);
    const bool written = writer.Write(content) && writer.Commit();
    if (!written && error) *error = writer.error();
    return written;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    // A directory opens too on Linux: that is no file.
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    // One read of the size the file has; a pipe, or a file that grows meanwhile, reads on
    // until its end.
    std::string content;
    content.reserve(S_ISREG(info.st_mode)
                        ? std::max<std::size_t>(static_cast<std::size_t>(info.st_size) + 1, 4096)
                        : std::size_t{1} << 16);
    AdviseHugePages(content.data(), content.capacity());
    content.resize(content.capacity());
    std::size_t size = 0;
    for (;;) {
        if (size == content.size()) content.resize(content.size() * 2);
        const ssize_t n = ::read(fd, content.data() + size, content.size() - size);
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    content.resize(size);
    return content;
}

}  // namespace spinalyst
