#include "core/draws/game_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <limits>
#include <system_error>

#include "core/store/atomic_file.h"
#include "core/store/text_lines.h"

namespace spinalyst {

namespace {

std::uint16_t NotedLength(std::size_t length) {
    return length <= std::numeric_limits<std::uint16_t>::max() ? static_cast<std::uint16_t>(length)
                                                               : 0;
}

int LineCount(std::string_view text) {
    int count = 0;
    while (!text.empty()) {
        TakeLine(text);
        ++count;
    }
    return count;
}

}  // namespace

bool IsJournalFileName(std::string_view name) {
    return name.starts_with(currentGameFileName.substr(0, currentGameFileName.find('.'))) ||
           name.starts_with(previousGameFileName.substr(0, previousGameFileName.find('.')));
}

namespace {

// Enough for every copy a player could start at once.
constexpr int maxSlots = 99;

// "current-game.csv" for slot 1, "current-game-2.csv" for slot 2 ...
std::string SlotName(std::string_view name, int slot) {
    if (slot == 1) return std::string(name);
    const std::size_t dot = name.rfind('.');
    return std::string(name.substr(0, dot)) + "-" + std::to_string(slot) +
           std::string(name.substr(dot));
}

std::filesystem::path LockFile(const std::filesystem::path& dir, int slot) {
    return dir / ("." + SlotName(currentGameFileName, slot) + ".lock");
}

std::filesystem::path MarkerOf(const std::filesystem::path& journalFile) {
    std::filesystem::path marker = journalFile;
    marker += ".batch";
    return marker;
}

}  // namespace

GameJournal::GameJournal(std::filesystem::path dir, CroupierNameLookup croupierName)
    : dir_(std::move(dir)), croupierName_(std::move(croupierName)) {
    for (int slot = 1; slot <= maxSlots && !lock_; ++slot) {
        lock_ = FileLock::TryTake(LockFile(dir_, slot));
        if (lock_) slot_ = slot;
    }
    // Every slot taken: the journal cannot be kept, and says so at its first write.
    if (!lock_) failed_ = true;
    AdoptOrphan();
}

void GameJournal::AdoptOrphan() {
    std::error_code ec;
    if (!lock_ || std::filesystem::exists(file(), ec)) return;
    for (int slot = 1; slot <= maxSlots; ++slot) {
        const std::filesystem::path orphan = dir_ / SlotName(currentGameFileName, slot);
        if (slot == slot_ || !std::filesystem::is_regular_file(orphan, ec)) continue;
        if (const auto owner = FileLock::TryTake(LockFile(dir_, slot))) {
            std::filesystem::remove(batchMarkerFile(), ec);
            if (std::filesystem::exists(MarkerOf(orphan), ec))
                std::filesystem::rename(MarkerOf(orphan), batchMarkerFile(), ec);
            std::filesystem::rename(orphan, file(), ec);
            return;
        }
    }
}

std::filesystem::path GameJournal::file() const {
    return dir_ / SlotName(currentGameFileName, slot_);
}

std::filesystem::path GameJournal::previousFile() const {
    return dir_ / SlotName(previousGameFileName, slot_);
}

GameJournal::~GameJournal() {
    Wait();
    Close();
}

void GameJournal::Wait() const {
    if (batchWriter_.joinable()) batchWriter_.join();
}

bool GameJournal::running() const {
    Wait();
    return fd_ >= 0;
}

bool GameJournal::failed() const {
    Wait();
    return failed_;
}

int GameJournal::journaledDraws() const {
    Wait();
    return static_cast<int>(rowLengths_.size());
}

std::filesystem::path GameJournal::batchMarkerFile() const {
    return MarkerOf(file());
}

void GameJournal::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool GameJournal::Fail() {
    Close();
    failed_ = true;
    rowLengths_.clear();
    return false;
}

bool GameJournal::Start(const DrawLog& log, RouletteKind kind) {
    Wait();
    Close();
    if (!lock_) return Fail();
    failed_ = false;
    kind_ = kind;
    buffer_ = GameFileHead(kind);
    rowLengths_.clear();
    rowLengths_.reserve(static_cast<std::size_t>(log.drawCount()));
    GameFileRowWriter writer(croupierName_);
    for (int n = 1; n <= log.drawCount(); ++n) {
        const std::size_t before = buffer_.size();
        writer.AppendRows(buffer_, log, n, n);
        rowLengths_.push_back(NotedLength(buffer_.size() - before));
    }
    if (!WriteFileAtomically(file(), buffer_)) return Fail();
    std::error_code ec;
    std::filesystem::remove(batchMarkerFile(), ec);
    fd_ = ::open(file().c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd_ < 0) return Fail();
    size_ = buffer_.size();
    buffer_.clear();
    buffer_.shrink_to_fit();
    return true;
}

bool GameJournal::Sync(const DrawLog& log, RouletteKind kind) {
    Wait();
    if (failed_) return false;
    if (!running() || kind != kind_) return Start(log, kind);
    if (log.drawCount() < journaledDraws() && !Truncate(log.drawCount())) {
        if (failed_) return false;
        return Start(log, kind);
    }
    if (log.drawCount() > journaledDraws()) return Append(log, kind);
    return true;
}

bool GameJournal::Append(const DrawLog& log, RouletteKind /*kind*/) {
    const int first = journaledDraws() + 1;
    const int last = log.drawCount();
    if (last == first) {
        buffer_.clear();
        GameFileRowWriter(croupierName_).AppendRows(buffer_, log, first, last);
        const std::size_t rowsBefore = rowLengths_.size();
        rowLengths_.push_back(NotedLength(buffer_.size()));
        return WriteRows(buffer_, rowsBefore, false, last);
    }
    // A batch: the caller goes on while its copy is written. The croupiers' names are looked
    // up here, since the table may change meanwhile.
    DrawLog draws = log.Slice(first, last);
    std::vector<std::pair<std::int32_t, std::optional<std::string>>> names;
    for (const std::int32_t c : draws.croupiers())
        if (c != 0 && std::find_if(names.begin(), names.end(),
                                   [c](const auto& n) { return n.first == c; }) == names.end())
            names.emplace_back(c, croupierName_ ? croupierName_(c) : std::nullopt);
    CroupierNameLookup lookup = [names = std::move(names)](std::int32_t c) {
        for (const auto& n : names)
            if (n.first == c) return n.second;
        return std::optional<std::string>();
    };
    batchWriter_ =
        std::thread(&GameJournal::WriteBatch, this, std::move(draws), first, std::move(lookup));
    return true;
}

void GameJournal::WriteBatch(DrawLog draws, int first, CroupierNameLookup names) {
    std::string rows;
    GameFileRowWriter writer(std::move(names));
    const std::size_t rowsBefore = rowLengths_.size();
    rowLengths_.reserve(rowsBefore + static_cast<std::size_t>(draws.drawCount()));
    for (int n = 1; n <= draws.drawCount(); ++n) {
        const std::size_t before = rows.size();
        writer.AppendRows(rows, draws, n, n, first - 1);
        rowLengths_.push_back(NotedLength(rows.size() - before));
    }
    WriteRows(rows, rowsBefore, true, first - 1 + draws.drawCount());
}

bool GameJournal::WriteRows(const std::string& rows, std::size_t rowsBefore, bool batch, int last) {
    const int first = static_cast<int>(rowsBefore) + 1;
    // The marker, on disk before the rows, lets recovery drop a batch cut short rather than
    // give back part of it.
    if (batch && !WriteFileAtomically(batchMarkerFile(), std::to_string(first - 1) + " " +
                                                             std::to_string(last) + "\n")) {
        rowLengths_.resize(rowsBefore);
        return Fail();
    }
    if (!WriteAllTo(fd_, rows) || ::fdatasync(fd_) != 0) {
        // Put the file back as it was, so that it still ends with a whole row.
        if (::ftruncate(fd_, static_cast<off_t>(size_)) == 0) ::fdatasync(fd_);
        rowLengths_.resize(rowsBefore);
        return Fail();
    }
    size_ += rows.size();
    if (buffer_.capacity() > (1u << 16)) {
        buffer_.clear();
        buffer_.shrink_to_fit();
    }
    if (batch) {
        std::error_code ec;
        std::filesystem::remove(batchMarkerFile(), ec);
    }
    return true;
}

bool GameJournal::Truncate(int drawCount) {
    std::uint64_t cut = 0;
    for (std::size_t n = static_cast<std::size_t>(drawCount); n < rowLengths_.size(); ++n) {
        if (rowLengths_[n] == 0) return false;
        cut += rowLengths_[n];
    }
    if (::ftruncate(fd_, static_cast<off_t>(size_ - cut)) != 0 || ::fdatasync(fd_) != 0)
        return Fail();
    size_ -= cut;
    rowLengths_.resize(static_cast<std::size_t>(drawCount));
    return true;
}

bool GameJournal::Retire() {
    Wait();
    if (!lock_) return false;
    const bool wasRunning = running();
    const bool hadDraws = journaledDraws() > 0;
    Close();
    failed_ = false;
    rowLengths_.clear();
    std::error_code ec;
    std::filesystem::remove(MarkerOf(previousFile()), ec);
    // Only a file is a journal: whatever else stands in its place is left alone.
    if (!std::filesystem::is_regular_file(file(), ec)) {
        std::filesystem::remove(batchMarkerFile(), ec);
        return true;
    }
    bool keep = hadDraws;
    if (!wasRunning) {
        // A journal left by an earlier run: kept unless it certainly holds no draw. Its batch
        // marker goes with it, so that a batch cut short stays out of the previous game too.
        const auto left = RecoverLeftover(kind_);
        keep = !left || !left->game.ok() || left->game.log.drawCount() > 0 ||
               !left->damagedLines.empty();
        if (keep && std::filesystem::exists(batchMarkerFile(), ec))
            std::filesystem::rename(batchMarkerFile(), MarkerOf(previousFile()), ec);
    }
    std::filesystem::remove(batchMarkerFile(), ec);
    if (!keep) return std::filesystem::remove(file(), ec);
    std::filesystem::rename(file(), previousFile(), ec);
    return !ec;
}

std::optional<JournalRecovery> GameJournal::Recover(const std::filesystem::path& path,
                                                    RouletteKind current) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec))
        return std::nullopt;
    JournalRecovery recovery;
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) recovery.writtenAt = info.st_mtime;
    const auto content = ReadWholeFile(path);
    if (!content) {
        recovery.game.error = ParseError{0, 0, "", "the file cannot be read"};
        return recovery;
    }
    std::string_view text = *content;
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
    if (const auto marker = ReadWholeFile(MarkerOf(path))) {
        int before = 0, last = 0;
        if (std::sscanf(marker->c_str(), "%d %d", &before, &last) == 2 && before >= 0 &&
            last > before) {
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

std::optional<std::filesystem::path> GameJournal::KeepDamagedCopy(
    const std::filesystem::path& journalFile, DrawTime now) {
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
