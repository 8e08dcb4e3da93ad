// Game files: any text is read or refused without harm, and a game read is written and read
// back with the same draws, times, croupiers, wheels and directions, in a zone with summer
// time.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "core/draws/game_file.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The zone rule rather than a zone file, so that the machine's zone database does not
    // matter: Central European time, summer time from March to October.
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const RouletteKind kind = allKinds[data[0] % allKinds.size()];
    const std::string_view text = fuzz::AsText(data + 1, size - 1);
    // Without a forced kind, every pocket read belongs to the kind settled on, and the kind
    // line written with the game brings that kind back whatever the reader's current one.
    const GameFile settled = ParseGameFile(text, KindRule{std::nullopt, kind});
    if (settled.ok()) {
        for (int n = 1; n <= settled.log.drawCount(); ++n)
            Check(IsPocketOf(settled.kind, settled.log.draw(n)), "a pocket of the settled kind");
        const GameFile again = ParseGameFile(WriteGameFile(settled.log, settled.kind, {}),
                                             KindRule{std::nullopt, RouletteKind::NoZero});
        Check(again.ok() && again.kind == settled.kind, "the kind line keeps the kind");
    }
    const GameFile game = ParseGameFile(text, kind);
    // The shortcut for common rows answers as the field-by-field reading does.
    const GameFile reference = ParseGameFileRowByRow(text, KindRule{kind, kind});
    Check(game.ok() == reference.ok(), "both readings accept or refuse");
    if (!game.ok())
        Check(game.error->line == reference.error->line &&
                  game.error->token == reference.error->token &&
                  game.error->message == reference.error->message,
              "both readings give the same error");
    Check(game.croupierNames == reference.croupierNames &&
              game.wheelNames == reference.wheelNames && game.notes == reference.notes,
          "both readings give the same names and notes");
    Check(std::ranges::equal(game.log.draws(), reference.log.draws()) &&
              std::ranges::equal(game.log.croupiers(), reference.log.croupiers()),
          "both readings give the same pockets and croupiers");
    for (int n = 1; n <= game.log.drawCount(); ++n)
        Check(game.log.drawTime(n) == reference.log.drawTime(n) &&
                  game.log.drawWheel(n) == reference.log.drawWheel(n) &&
                  game.log.drawDirection(n) == reference.log.drawDirection(n),
              "both readings give the same times, wheels and directions");
    if (!game.ok()) {
        Check(game.log.drawCount() == 0 && game.croupierNames.empty(),
              "a refused file gives no draw");
        Check(game.error->line >= 1, "an error names a line");
        return 0;
    }
    Check(IsGameFile(text), "a file read is a game file");
    const auto lookup = [](const std::vector<std::string>& names) {
        return [&names](std::int32_t c) {
            return c >= 1 && static_cast<std::size_t>(c) <= names.size()
                       ? std::optional<std::string>(names[static_cast<std::size_t>(c) - 1])
                       : std::nullopt;
        };
    };
    const std::string written =
        WriteGameFile(game.log, game.kind, lookup(game.croupierNames), lookup(game.wheelNames));
    const GameFile back = ParseGameFile(written, kind);
    Check(back.ok(), "a written game reads back");
    Check(back.log.drawCount() == game.log.drawCount(), "as many draws");
    Check(back.croupierNames == game.croupierNames, "the same croupiers");
    Check(back.wheelNames == game.wheelNames, "the same wheels");
    for (int n = 1; n <= game.log.drawCount(); ++n) {
        Check(back.log.draw(n) == game.log.draw(n), "the same pockets");
        Check(back.log.drawTime(n) == game.log.drawTime(n), "the same times");
        Check(back.log.drawCroupier(n) == game.log.drawCroupier(n), "the same croupier numbers");
        Check(back.log.drawWheel(n) == game.log.drawWheel(n), "the same wheel numbers");
        Check(back.log.drawDirection(n) == game.log.drawDirection(n), "the same directions");
    }
    return 0;
}
