#pragma once

#include <array>
#include <cstdint>

namespace spinalyst {

// Every text the program shows is looked up by one of these numbers in the language table.
enum class TextId : std::int32_t {
    Ok = 5,
    Cancel = 6,
    MenuFile = 11,
    MenuNew = 12,
    MenuQuit = 16,
    MenuPreferences = 17,
    MenuRoulette = 18,
    MenuAmerican = 19,
    MenuFrench = 20,
    MenuNoZero = 21,
    MenuRandomSource = 22,
    MenuHelp = 23,
    MenuAbout = 24,
    Croupier = 26,
    NewCroupierButton = 27,
    RandomDraws = 28,
    Undo = 29,
    DrawTimeHeader = 30,
    PocketHeader = 31,
    OddEvenHeader = 32,
    LowHighHeader = 33,
    ColumnHeader = 34,
    DozenHeader = 35,
    DistanceHeader = 36,
    RepeatGapHeader = 37,
    StatisticsTitle = 38,
    AnalysedCount = 39,
    RangeFrom = 40,
    RangeTo = 41,
    LastPrefix = 42,
    LastSuffix = 43,
    StepCaption = 44,
    StepAll = 45,  // 45 ... 53: every draw, then one in 2 ... one in 9
    FollowCaption = 54,
    FamilyNumber = 55,  // 55 ... 63: the nine families of the following-filter
    FamilyStreet = 56,
    FamilySector = 57,
    FamilySixLine = 58,
    FamilyColumn = 59,
    FamilyDozen = 60,
    FamilyRedBlack = 61,
    FamilyEvenOdd = 62,
    FamilyLowHigh = 63,
    CroupierCaption = 64,
    BetsTab = 65,
    BetHeader = 66,
    StakeHeader = 67,
    WinHeader = 68,
    BalanceHeader = 69,
    Neighbours = 70,
    ClearBets = 71,
    Collapse = 73,
    Expand = 74,
    WheelTab = 75,
    HitsHeader = 77,
    CurrentGapHeader = 78,
    LongestGapHeader = 79,
    WheelDistanceHeader = 80,
    TableTab = 81,
    PleinsTab = 82,
    SimplesTab = 83,
    DzsColsTab = 84,
    SizainsTab = 85,
    TransversalesTab = 86,
    FinalesTab = 87,
    TableauTab = 88,
    RedBlackScore = 89,
    DozenWord = 90,
    ColumnWord = 91,
    StreetWord = 92,
    StraightWord = 93,
    GapHeader = 95,
    RatioHeader = 96,
    CarresTab = 97,
    ChevauxTab = 98,
    NewCroupierTitle = 99,
    NameLabel = 100,
    RandomSourceTitle = 101,
    SourceProgram = 102,
    SourceFile = 103,
    RepeatsHeader = 104,
    Red = 105,  // 105 ... 110: the six even chances
    Black = 106,
    Even = 107,
    Odd = 108,
    Low = 109,
    High = 110,
    SplitWord = 111,
    CornerWord = 112,
    SixLineWord = 113,
    TypedPocket = 114,
    NotAPocket = 115,
    TargetRed = 116,  // 116 ... 121: the outcomes of the even-chance following-filters
    TargetBlack = 117,
    TargetEven = 118,
    TargetOdd = 119,
    TargetLow = 120,
    TargetHigh = 121,
    CroupierFileNotWritten = 122,
    TypingEntersDraws = 123,
    TypingEditsBox = 124,
    SettingsNotWritten = 125,
    RandomSourceIsFile = 126,
    OddEvenDrawsHeader = 127,
    MenuHelpItem = 128,
    ManualMissing = 129,
    MenuOpen = 130,
    MenuSave = 131,
    MenuSaveAs = 132,
    MenuImportSpins = 133,
    MenuExportStats = 134,
    MenuRecentGames = 135,
    MenuRestorePrevious = 136,
    SaveQuestion = 137,
    RestoreQuestion = 138,      // %1 draws, %2 the date
    JournalNotWritten = 139,    // %1 the journal file
    JournalLinesDropped = 140,  // %1 lines
    FileNotRead = 141,          // %1 the file
    FileNotWritten = 142,       // %1 the file
    NoPreviousGame = 143,
    GameFilesFilter = 144,
    SpinListsFilter = 145,
    CsvFilesFilter = 146,
    NothingToExport = 147,
};
// The highest TextId; the registry below takes every number from 95 up to it.
inline constexpr std::int32_t lastTextId = 147;

constexpr TextId StepEntry(int index) {
    return static_cast<TextId>(45 + index);
}
constexpr TextId FamilyEntry(int index) {
    return static_cast<TextId>(55 + index);
}

// The registry: every TextId the program uses, for the check of the language files.
inline constexpr std::array<std::int32_t, 79 + lastTextId - 95 + 1> allTextIds = [] {
    std::array<std::int32_t, 79 + lastTextId - 95 + 1> ids{};
    std::size_t n = 0;
    for (int id : {5, 6, 11, 12, 16, 17, 18, 19, 20, 21, 22, 23, 24}) ids[n++] = id;
    for (int id = 26; id <= 71; ++id) ids[n++] = id;
    for (int id : {73, 74, 75}) ids[n++] = id;
    for (int id = 77; id <= 93; ++id) ids[n++] = id;
    for (int id = 95; id <= lastTextId; ++id) ids[n++] = id;
    return ids;
}();

}  // namespace spinalyst
