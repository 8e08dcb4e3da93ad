#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace spinalyst {

// Replaces the file with content through a temporary file in the same directory and a
// rename, so a crash leaves either the old file or the new one. Creates missing directories.
bool WriteFileAtomically(const std::filesystem::path& file, std::string_view content);

// Writes all of content to an open file descriptor, going on after interruptions and short
// writes; false when a write fails.
bool WriteAllTo(int fd, std::string_view content);

// The whole file; nullopt when it cannot be read (a missing file included).
std::optional<std::string> ReadWholeFile(const std::filesystem::path& file);

}  // namespace spinalyst
