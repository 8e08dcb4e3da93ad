#include "core/draws/journal_recovery.h"

#include <sys/stat.h>

#include <charconv>
#include <cstdio>
#include <utility>
#include <ctime>
#include <string>
#include <string_view>
#include <system_error>

#include "core/store/atomic_file.h"
#include "core/store/text_lines.h"

namespace spinalyst {

namespace {

int LineCount(std::string_view text) {
    int count = 0;
    while (!text.empty()) {
        TakeLine(text);
        ++count;
    }
    return count;
}

// The two numbers of a batch marker, "<rows before> <last row>"; -1 where one cannot be read.
std::pair<int, int> ReadMarker(std::string_view marker) {
    int numbers[2] = {-1, -1};
    const char* at = marker.data();
    const char* const end = marker.data() + marker.size();
    for (int& n : numbers) {
        while (at < end && (*at == ' ' || *at == '\n' || *at == '\r')) ++at;
        const auto [next, ec] = std::from_chars(at, end, n);
        if (ec != std::errc()) return {-1, -1};
        at = next;
    }
    return {numbers[0], numbers[1]};
}

}  // namespace

std::filesystem::path BatchMarkerOf(const std::filesystem::path& journalFile) {
    std::filesystem::path marker = journalFile;
    marker += ".batch";
    return marker;
}

std::optional<JournalRecovery> RecoverJournal(const std::filesystem::path& path,
                                              RouletteKind current) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec))
        return std::nullopt;
    const auto content = ReadWholeFile(path);
    const auto marker = ReadWholeFile(BatchMarkerOf(path));
    JournalRecovery recovery;
    if (content)
        recovery = RecoverJournalText(
            *content, marker ? std::optional<std::string_view>(*marker) : std::nullopt, current);
    else
        recovery.game.error = ParseError{0, 0, "", "the file cannot be read"};
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) recovery.writtenAt = info.st_mtime;
    return recovery;
}

JournalRecovery RecoverJournalText(std::string_view text, std::optional<std::string_view> marker,
                                   RouletteKind current) {
    JournalRecovery recovery;
    // A line that is not ended was being written when the program stopped.
    int tornLine = 0;
    if (const std::size_t lastEnd = text.find_last_of('\n');
        !text.empty() && lastEnd != text.size() - 1) {
        const std::size_t keep = lastEnd == std::string_view::npos ? 0 : lastEnd + 1;
        if (const int whole = LineCount(text.substr(0, keep)); whole >= 2) {
            text = text.substr(0, keep);
            tornLine = whole + 1;
        }
    }
    // A batch is written as one block under a marker naming the rows before it and its last
    // row. Cut short, all of it goes, and its torn last line is the batch's, not damage.
    if (marker) {
        const auto [before, last] = ReadMarker(*marker);
        if (before >= 0 && last > before) {
            const std::size_t firstRow = text.rfind("\n" + std::to_string(before + 1) + ",");
            const std::size_t lastLine =
                text.size() < 2 ? 0 : text.find_last_of('\n', text.size() - 2) + 1;
            const bool whole = firstRow != std::string_view::npos &&
                               text.substr(lastLine).starts_with(std::to_string(last) + ",");
            if (!whole) {
                if (firstRow != std::string_view::npos) text = text.substr(0, firstRow + 1);
                recovery.unfinishedBatch = last - before;
                tornLine = 0;
            }
        }
    }
    const KindRule rule{std::nullopt, current};
    recovery.game = ParseGameFile(text, rule);
    if (!recovery.game.ok() && recovery.game.error->line > 2) {
        SalvagedGame salvaged = SalvageGameFile(text, rule);
        recovery.game = std::move(salvaged.game);
        recovery.damagedLines = std::move(salvaged.damagedLines);
    }
    if (tornLine > 0) recovery.damagedLines.push_back(tornLine);
    return recovery;
}

std::optional<std::filesystem::path> KeepDamagedCopy(const std::filesystem::path& journalFile,
                                                     DrawTime now) {
    const auto content = ReadWholeFile(journalFile);
    if (!content) return std::nullopt;
    const auto t = static_cast<std::time_t>(now);
    std::tm local{};
    char stamp[32] = "";
    if (localtime_r(&t, &local)) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::filesystem::path dir = journalFile.parent_path();
    std::string stem = journalFile.stem().string() + ".damaged-" + stamp;
    std::filesystem::path copy = dir / (stem + ".csv");
    std::error_code ec;
    // Two in the same second get a number rather than one taking the other's place.
    for (int n = 2; std::filesystem::exists(copy, ec); ++n)
        copy = dir / (stem + "-" + std::to_string(n) + ".csv");
    if (!WriteFileAtomically(copy, *content)) return std::nullopt;
    return copy;
}

}  // namespace spinalyst
