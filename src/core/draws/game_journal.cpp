#include "core/draws/game_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
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

// The byte offset where line `line` (1-based) starts, as the game file reader counts lines.
std::size_t LineStart(std::string_view text, int line) {
    const char* begin = text.data();
    std::string_view rest = text;
    for (int n = 1; n < line && !rest.empty(); ++n) TakeLine(rest);
    return static_cast<std::size_t>(rest.data() - begin);
}

// The names of the numbers used, looked up now, as a look-up of its own.
CroupierNameLookup NamesOf(std::span<const std::int32_t> used, const CroupierNameLookup& lookup) {
    std::vector<std::pair<std::int32_t, std::optional<std::string>>> names;
    for (const std::int32_t c : used)
        if (c != 0 && std::find_if(names.begin(), names.end(),
                                   [c](const auto& n) { return n.first == c; }) == names.end())
            names.emplace_back(c, lookup ? lookup(c) : std::nullopt);
    return [names = std::move(names)](std::int32_t c) {
        for (const auto& n : names)
            if (n.first == c) return n.second;
        return std::optional<std::string>();
    };
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

GameJournal::GameJournal(std::filesystem::path dir, CroupierNameLookup croupierName,
                         WheelNameLookup wheelName)
    : dir_(std::move(dir)),
      croupierName_(std::move(croupierName)),
      wheelName_(std::move(wheelName)) {}

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
    return dir_ / (std::string(currentGameFileName) + ".batch");
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
    failed_ = false;
    kind_ = kind;
    wide_ = NeedsWideRows(log);
    buffer_ = GameFileHead(kind, wide_);
    rowLengths_.clear();
    rowLengths_.reserve(static_cast<std::size_t>(log.drawCount()));
    GameFileRowWriter writer(croupierName_, wheelName_, wide_);
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
    if (log.drawCount() > journaledDraws()) {
        // Rows with a wheel or a direction need the wide header: the journal starts over once.
        if (!wide_)
            for (int n = journaledDraws() + 1; n <= log.drawCount(); ++n)
                if (log.drawWheel(n) != 0 || log.drawDirection(n) != SpinDirection::Unknown)
                    return Start(log, kind);
        return Append(log, kind);
    }
    return true;
}

bool GameJournal::Append(const DrawLog& log, RouletteKind /*kind*/) {
    const int first = journaledDraws() + 1;
    const int last = log.drawCount();
    if (last == first) {
        buffer_.clear();
        GameFileRowWriter(croupierName_, wheelName_, wide_).AppendRows(buffer_, log, first, last);
        const std::size_t rowsBefore = rowLengths_.size();
        rowLengths_.push_back(NotedLength(buffer_.size()));
        return WriteRows(buffer_, rowsBefore, false, last);
    }
    // A batch: the caller goes on while its copy is written. The croupiers' and wheels' names
    // are looked up here, since the tables may change meanwhile.
    DrawLog draws = log.Slice(first, last);
    CroupierNameLookup croupiers = NamesOf(draws.croupiers(), croupierName_);
    std::vector<std::int32_t> wheelNumbers;
    if (wide_)
        for (int n = 1; n <= draws.drawCount(); ++n) wheelNumbers.push_back(draws.drawWheel(n));
    WheelNameLookup wheels = NamesOf(wheelNumbers, wheelName_);
    batchWriter_ = std::thread(&GameJournal::WriteBatch, this, std::move(draws), first,
                               std::move(croupiers), std::move(wheels));
    return true;
}

void GameJournal::WriteBatch(DrawLog draws, int first, CroupierNameLookup croupiers,
                             WheelNameLookup wheels) {
    std::string rows;
    GameFileRowWriter writer(std::move(croupiers), std::move(wheels), wide_);
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
    const bool wasRunning = running();
    const bool hadDraws = journaledDraws() > 0;
    Close();
    failed_ = false;
    rowLengths_.clear();
    std::error_code ec;
    std::filesystem::remove(batchMarkerFile(), ec);
    // Only a file is a journal: whatever else stands in its place is left alone.
    if (!std::filesystem::is_regular_file(file(), ec)) return true;
    bool keep = hadDraws;
    if (!wasRunning) {
        // A journal left by an earlier run: kept unless it certainly holds no draw.
        const auto left = Recover(dir_, kind_);
        keep =
            !left || !left->game.ok() || left->game.log.drawCount() > 0 || left->droppedLines > 0;
    }
    if (!keep) return std::filesystem::remove(file(), ec);
    std::filesystem::rename(file(), previousFile(), ec);
    return !ec;
}

std::optional<JournalRecovery> GameJournal::Recover(const std::filesystem::path& dir,
                                                    RouletteKind current) {
    const std::filesystem::path path = dir / currentGameFileName;
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
    const KindRule rule{std::nullopt, current};
    // A line that is not ended was being written when the program stopped.
    if (const std::size_t lastEnd = text.find_last_of('\n');
        !text.empty() && lastEnd != text.size() - 1) {
        const std::size_t keep = lastEnd == std::string_view::npos ? 0 : lastEnd + 1;
        if (LineCount(text.substr(0, keep)) >= 2) {
            text = text.substr(0, keep);
            recovery.droppedLines = 1;
        }
    }
    recovery.game = ParseGameFile(text, rule);
    if (!recovery.game.ok() && recovery.game.error->line > 2) {
        const int badLine = recovery.game.error->line;
        recovery.droppedLines += LineCount(text) - (badLine - 1);
        text = text.substr(0, LineStart(text, badLine));
        recovery.game = ParseGameFile(text, rule);
    }
    if (!recovery.game.ok()) return recovery;

    if (const auto marker = ReadWholeFile(dir / (std::string(currentGameFileName) + ".batch"))) {
        int before = 0, after = 0;
        if (std::sscanf(marker->c_str(), "%d %d", &before, &after) == 2) {
            DrawLog& log = recovery.game.log;
            if (log.drawCount() > before && log.drawCount() < after) {
                recovery.droppedLines += log.drawCount() - before;
                while (log.drawCount() > before) log.RemoveLast();
            }
        }
    }
    return recovery;
}

}  // namespace spinalyst
