#include "core/draws/game_journal.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <limits>
#include <system_error>
#include <utility>

#include "core/store/atomic_file.h"

namespace spinalyst {

namespace {

std::uint16_t NotedLength(std::size_t length) {
    return length <= std::numeric_limits<std::uint16_t>::max() ? static_cast<std::uint16_t>(length)
                                                               : 0;
}

// The names of the numbers used, looked up now, as a look-up of its own.
CroupierNameLookup NamesOf(std::span<const std::int32_t> used, const CroupierNameLookup& lookup) {
    std::vector<std::pair<std::int32_t, std::optional<std::string>>> names;
    std::int32_t last = 0;
    for (const std::int32_t c : used) {
        // Draws come in runs of one croupier: a run is looked for once.
        if (c == last) continue;
        last = c;
        if (c != 0 && std::find_if(names.begin(), names.end(),
                                   [c](const auto& n) { return n.first == c; }) == names.end())
            names.emplace_back(c, lookup ? lookup(c) : std::nullopt);
    }
    return [names = std::move(names)](std::int32_t c) {
        for (const auto& n : names)
            if (n.first == c) return n.second;
        return std::optional<std::string>();
    };
}

void RemoveAll(const std::vector<std::filesystem::path>& files) {
    std::error_code ec;
    for (const auto& file : files) std::filesystem::remove(file, ec);
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

}  // namespace

GameJournal::GameJournal(std::filesystem::path dir, CroupierNameLookup croupierName,
                         WheelNameLookup wheelName)
    : dir_(std::move(dir)),
      croupierName_(std::move(croupierName)),
      wheelName_(std::move(wheelName)) {
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
            if (std::filesystem::exists(BatchMarkerOf(orphan), ec))
                std::filesystem::rename(BatchMarkerOf(orphan), batchMarkerFile(), ec);
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
    WaitForBatch();
    Close();
    RemoveAll(putAside_);
}

void GameJournal::WaitForBatch() const {
    if (batchWriter_.joinable()) batchWriter_.join();
}

bool GameJournal::running() const {
    std::lock_guard lock(state_);
    return fd_ >= 0;
}

bool GameJournal::failed() const {
    std::lock_guard lock(state_);
    return failed_;
}

int GameJournal::journaledDraws() const {
    std::lock_guard lock(state_);
    return static_cast<int>(rowLengths_.size());
}

void GameJournal::Close() {
    std::lock_guard lock(state_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool GameJournal::Fail() {
    std::lock_guard lock(state_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    failed_ = true;
    rowLengths_.clear();
    return false;
}

bool GameJournal::Start(const DrawLog& log, RouletteKind kind,
                        std::span<const GameFileNote> notes) {
    WaitForBatch();
    Close();
    if (!lock_) return Fail();
    return Rewrite(log, kind, notes, croupierName_, wheelName_);
}

std::pair<CroupierNameLookup, WheelNameLookup> GameJournal::NamesNowOf(const DrawLog& draws,
                                                                       bool wide) const {
    std::vector<std::int32_t> wheelNumbers;
    if (wide) {
        wheelNumbers.reserve(static_cast<std::size_t>(draws.drawCount()));
        for (int n = 1; n <= draws.drawCount(); ++n) wheelNumbers.push_back(draws.drawWheel(n));
    }
    return {NamesOf(draws.croupiers(), croupierName_), NamesOf(wheelNumbers, wheelName_)};
}

bool GameJournal::StartInBackground(DrawLog log, RouletteKind kind,
                                    std::vector<GameFileNote> notes) {
    WaitForBatch();
    Close();
    if (!lock_) return Fail();
    auto [croupiers, wheels] = NamesNowOf(log, NeedsWideRows(log));
    batchWriter_ = std::thread([this, log = std::move(log), kind, notes = std::move(notes),
                                croupiers = std::move(croupiers), wheels = std::move(wheels),
                                aside = std::exchange(putAside_, {})] {
        const bool written = Rewrite(log, kind, notes, croupiers, wheels);
        if (batchListener_) batchListener_(written, 0);
        // Only now: the window is busy showing the game meanwhile.
        RemoveAll(aside);
    });
    return true;
}

bool GameJournal::Rewrite(const DrawLog& log, RouletteKind kind,
                          std::span<const GameFileNote> notes, const CroupierNameLookup& croupiers,
                          const WheelNameLookup& wheels) {
    kind_ = kind;
    const int drawCount = log.drawCount();
    wide_ = NeedsWideRows(log);
    AtomicFileWriter out(file());
    // Written a piece at a time from one buffer, which stays in the cache and is never paged
    // in afresh, whatever the length of the game.
    constexpr std::size_t piece = std::size_t{1} << 20;
    std::string text = GameFileHead(kind, wide_);
    text.reserve(piece + 4096);
    std::uint64_t size = 0;
    const auto flush = [&] {
        size += text.size();
        out.Write(text);
        text.clear();
    };
    std::vector<std::uint16_t> lengths;
    lengths.reserve(static_cast<std::size_t>(drawCount));
    std::vector<GameFileNote> written;
    std::size_t next = 0;
    // A note goes after the row it follows; one past the log's end after the last row.
    auto notesAfter = [&](int n) {
        for (; next < notes.size() && (notes[next].afterDraw <= n || n == drawCount); ++next) {
            text += NoteLine(notes[next].key, notes[next].value);
            written.push_back(notes[next]);
            written.back().afterDraw = n;
        }
    };
    notesAfter(0);
    GameFileRowWriter writer(croupiers, wheels, wide_);
    for (int n = 1; n <= drawCount; ++n) {
        const std::size_t before = text.size();
        writer.AppendRows(text, log, n, n);
        notesAfter(n);
        lengths.push_back(NotedLength(text.size() - before));
        if (text.size() >= piece) flush();
    }
    flush();
    if (!out.Commit()) return Fail();
    std::error_code ec;
    std::filesystem::remove(batchMarkerFile(), ec);
    const int fd = ::open(file().c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return Fail();
    {
        std::lock_guard lock(state_);
        fd_ = fd;
        failed_ = false;
        rowLengths_ = std::move(lengths);
    }
    size_ = size;
    written_ = std::move(written);
    return true;
}

bool GameJournal::Sync(const DrawLog& log, RouletteKind kind, std::span<const GameFileNote> notes) {
    WaitForBatch();
    if (failed_ || fd_ < 0 || kind != kind_) return Start(log, kind, notes);
    const int last = log.drawCount();
    if (last < static_cast<int>(rowLengths_.size()) && !Truncate(last))
        return Start(log, kind, notes);
    const int first = static_cast<int>(rowLengths_.size()) + 1;
    // Rows with a wheel or a direction need the wide header: the journal starts over once.
    if (!wide_)
        for (int n = first; n <= last; ++n)
            if (log.drawWheel(n) != 0 || log.drawDirection(n) != SpinDirection::Unknown)
                return Start(log, kind, notes);
    const auto noteText = NotesToAppend(notes, first - 1);
    if (!noteText) return Start(log, kind, notes);
    if (!noteText->empty() && !AppendText(*noteText, {}, false)) return false;
    if (last == first) {
        std::string row;
        GameFileRowWriter(croupierName_, wheelName_, wide_).AppendRows(row, log, first, last);
        return AppendText(row, {NotedLength(row.size())}, false);
    }
    if (last < first) return true;
    // A batch: the caller goes on while its copy is written.
    DrawLog draws = log.Slice(first, last);
    auto [croupiers, wheels] = NamesNowOf(draws, wide_);
    batchWriter_ =
        std::thread([this, draws = std::move(draws), first, croupiers = std::move(croupiers),
                     wheels = std::move(wheels), aside = std::exchange(putAside_, {})]() mutable {
            WriteBatch(std::move(draws), first, std::move(croupiers), std::move(wheels));
            RemoveAll(aside);
        });
    return true;
}

std::optional<std::string> GameJournal::NotesToAppend(std::span<const GameFileNote> notes,
                                                      int drawCount) const {
    auto latest = [](auto begin, auto end, const std::string& key) -> const GameFileNote* {
        for (auto it = end; it != begin;)
            if ((--it)->key == key) return &*it;
        return nullptr;
    };
    std::string text;
    std::vector<std::string> seen;
    for (auto it = notes.end(); it != notes.begin();) {
        const GameFileNote& note = *--it;
        if (std::find(seen.begin(), seen.end(), note.key) != seen.end()) continue;
        seen.push_back(note.key);
        const GameFileNote* inFile = latest(written_.begin(), written_.end(), note.key);
        if (inFile && inFile->value == note.value) continue;
        // A change the file missed further back: only a rewrite puts it in its place.
        if (note.afterDraw != drawCount) return std::nullopt;
        text.insert(0, NoteLine(note.key, note.value));
    }
    for (const GameFileNote& note : written_)
        if (std::find(seen.begin(), seen.end(), note.key) == seen.end()) return std::nullopt;
    return text;
}

bool GameJournal::AppendText(const std::string& text, std::vector<std::uint16_t> rows, bool batch) {
    const std::size_t rowsBefore = rowLengths_.size();
    const int first = static_cast<int>(rowsBefore) + 1;
    const int last = static_cast<int>(rowsBefore + rows.size());
    // The marker, on disk before the rows, lets recovery drop a batch cut short rather than
    // give back part of it.
    if (batch && !WriteFileAtomically(batchMarkerFile(), std::to_string(first - 1) + " " +
                                                             std::to_string(last) + "\n"))
        return Fail();
    if (!WriteAllTo(fd_, text) || ::fdatasync(fd_) != 0) {
        // Put the file back as it was, so that it still ends with a whole row.
        if (::ftruncate(fd_, static_cast<off_t>(size_)) == 0) ::fdatasync(fd_);
        return Fail();
    }
    size_ += text.size();
    if (rows.empty()) {
        // Notes only: they belong to the row before them, and go with it at an undo.
        std::lock_guard lock(state_);
        if (!rowLengths_.empty()) {
            std::uint16_t& length = rowLengths_.back();
            length = length == 0 ? 0 : NotedLength(length + text.size());
        }
        for (std::string_view rest = text; !rest.empty();) {
            const std::size_t end = rest.find('\n');
            written_.push_back(ReadNoteLine(rest.substr(0, end), static_cast<int>(rowsBefore)));
            rest.remove_prefix(end + 1);
        }
    } else {
        std::lock_guard lock(state_);
        rowLengths_.insert(rowLengths_.end(), rows.begin(), rows.end());
    }
    if (batch) {
        std::error_code ec;
        std::filesystem::remove(batchMarkerFile(), ec);
    }
    return true;
}

void GameJournal::WriteBatch(DrawLog draws, int first, CroupierNameLookup croupiers,
                             WheelNameLookup wheels) {
    std::string rows;
    std::vector<std::uint16_t> lengths;
    lengths.reserve(static_cast<std::size_t>(draws.drawCount()));
    GameFileRowWriter writer(std::move(croupiers), std::move(wheels), wide_);
    for (int n = 1; n <= draws.drawCount(); ++n) {
        const std::size_t before = rows.size();
        writer.AppendRows(rows, draws, n, n, first - 1);
        lengths.push_back(NotedLength(rows.size() - before));
    }
    const bool written = AppendText(rows, std::move(lengths), true);
    if (batchListener_) batchListener_(written, draws.drawCount());
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
    {
        std::lock_guard lock(state_);
        rowLengths_.resize(static_cast<std::size_t>(drawCount));
    }
    std::erase_if(written_, [drawCount](const GameFileNote& n) { return n.afterDraw > drawCount; });
    return true;
}

bool GameJournal::Retire() {
    WaitForBatch();
    if (!lock_) return false;
    const bool wasRunning = running();
    const bool hadDraws = journaledDraws() > 0;
    Close();
    {
        std::lock_guard lock(state_);
        failed_ = false;
        rowLengths_.clear();
    }
    written_.clear();
    std::error_code ec;
    std::filesystem::remove(BatchMarkerOf(previousFile()), ec);
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
            std::filesystem::rename(batchMarkerFile(), BatchMarkerOf(previousFile()), ec);
    }
    std::filesystem::remove(batchMarkerFile(), ec);
    if (!keep) return std::filesystem::remove(file(), ec);
    PutAside(previousFile());
    std::filesystem::rename(file(), previousFile(), ec);
    return !ec;
}

void GameJournal::PutAside(const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return;
    // Named as an interrupted write's temporary, so that it is cleared at a later start if it
    // is never removed.
    std::string aside =
        (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(aside.data());
    if (fd < 0) return;
    ::close(fd);
    std::filesystem::rename(file, aside, ec);
    if (ec)
        std::filesystem::remove(aside, ec);
    else
        putAside_.emplace_back(aside);
}

}  // namespace spinalyst
