#pragma once

#include <cerrno>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace spinalyst {

// Replaces the file with content through a temporary file in the same directory and a
// rename, so a crash leaves either the old file or the new one. Creates missing directories.
// Temporaries that interrupted writes of the same file left behind are removed first.
// When it fails and `error` is given, *error is the system's error number of the failure.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content,
                         int* error = nullptr);

// The same, for content written piece by piece, so that a large file needs no copy of itself
// in memory: the file is replaced by Commit, and left as it was when the writer goes without.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& file);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once a write has failed (or the temporary could not be made); later writes and
    // the commit then fail too.
    bool Write(std::string_view content);
    // Flushes what was written to the disk and puts it in the file's place.
    bool Commit();
    // The system's error number of the first failure; 0 while none.
    int error() const { return error_; }

private:
    void Fail() {
        if (!failed_) error_ = errno;
        failed_ = true;
    }

    std::filesystem::path file_;
    std::string temporary_;
    int fd_ = -1;
    bool failed_ = false;
    int error_ = 0;
};

// Removes the temporary files (".name.XXXXXX") that interrupted writes of a file left in its
// directory. A writer holds a lock on its temporary while it writes, so the temporary of a
// write under way, in this process or another, is left alone.
void RemoveStaleTemporaries(const std::filesystem::path& file);
// The same for every file of dir whose name `isTarget` accepts.
void RemoveStaleTemporaries(const std::filesystem::path& dir,
                            const std::function<bool(std::string_view name)>& isTarget);

// Writes all of content to an open file descriptor, going on after interruptions and short
// writes; false when a write fails.
bool WriteAllTo(int fd, std::string_view content);

// The whole file; nullopt when it cannot be read (a missing file included).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

}  // namespace spinalyst
