#include "core/draws/frozen_set.h"

#include <algorithm>
#include <charconv>

#include "core/draws/game_file.h"

namespace spinalyst {

namespace {
constexpr std::string_view pocketsPrefix = ";pockets=";
}  // namespace

bool ValidFrozenPockets(const std::vector<Pocket>& pockets, RouletteKind kind) {
    if (pockets.empty()) return false;
    for (std::size_t i = 0; i < pockets.size(); ++i)
        if (!IsPocketOf(kind, pockets[i]) ||
            std::find(pockets.begin(), pockets.begin() + static_cast<long>(i), pockets[i]) !=
                pockets.begin() + static_cast<long>(i))
            return false;
    return true;
}

std::string FreezeNoteValue(const FrozenSet& freeze) {
    std::string value = std::to_string(freeze.drawCount) + std::string(pocketsPrefix);
    for (std::size_t i = 0; i < freeze.pockets.size(); ++i)
        value += (i ? "," : "") + PocketText(freeze.pockets[i]);
    return value;
}

std::optional<FrozenSet> ParseFreezeNote(std::string_view value, RouletteKind kind) {
    const std::size_t at = value.find(pocketsPrefix);
    if (at == std::string_view::npos || at == 0) return std::nullopt;
    FrozenSet freeze;
    const std::string_view count = value.substr(0, at);
    const auto [end, ec] =
        std::from_chars(count.data(), count.data() + count.size(), freeze.drawCount);
    if (ec != std::errc() || end != count.data() + count.size() || freeze.drawCount < 0)
        return std::nullopt;
    const std::string_view list = value.substr(at + pocketsPrefix.size());
    // Single commas only, as the line is written.
    if (list.empty() || list.front() == ',' || list.back() == ',' ||
        list.find_first_of(" ;\t") != std::string_view::npos ||
        list.find(",,") != std::string_view::npos)
        return std::nullopt;
    const auto pockets = ParsePocketList(list, kind);
    if (!pockets) return std::nullopt;
    freeze.pockets = *pockets;
    return freeze;
}

std::optional<std::vector<Pocket>> ParsePocketList(std::string_view text, RouletteKind kind,
                                                   PocketListFault* fault) {
    const auto refuse = [fault](PocketListFault::Kind k, std::string_view word) {
        if (fault) *fault = {k, std::string(word)};
        return std::nullopt;
    };
    std::vector<Pocket> pockets;
    constexpr std::string_view separators = ", ;\t";
    while (!text.empty()) {
        const std::size_t end = std::min(text.find_first_of(separators), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (word.empty()) continue;
        const auto pocket = ParsePocket(word, kind);
        if (!pocket) return refuse(PocketListFault::Kind::NotAPocket, word);
        if (std::find(pockets.begin(), pockets.end(), *pocket) != pockets.end())
            return refuse(PocketListFault::Kind::Twice, word);
        pockets.push_back(*pocket);
    }
    if (pockets.empty()) return refuse(PocketListFault::Kind::Empty, {});
    return pockets;
}

std::optional<FrozenSet> FreezeOfNotes(std::span<const GameFileNote> notes, RouletteKind kind) {
    for (auto n = notes.rbegin(); n != notes.rend(); ++n)
        if (n->key == freezeNoteKey) return ParseFreezeNote(n->value, kind);
    return std::nullopt;
}

}  // namespace spinalyst
