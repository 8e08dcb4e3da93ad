#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/store/language_table.h"
#include "core/store/text_ids.h"

namespace spinalyst {

// What is wrong with a rule, a PLAN option or a system file. Each code has one message, in
// English for the command line and by its TextId in the program's language; %1, %2 ... are
// the error's args in order.
enum class SystemErrorCode {
    EmptyRule,
    MissingArrow,
    NoCondition,
    NotACondition,
    MissingSubject,
    NotAFamily,
    ExpectedWord,
    EndsEarly,
    BadCount,
    CountAboveWindow,
    SecondAny,
    NoBets,
    BetWithoutAmount,
    BadAmount,
    AmountAboveSlot,
    ThatWithoutSubject,
    NotABet,
    BadIndex,
    NotOnTable,
    NoOpposite,
    AboveTableMax,
    StartAboveTableMax,
    NotAnOption,
    UnknownOption,
    NeedsValue,
    TakesNoValue,
    GivenTwice,
    BadWholeNumber,
    BadProgression,
    GoesWithOnly,
    TooManyEntries,
    BadAdvanceOn,
    BadMoneyAmount,
    TableMaxAboveLimit,
    BadAtLimit,
    MoneyAboveLimit,
    BetAndRule,
    NoBetsInPlan,
    LaPartageNotFrench,
    BankrollBelowFirstStake,
    TooManyRules,
    CannotPlay,
};

struct SystemError {
    SystemErrorCode code = SystemErrorCode::EmptyRule;
    std::vector<std::string> args;
    // The rule it is in, counted from 1; 0 outside the rules. A rule written as --bet is
    // named as such.
    int rule = 0;
    bool inBet = false;
    // The faulty word's place in the rule's text (Rule::text), in bytes; length 0 marks the
    // place where a word is missing.
    std::size_t offset = 0;
    std::size_t length = 0;
    // In a system file: the line, counted from 1, and the word's place in that line in bytes
    // (the whole line's value when the fault is not in a rule).
    int line = 0;
    std::size_t column = 0;
    friend bool operator==(const SystemError&, const SystemError&) = default;
};

// The message in English, as the command line prints it after its "FILE:LINE: " when there is
// a file: "rule 2: 'absnt' is not a condition; ...".
std::string SystemErrorMessage(const SystemError& error);
// The same in the language of `texts`.
std::string SystemErrorText(const SystemError& error, const LanguageTable& texts);

// The English format of a code, which the language files' English line repeats, and its
// TextId.
std::string_view SystemErrorFormat(SystemErrorCode code);
TextId SystemErrorTextId(SystemErrorCode code);
inline constexpr int systemErrorCodeCount = static_cast<int>(SystemErrorCode::CannotPlay) + 1;

// `format` with %1, %2 ... replaced by args[0], args[1] ...; a number without an arg stays.
std::string FillText(std::string_view format, const std::vector<std::string>& args);

}  // namespace spinalyst
