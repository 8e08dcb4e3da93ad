#include "core/betting/rule.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/betting/money.h"

namespace spinalyst {

namespace {

struct Token {
    std::string text;
    std::size_t offset = 0;
    bool op = false;
    RuleWord word() const { return {text, offset, text.size()}; }
};

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsOperatorChar(char c) {
    return c == ',' || c == '=' || c == '<' || c == '>';
}

std::vector<Token> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        if (IsSpace(text[i])) {
            ++i;
            continue;
        }
        const std::string_view rest = text.substr(i);
        for (std::string_view op : {"=>", ">=", "<="})
            if (rest.starts_with(op)) {
                tokens.push_back({std::string(op), i, true});
                break;
            }
        if (!tokens.empty() && tokens.back().offset == i) {
            i += 2;
            continue;
        }
        if (text[i] == ',' || text[i] == '=') {
            tokens.push_back({std::string(1, text[i]), i, true});
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        if (text[i] != '<' && text[i] != '>')
            while (end < text.size() && !IsSpace(text[end]) && !IsOperatorChar(text[end])) ++end;
        std::string word(text.substr(i, end - i));
        for (char& c : word)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        tokens.push_back({std::move(word), i, false});
        i = end;
    }
    return tokens;
}

constexpr std::array<std::pair<std::string_view, ConditionKind>, 5> conditionWords = {{
    {"always", ConditionKind::Always},
    {"last", ConditionKind::Last},
    {"streak", ConditionKind::Streak},
    {"absent", ConditionKind::Absent},
    {"hits", ConditionKind::HitsAtMost},
}};

// Reads one rule's tokens; the first fault stops it.
class RuleReader {
public:
    RuleReader(std::string_view text, int number)
        : text_(text), number_(number), tokens_(Tokenize(text)) {}

    RuleParse Read() {
        RuleParse parse;
        Rule rule;
        rule.text = std::string(text_);
        if (tokens_.empty()) return Fail(SystemErrorCode::EmptyRule, {}, {"", 0, 0});
        std::size_t arrow = 0;
        while (arrow < tokens_.size() && tokens_[arrow].text != "=>") ++arrow;
        if (arrow == tokens_.size()) return Fail(SystemErrorCode::MissingArrow, {}, End());
        end_ = arrow;
        if (arrow == 0) return Fail(SystemErrorCode::NoCondition, {}, tokens_[0].word());
        bool anySeen = false;
        while (true) {
            auto condition = ReadCondition(anySeen);
            if (!condition) return Failed();
            rule.when.push_back(std::move(*condition));
            if (at_ == end_) break;
            if (tokens_[at_].text != "and")
                return Fail(SystemErrorCode::ExpectedWord, {tokens_[at_].text, "and' or '=>"},
                            tokens_[at_].word());
            ++at_;
            if (at_ == end_)
                return Fail(SystemErrorCode::NotACondition, {"=>"}, tokens_[at_].word());
        }
        at_ = arrow + 1;
        end_ = tokens_.size();
        if (at_ == end_) return Fail(SystemErrorCode::NoBets, {}, End());
        while (true) {
            auto bet = ReadBet();
            if (!bet) return Failed();
            if (bet->target != BetTarget::Named && !rule.thatConditionOf(rule.when))
                return Fail(SystemErrorCode::ThatWithoutSubject, {bet->name.text}, bet->name);
            rule.bets.push_back(std::move(*bet));
            if (at_ == end_) break;
            if (tokens_[at_].text != ",")
                return Fail(SystemErrorCode::ExpectedWord, {tokens_[at_].text, ","},
                            tokens_[at_].word());
            ++at_;
            if (at_ == end_) return Fail(SystemErrorCode::EndsEarly, {"SLOT=AMOUNT"}, End());
        }
        parse.rule = std::move(rule);
        return parse;
    }

private:
    RuleWord End() const { return {"", text_.size(), 0}; }

    RuleParse Fail(SystemErrorCode code, std::vector<std::string> args, const RuleWord& word) {
        error_ = SystemError{code, std::move(args), number_, false, word.offset, word.length};
        return Failed();
    }
    RuleParse Failed() const { return {std::nullopt, error_}; }

    // The next token of the part being read, or nullopt at its end, where `expected` was due.
    const Token* Next(std::string_view expected) {
        if (at_ == end_) {
            Fail(SystemErrorCode::EndsEarly, {std::string(expected)},
                 end_ < tokens_.size() ? RuleWord{"", tokens_[end_].offset, 0} : End());
            return nullptr;
        }
        return &tokens_[at_++];
    }

