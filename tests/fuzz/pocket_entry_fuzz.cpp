// Pockets as typed or read: only the text PocketText writes is a pocket, and keyboard entry
// never holds more than three digits or gives a pocket outside the kind.
#include <cstdint>

#include "core/draws/pocket_entry.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = fuzz::AsText(data, size);
    for (RouletteKind kind : allKinds)
        if (const auto pocket = ParsePocket(text, kind))
            Check(IsPocketOf(kind, *pocket) && PocketText(*pocket) == text,
                  "a pocket read is written the same");

    // Bytes as keys: 'b' is Backspace, 'c' Clear, '\n' Enter, anything else typed.
    if (size == 0) return 0;
    const RouletteKind kind = allKinds[data[0] % allKinds.size()];
    PocketEntry entry;
    for (char key : text.substr(1)) {
        if (key == 'b') {
            entry.Backspace();
        } else if (key == 'c') {
            entry.Clear();
        } else if (key == '\n') {
            const std::string typed = entry.typed();
            Pocket pocket = -1;
            const auto result = entry.Commit(kind, pocket);
            Check(entry.typed().empty(), "Enter clears what was typed");
            Check((result == PocketEntry::Result::Nothing) == typed.empty(), "Nothing when empty");
            if (result == PocketEntry::Result::Accepted)
                Check(IsPocketOf(kind, pocket) && PocketText(pocket) == typed,
                      "the pocket typed is entered");
        } else {
            const bool taken = entry.Type(key);
            Check(!taken || (key >= '0' && key <= '9'), "only digits are typed");
        }
        Check(entry.typed().size() <= 3, "at most three digits");
    }
    return 0;
}
