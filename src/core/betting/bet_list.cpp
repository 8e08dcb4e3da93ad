#include "core/betting/bet_list.h"

namespace spinalyst {

BetList RebuildBetList(const StakeTable& stakes) {
    BetList list;
    for (int code = 1; code <= betKindCount; ++code) {
        const auto kind = static_cast<BetKind>(code);
        for (int index = 0; index <= maxSlotIndex; ++index) {
            const BetSlot slot{kind, index};
            const Cents stake = stakes[slot];
            if (stake == 0) continue;
            list.bets.push_back({slot, stake});
            list.totalStake += stake;
            for (Pocket p = 0; p < maxPocketCount; ++p)
                if (Covers(slot, p)) list.winPerPocket[p] += stake * payoutFactor(kind);
        }
    }
    return list;
}

std::optional<TextId> BetPrefix(BetKind kind) {
    switch (kind) {
        case BetKind::Plein:
            return TextId::FamilyNumber;
        case BetKind::Cheval:
            return TextId::SplitWord;
        case BetKind::Transversale:
            return TextId::StreetWord;
        case BetKind::Carre:
            return TextId::CornerWord;
        case BetKind::Sizain:
            return TextId::SixLineWord;
        case BetKind::Colonne:
            return TextId::ColumnWord;
        case BetKind::Douzaine:
            return TextId::DozenWord;
        case BetKind::RougeNoir:
        case BetKind::PairImpair:
        case BetKind::ManquePasse:
            break;
    }
    return std::nullopt;
}

namespace {

std::string Range(Pocket first, Pocket last) {
    return PocketText(first) + "-" + PocketText(last);
}

}  // namespace

std::string BetDetail(BetSlot slot) {
    if (!IsValidSlot(slot)) return {};
    const int i = slot.index;
    switch (slot.kind) {
        case BetKind::Plein:
            return PocketText(i);
        case BetKind::Cheval:
            return Range(chevalPairs[i][0], chevalPairs[i][1]);
        case BetKind::Transversale:
            if (i == 13) return "0-2";
            if (i == 14) return "0-3";
            return Range(3 * i - 2, 3 * i);
        case BetKind::Carre:
            return Range(carreQuads[i][0], carreQuads[i][3]);
        case BetKind::Sizain:
            return Range(3 * i - 2, 3 * i + 3);
        case BetKind::Colonne:
        case BetKind::Douzaine:
            return std::to_string(i);
        case BetKind::RougeNoir:
            return i == 1 ? "Red" : "Black";
        case BetKind::PairImpair:
            return i == 1 ? "Even" : "Odd";
        case BetKind::ManquePasse:
            return i == 1 ? "Low" : "High";
    }
    return {};
}

std::optional<TextId> EvenChanceWord(BetSlot slot) {
    if (!IsValidSlot(slot)) return std::nullopt;
    const bool first = slot.index == 1;
    switch (slot.kind) {
        case BetKind::RougeNoir:
            return first ? TextId::BetRed : TextId::BetBlack;
        case BetKind::PairImpair:
            return first ? TextId::BetEven : TextId::BetOdd;
        case BetKind::ManquePasse:
            return first ? TextId::BetLow : TextId::BetHigh;
        default:
            return std::nullopt;
    }
}

std::string BetDescription(BetSlot slot, const LanguageTable& texts) {
    if (const auto word = EvenChanceWord(slot)) return texts.Text(*word);
    const auto prefix = BetPrefix(slot.kind);
    if (!prefix) return BetDetail(slot);
    return texts.Text(*prefix) + " " + BetDetail(slot);
}

}  // namespace spinalyst