    bool Expect(std::string_view word) {
        const Token* t = Next(word);
        if (!t) return false;
        if (t->text == word) return true;
        Fail(SystemErrorCode::ExpectedWord, {t->text, std::string(word)}, t->word());
        return false;
    }

    std::optional<std::int64_t> Count() {
        const Token* t = Next("a number");
        if (!t) return std::nullopt;
        std::int64_t value = 0;
        bool good = !t->text.empty() && t->text.size() <= 7;
        for (char c : t->text) {
            good = good && c >= '0' && c <= '9';
            if (good) value = value * 10 + (c - '0');
        }
        if (!good || value < 1 || value > maxConditionCount) {
            Fail(SystemErrorCode::BadCount, {t->text, std::to_string(maxConditionCount)},
                 t->word());
            return std::nullopt;
        }
        return value;
    }

    std::optional<RuleCondition> ReadCondition(bool& anySeen) {
        RuleCondition c;
        const Token& keyword = tokens_[at_++];
        c.keyword = keyword.word();
        const auto known =
            std::find_if(conditionWords.begin(), conditionWords.end(),
                         [&](const auto& entry) { return entry.first == keyword.text; });
        if (keyword.op || known == conditionWords.end()) {
            Fail(SystemErrorCode::NotACondition, {keyword.text}, keyword.word());
            return std::nullopt;
        }
        c.kind = known->second;
        if (c.kind == ConditionKind::Always) return c;
        if (at_ == end_ || tokens_[at_].op) {
            Fail(SystemErrorCode::MissingSubject, {keyword.text}, keyword.word());
            return std::nullopt;
        }
        const Token& subject = tokens_[at_++];
        if (subject.text == "any") {
            if (anySeen) {
                Fail(SystemErrorCode::SecondAny, {}, subject.word());
                return std::nullopt;
            }
            anySeen = true;
            c.any = true;
            const Token* family = Next("FAMILY");
            if (!family) return std::nullopt;
            if (family->op || !BetFamilyNamed(family->text)) {
                Fail(SystemErrorCode::NotAFamily, {family->text}, family->word());
                return std::nullopt;
            }
            c.subject = family->word();
        } else {
            c.subject = subject.word();
        }
        switch (c.kind) {
            case ConditionKind::Last:
            case ConditionKind::Always:
                return c;
            case ConditionKind::Streak:
            case ConditionKind::Absent: {
                if (!Expect(">=")) return std::nullopt;
                const auto n = Count();
                if (!n) return std::nullopt;
                c.count = *n;
                return c;
            }
            case ConditionKind::HitsAtMost:
            case ConditionKind::HitsAtLeast:
                break;
        }
        if (!Expect("in")) return std::nullopt;
        const auto m = Count();
        if (!m) return std::nullopt;
        c.window = *m;
        const Token* op = Next("<=' or '>=");
        if (!op) return std::nullopt;
        if (op->text != "<=" && op->text != ">=") {
            Fail(SystemErrorCode::ExpectedWord, {op->text, "<=' or '>="}, op->word());
            return std::nullopt;
        }
        c.kind = op->text == "<=" ? ConditionKind::HitsAtMost : ConditionKind::HitsAtLeast;
        const std::size_t countAt = at_;
        const auto k = Count();
        if (!k) return std::nullopt;
        if (*k > c.window) {
            Fail(SystemErrorCode::CountAboveWindow,
                 {tokens_[countAt].text, std::to_string(c.window)}, tokens_[countAt].word());
            return std::nullopt;
        }
        c.count = *k;
        return c;
    }

    std::optional<RuleBet> ReadBet() {
        RuleBet bet;
        const Token& name = tokens_[at_++];
        if (name.op) {
            Fail(SystemErrorCode::ExpectedWord, {name.text, "SLOT=AMOUNT"}, name.word());
            return std::nullopt;
        }
        bet.name = name.word();
        bet.target = name.text == "that"       ? BetTarget::That
                     : name.text == "opposite" ? BetTarget::Opposite
                                               : BetTarget::Named;
        if (at_ == end_ || tokens_[at_].text != "=") {
            Fail(SystemErrorCode::BetWithoutAmount, {name.text}, name.word());
            return std::nullopt;
        }
        ++at_;
        if (at_ == end_ || tokens_[at_].op) {
            const RuleWord where = at_ == end_ ? End() : tokens_[at_].word();
            Fail(SystemErrorCode::BadAmount, {at_ == end_ ? "" : tokens_[at_].text}, where);
            return std::nullopt;
        }
        const Token& amount = tokens_[at_++];
        bet.amountWord = amount.word();
        const auto cents = ParseAmount(amount.text, '.');
        if (!cents || *cents <= 0) {
            Fail(SystemErrorCode::BadAmount, {amount.text}, amount.word());
            return std::nullopt;
        }
        if (*cents > maxSlotStake) {
            Fail(SystemErrorCode::AmountAboveSlot, {name.text, FormatAmount(maxSlotStake, '.')},
                 amount.word());
            return std::nullopt;
        }
        bet.amount = *cents;
        return bet;
    }

