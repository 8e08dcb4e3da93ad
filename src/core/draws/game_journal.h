#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/draws/game_file.h"
#include "core/model/roulette.h"
#include "core/store/file_lock.h"

namespace spinalyst {

inline constexpr std::string_view currentGameFileName = "current-game.csv";
inline constexpr std::string_view previousGameFileName = "previous-game.csv";

// Whether a file of the data folder is one the journal keeps: journals and their batch markers,
// previous games, damaged copies.
bool IsJournalFileName(std::string_view name);

// What a journal left behind by a run that did not end cleanly holds.
struct JournalRecovery {
    // ok() is false when not even the kind line and the header could be read.
    GameFile game;
    // The lines left out, 1-based: rows that break the format, a last line torn by a power cut.
    std::vector<int> damagedLines;
    // The draws of a batch that was not written whole when the program stopped: all of them
    // are left out, so that a batch comes back whole or not at all.
    int unfinishedBatch = 0;
    // When the journal was last written.
    std::optional<DrawTime> writtenAt;
};

// The current game kept on disk as it grows, as a game file, so that a crash loses nothing
// entered. A draw is appended and flushed to the disk before the caller goes on; an undo cuts
// the file. A batch is copied and written by a thread of its own, as one block under a marker
// that lets recovery drop a batch cut short, so that it comes back whole or not at all; the
// next operation waits for it. A write that fails stops the journal until the next Start,
// and failed() says so.
//
// Each running copy of the program owns a journal of its own in the data folder, held by a
// lock for as long as the journal object lives: the first copy current-game.csv, a second one
// current-game-2.csv and so on, each with its previous game (previous-game-2.csv ...). A copy
// never touches a journal another running copy owns; a journal whose owner is gone is taken
// over, as the leftover of the slot it moves into.
class GameJournal {
public:
    // Takes the first journal slot of dir that no running copy holds. When that slot holds no
    // leftover journal and another free slot does, the leftover moves into this one, so that
    // it is offered back.
    explicit GameJournal(std::filesystem::path dir, CroupierNameLookup croupierName = {});
    ~GameJournal();
    GameJournal(const GameJournal&) = delete;
    GameJournal& operator=(const GameJournal&) = delete;

    // 1 for current-game.csv, 2 for current-game-2.csv ...
    int slot() const { return slot_; }
    std::filesystem::path file() const;
    std::filesystem::path previousFile() const;
    std::filesystem::path batchMarkerFile() const;

    // Starts the journal over with the whole log, replacing any journal atomically.
    bool Start(const DrawLog& log, RouletteKind kind);
    // Brings the journal to the log: cuts rows the log no longer has, appends the new ones as
    // one block. Starts the journal when it is not running.
    bool Sync(const DrawLog& log, RouletteKind kind);
    // Closes the journal and keeps it as the previous game when it holds a draw; an empty
    // one is removed. A journal left by an earlier run is retired the same way.
    bool Retire();

    // These wait for a batch being written.
    bool running() const;
    // Whether the last Start or Sync failed to write.
    bool failed() const;
    int journaledDraws() const;

    // Reads a journal left behind: every row that keeps the format, less a torn last line and
    // a batch cut short (by its batch marker, beside it); a damaged row is left out alone and
    // the rows after it are kept. nullopt when there is no such file.
    static std::optional<JournalRecovery> Recover(const std::filesystem::path& journalFile,
                                                  RouletteKind current);
    // The journal an earlier run left in this journal's file.
    std::optional<JournalRecovery> RecoverLeftover(RouletteKind current) const {
        return Recover(file(), current);
    }
    // Copies a journal as it stands to <name>.damaged-<time>.csv beside it (current-game.
    // damaged-20240115-143012.csv), so that a damaged journal is kept before it is rewritten;
    // the copy's path, or nullopt when it could not be written.
    static std::optional<std::filesystem::path> KeepDamagedCopy(
        const std::filesystem::path& journalFile, DrawTime now);

private:
    void Wait() const;
    bool Fail();
    bool Append(const DrawLog& log, RouletteKind kind);
    // Writes rows formatted in out; numbered after the rows already there when batch is set.
    bool WriteRows(const std::string& rows, std::size_t rowsBefore, bool batch, int last);
    void WriteBatch(DrawLog draws, int first, CroupierNameLookup names);
    bool Truncate(int drawCount);
    void Close();
    void AdoptOrphan();

    std::filesystem::path dir_;
    int slot_ = 1;
    std::optional<FileLock> lock_;
    CroupierNameLookup croupierName_;
    int fd_ = -1;
    bool failed_ = false;
    RouletteKind kind_ = defaultKind;
    std::uint64_t size_ = 0;
    // The byte length of each row, so that an undo knows where to cut; 0 for a row too long
    // to note, which makes the cut start the journal over.
    std::vector<std::uint16_t> rowLengths_;
    std::string buffer_;
    // The thread writing a batch; every operation joins it first.
    mutable std::thread batchWriter_;
};

}  // namespace spinalyst
