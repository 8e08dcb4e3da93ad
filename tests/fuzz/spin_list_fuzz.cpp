// Spin lists: any text is read or refused without harm; an error points into the text; the
// pockets read are written and read back the same.
#include <cstdint>
#include <string>

#include "core/draws/spin_file.h"
#include "fuzz_check.h"

using namespace spinalyst;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const RouletteKind kind = allKinds[data[0] % allKinds.size()];
    const std::string_view text = fuzz::AsText(data + 1, size - 1);
    const SpinList list = ParseSpinList(text, kind);
    if (!list.ok()) {
        Check(list.pockets.empty(), "a refused list gives no pocket");
        Check(list.error->line >= 1 && list.error->column >= 1, "an error names line and column");
        Check(!list.error->token.empty() && text.find(list.error->token) != std::string_view::npos,
              "the token in error is in the text");
        return 0;
    }
    std::string written;
    for (Pocket p : list.pockets) {
        Check(IsPocketOf(kind, p), "pockets belong to the kind");
        written += PocketText(p) + "\n";
    }
    Check(ParseSpinList(written, kind).pockets == list.pockets, "the pockets read back");
    return 0;
}
