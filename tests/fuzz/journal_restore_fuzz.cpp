// A journal left behind, with or without a batch marker: any text is restored or refused
// without harm; a restored game holds only pockets of its kind, names its damaged lines in
// order, writes back as a game file that reads back the same, and plays its stake notes
// without harm, each note that reads writing itself back the same.
#include <cstdint>
#include <cstring>
#include <string>

#include "core/betting/betting_game.h"
#include "core/betting/stakes_note.h"
#include "core/draws/game.h"
#include "core/draws/journal_recovery.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const RouletteKind kind = allKinds[data[0] % allKinds.size()];
    std::string_view text = fuzz::AsText(data + 2, size - 2);
    // With the second byte odd, the text up to its first NUL is the batch marker.
    std::optional<std::string_view> marker;
    if (data[1] % 2 == 1) {
        const std::size_t end = std::min(text.find('\0'), text.size());
        marker = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    const JournalRecovery recovery = RecoverJournalText(text, marker, kind);
    Check(recovery.unfinishedBatch >= 0, "a batch left out counts draws");
    for (std::size_t i = 1; i < recovery.damagedLines.size(); ++i)
        Check(recovery.damagedLines[i - 1] < recovery.damagedLines[i], "damaged lines in order");
    const GameFile& game = recovery.game;
    if (!game.ok()) {
        Check(game.log.drawCount() == 0, "a refused journal gives no draw");
        return 0;
    }
    for (int n = 1; n <= game.log.drawCount(); ++n)
        Check(IsPocketOf(game.kind, game.log.draw(n)), "a pocket of the kind");
    const GameFile back =
        ParseGameFile(WriteGameFile(game.log, game.kind, {}, {}, game.notes), game.kind);
    Check(back.ok(), "a restored game writes a file that reads");
    Check(back.log.drawCount() == game.log.drawCount(), "as many draws");
    for (int n = 1; n <= game.log.drawCount(); ++n)
        Check(back.log.draw(n) == game.log.draw(n), "the same pockets");

    Game restored(game.kind);
    restored.LoadGame(game.kind, game.log, std::nullopt, game.notes);
    BetLedger ledger(game.kind);
    ReplayBets(restored, ledger);
    Check(ledger.history().size() <= static_cast<std::size_t>(restored.drawCount()),
          "no more settled draws than draws");
    for (const GameFileNote& note : restored.notes()) {
        if (note.key != stakesNoteKey) continue;
        const auto stakes = ParseStakesNote(note.value, game.kind);
        if (!stakes) continue;
        BetLedger table(game.kind);
        table.PutStakes(stakes->bets, stakes->laPartage);
        const auto again = ParseStakesNote(StakesNoteValue(table), game.kind);
        Check(again && again->bets == stakes->bets, "a stake note writes itself back");
    }
    return 0;
}
