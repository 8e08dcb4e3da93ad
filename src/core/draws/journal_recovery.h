#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "core/draws/draw_log.h"
#include "core/draws/game_file.h"
#include "core/model/roulette.h"

namespace spinalyst {

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

// The marker a journal's batch is written under: the rows before the batch and its last row,
// beside the journal as <journal>.batch until the batch is on disk.
std::filesystem::path BatchMarkerOf(const std::filesystem::path& journalFile);

// Reads a journal left behind: every row that keeps the format, less a torn last line and a
// batch cut short (by its batch marker); a damaged row is left out alone and the rows after it
// are kept, with the notes between them. nullopt when there is no such file.
std::optional<JournalRecovery> RecoverJournal(const std::filesystem::path& journalFile,
                                              RouletteKind current);

// The same from the journal's text and its batch marker's, when there is one.
JournalRecovery RecoverJournalText(std::string_view text, std::optional<std::string_view> marker,
                                   RouletteKind current);

// Copies a journal as it stands to <name>.damaged-<time>.csv beside it (current-game.damaged-
// 20240115-143012.csv), so that a damaged journal is kept before it is rewritten; the copy's
// path, or nullopt when it could not be written.
std::optional<std::filesystem::path> KeepDamagedCopy(const std::filesystem::path& journalFile,
                                                     DrawTime now);

}  // namespace spinalyst