    std::string_view text_;
    int number_;
    std::vector<Token> tokens_;
    std::size_t at_ = 0;
    std::size_t end_ = 0;
    std::optional<SystemError> error_;
};

std::string_view ConditionWord(ConditionKind kind) {
    for (const auto& [word, k] : conditionWords)
        if (k == kind) return word;
    return "hits";
}

std::string AmountText(Cents amount) {
    if (amount % 100 == 0) return std::to_string(amount / 100);
    return FormatAmount(amount, '.');
}

}  // namespace

std::optional<std::size_t> Rule::thatCondition() const {
    return thatConditionOf(when);
}

std::optional<std::size_t> Rule::thatConditionOf(const std::vector<RuleCondition>& conditions) {
    std::optional<std::size_t> first;
    for (std::size_t i = 0; i < conditions.size(); ++i) {
        if (conditions[i].any) return i;
        if (!first && conditions[i].kind != ConditionKind::Always) first = i;
    }
    return first;
}

bool Rule::alwaysTrue() const {
    for (const RuleCondition& c : when)
        if (c.kind != ConditionKind::Always) return false;
    return true;
}

bool operator==(const Rule& a, const Rule& b) {
    return a.fromBet == b.fromBet && RuleText(a) == RuleText(b);
}

RuleParse ParseRule(std::string_view text, int number) {
    return RuleReader(text, number).Read();
}

std::string RuleText(const Rule& rule) {
    std::string text;
    for (const RuleCondition& c : rule.when) {
        if (!text.empty()) text += " and ";
        text += ConditionWord(c.kind);
        if (c.kind == ConditionKind::Always) continue;
        text += ' ';
        text += (c.any ? "any " : "") + c.subject.text;
        switch (c.kind) {
            case ConditionKind::Streak:
            case ConditionKind::Absent:
                text += " >= " + std::to_string(c.count);
                break;
            case ConditionKind::HitsAtMost:
            case ConditionKind::HitsAtLeast:
                text += " in " + std::to_string(c.window) +
                        (c.kind == ConditionKind::HitsAtMost ? " <= " : " >= ") +
                        std::to_string(c.count);
                break;
            case ConditionKind::Always:
            case ConditionKind::Last:
                break;
        }
    }
    text += " =>";
    for (std::size_t i = 0; i < rule.bets.size(); ++i)
        text +=
            (i == 0 ? " " : ", ") + rule.bets[i].name.text + '=' + AmountText(rule.bets[i].amount);
    return text;
}

RuleParse BetOptionRule(std::string_view bet) {
    // The option's value is read as the bets of `always`, so that its words keep their places.
    const std::string prefix = "always => ";
    RuleParse parse = ParseRule(prefix + std::string(bet), 1);
    if (parse.error) {
        parse.error->inBet = true;
        parse.error->offset =
            parse.error->offset >= prefix.size() ? parse.error->offset - prefix.size() : 0;
        return parse;
    }
    Rule& rule = *parse.rule;
    if (rule.bets.size() != 1) {
        // One bet an option: what follows its '=' is read as its amount.
        const std::size_t eq = bet.find('=') + 1;
        SystemError error{SystemErrorCode::BadAmount,
                          {std::string(bet.substr(eq))},
                          1,
                          true,
                          eq,
                          bet.size() - eq};
        return {std::nullopt, error};
    }
    rule.fromBet = true;
    rule.text = std::string(bet);
    for (RuleBet& b : rule.bets) {
        b.name.offset -= prefix.size();
        b.amountWord.offset -= prefix.size();
    }
    rule.when.front().keyword.offset = 0;
    rule.when.front().keyword.length = 0;
    return parse;
}

}  // namespace spinalyst
