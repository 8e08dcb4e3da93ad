#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/draws/game_file.h"
#include "core/draws/journal_recovery.h"
#include "core/model/roulette.h"
#include "core/store/file_lock.h"

namespace spinalyst {

inline constexpr std::string_view currentGameFileName = "current-game.csv";
inline constexpr std::string_view previousGameFileName = "previous-game.csv";

// Whether a file of the data folder is one the journal keeps: journals and their batch markers,
// previous games, damaged copies.
bool IsJournalFileName(std::string_view name);

// The current game kept on disk as it grows, as a game file with its notes, so that a crash
// loses nothing entered. A draw or a note is appended and flushed to the disk before the
// caller goes on; an undo cuts the file. A batch is copied and written by a thread of its
// own, as one block under a marker that lets recovery drop a batch cut short, so that it
// comes back whole or not at all; the batch listener hears at once how it went, and the next
// change waits for it. A write that fails stops the journal; every later change tries again
// to write the whole game, and the journal works again as soon as that succeeds.
//
// Each running copy of the program owns a journal of its own in the data folder, held by a
// lock for as long as the journal object lives: the first copy current-game.csv, a second one
// current-game-2.csv and so on, each with its previous game (previous-game-2.csv ...). A copy
// never touches a journal another running copy owns; a journal whose owner is gone is taken
// over, as the leftover of the slot it moves into.
class GameJournal {
public:
    // Told, on the batch writer's thread, whether a batch of so many draws reached the disk
    // (none for a game started in the background).
    using BatchListener = std::function<void(bool written, int draws)>;

    // Takes the first journal slot of dir that no running copy holds. When that slot holds no
    // leftover journal and another free slot does, the leftover moves into this one, so that
    // it is offered back.
    explicit GameJournal(std::filesystem::path dir, CroupierNameLookup croupierName = {},
                         WheelNameLookup wheelName = {});
    ~GameJournal();
    GameJournal(const GameJournal&) = delete;
    GameJournal& operator=(const GameJournal&) = delete;

    // 1 for current-game.csv, 2 for current-game-2.csv ...
    int slot() const { return slot_; }
    std::filesystem::path file() const;
    std::filesystem::path previousFile() const;
    std::filesystem::path batchMarkerFile() const { return BatchMarkerOf(file()); }

    void SetBatchListener(BatchListener listener) { batchListener_ = std::move(listener); }

    // Starts the journal over with the whole game, replacing any journal atomically.
    bool Start(const DrawLog& log, RouletteKind kind, std::span<const GameFileNote> notes = {});
    // Start, written by the journal's thread from the copy of the game handed over, so that
    // the caller goes on at once; as with a batch, the next change waits for it, and the batch
    // listener hears how it went, with no draw counted as new. False when it failed at once.
    bool StartInBackground(DrawLog log, RouletteKind kind, std::vector<GameFileNote> notes);
    // Brings the journal to the game: cuts rows the log no longer has, appends the notes that
    // changed and the new rows (several as one batch). Starts the journal over when it is not
    // running, has failed, cannot follow otherwise, or with the wheel and direction columns
    // when the first draw that has either comes.
    bool Sync(const DrawLog& log, RouletteKind kind, std::span<const GameFileNote> notes = {});
    // Closes the journal and keeps it as the previous game when it holds a draw; an empty
    // one is removed. A journal left by an earlier run is retired the same way.
    bool Retire();

    // None of these waits for a batch being written: they tell what is known to be on disk.
    bool running() const;
    // Whether the last write failed; the game is then not safe on disk.
    bool failed() const;
    int journaledDraws() const;
    // Waits until a batch, or a game started in the background, is on disk or has failed.
    void WaitForBatch() const;

    // The journal an earlier run left in this journal's file.
    std::optional<JournalRecovery> RecoverLeftover(RouletteKind current) const {
        return RecoverJournal(file(), current);
    }

private:
    bool Fail();
    // The names of the croupiers and wheels of draws handed to the journal's thread, looked up
    // now, since the tables may change while it writes.
    std::pair<CroupierNameLookup, WheelNameLookup> NamesNowOf(const DrawLog& draws,
                                                              bool wide) const;
    // The journal file written anew with the whole game, on the calling thread.
    bool Rewrite(const DrawLog& log, RouletteKind kind, std::span<const GameFileNote> notes,
                 const CroupierNameLookup& croupiers, const WheelNameLookup& wheels);
    // Appends text made of whole rows and notes; rows adds the byte length of each row with the
    // notes after it, rowsBefore the rows already there.
    bool AppendText(const std::string& text, std::vector<std::uint16_t> rows, bool batch);
    void WriteBatch(DrawLog draws, int first, CroupierNameLookup croupiers, WheelNameLookup wheels);
    bool Truncate(int drawCount);
    // The notes of the game that the file lacks, all to go at its end; nullopt when they
    // cannot go there and the journal must start over.
    std::optional<std::string> NotesToAppend(std::span<const GameFileNote> notes,
                                             int drawCount) const;
    void Close();
    void AdoptOrphan();
    // Moves a file that is to go out of the way at once; it is removed on the journal's thread
    // (or at the end), since removing a large file frees its cached pages, which takes a while.
    void PutAside(const std::filesystem::path& file);

    std::filesystem::path dir_;
    int slot_ = 1;
    std::optional<FileLock> lock_;
    CroupierNameLookup croupierName_;
    WheelNameLookup wheelName_;
    BatchListener batchListener_;
    // The rows carry the wheel and direction columns.
    bool wide_ = false;
    RouletteKind kind_ = defaultKind;
    std::uint64_t size_ = 0;
    // The notes in the file, in its order.
    std::vector<GameFileNote> written_;
    // Guards what the getters read while a batch is being written: the file descriptor, the
    // failure, the row lengths.
    mutable std::mutex state_;
    int fd_ = -1;
    bool failed_ = false;
    // The byte length of each row with the notes after it, so that an undo knows where to
    // cut; 0 for one too long to note, which makes the cut start the journal over.
    std::vector<std::uint16_t> rowLengths_;
    // Files put aside, to be removed by the next thread the journal starts.
    std::vector<std::filesystem::path> putAside_;
    // The thread writing a batch or a game started in the background; every change joins it
    // first.
    mutable std::thread batchWriter_;
};

}  // namespace spinalyst
