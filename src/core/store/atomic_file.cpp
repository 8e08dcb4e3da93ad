#include "core/store/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

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

bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content) {
    std::error_code ec;
    const auto dir = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::filesystem::create_directories(dir, ec);
    std::string tmp = (dir / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    // Keep the permissions a plain file would get rather than mkstemp's 0600.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const bool written = WriteAllTo(fd, content) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(tmp.c_str(), file.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& file) {
    // A directory opens as a stream on Linux and reads as empty: that is no file.
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(content).str();
}

}  // namespace spinalyst
