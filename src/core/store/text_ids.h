#pragma once

#include <array>
#include <cstdint>
#include <vector>

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
    ShadeTip = 130,
    BetRed = 131,  // 131 ... 136: the even chances as the bets name them
    BetBlack = 132,
    BetEven = 133,
    BetOdd = 134,
    BetLow = 135,
    BetHigh = 136,
    TotalStaked = 137,
    FairnessTab = 138,
    VerdictNoDraws = 139,
    VerdictNoEvidence = 140,
    ComesMoreOften = 141,
    ComesLessOften = 142,
    AdjustedPEquals = 143,
    AdjustedPBelow = 144,
    PocketSubject = 145,
    DozenSubject = 146,
    ColumnSubject = 147,
    RedSubject = 148,
    BlackSubject = 149,
    EvenSubject = 150,
    OddSubject = 151,
    LowSubject = 152,
    HighSubject = 153,
    ZeroSubject = 154,
    ZerosSubject = 155,
    SectorSubject = 156,
    PocketsUneven = 157,
    DealerDistance = 158,
    RunsAlternate = 159,
    RunsStreak = 160,
    RedAndBlack = 161,
    EvenAndOdd = 162,
    LowAndHigh = 163,
    SerialDependence = 164,
    MoreFindings = 165,
    WithinChance = 166,
    DrawsTested = 167,
    SectorScanProgress = 168,
    TestHeader = 169,
    SubjectHeader = 170,
    StatisticHeader = 171,
    DfHeader = 172,
    PValueHeader = 173,
    AdjustedPHeader = 174,
    TestPockets = 175,
    TestPocket = 176,
    TestOutside = 177,
    TestSector = 178,
    TestBestSector = 179,
    TestDealer = 180,
    TestRuns = 181,
    TestSerial = 182,
    AllPockets = 183,
    DozensSubject = 184,
    ColumnsSubject = 185,
    RedBlackSubject = 186,
    EvenOddSubject = 187,
    LowHighSubject = 188,
    ArcSubject = 189,
    WheelPlacesSubject = 190,
    ZChartTitle = 191,
    UsualThreshold = 192,
    HolmThreshold = 193,
    DealerRepeat = 194,
    MenuOpen = 195,
    MenuSave = 196,
    MenuSaveAs = 197,
    MenuImportSpins = 198,
    MenuExportStats = 199,
    MenuRecentGames = 200,
    MenuRestorePrevious = 201,
    SaveQuestion = 202,
    RestoreQuestion = 203,      // %1 draws, %2 the date
    JournalNotWritten = 204,    // %1 the journal file
    JournalLinesDropped = 205,  // %1 how many lines, %2 which
    FileNotRead = 206,          // %1 the file
    FileNotWritten = 207,       // %1 the file
    NoPreviousGame = 208,
    GameFilesFilter = 209,
    SpinListsFilter = 210,
    CsvFilesFilter = 211,
    NothingToExport = 212,
    DontSave = 213,
    Yes = 214,
    No = 215,
    MenuHeatScale = 700,
    HeatBySpread = 701,
    HeatByDeviation = 702,
    HeatMostHits = 703,
    HeatFewestHits = 704,
    HeatMoreThanExpected = 705,
    HeatFewerThanExpected = 706,
    HeatSpreadTip = 707,
    HeatDeviationTip = 708,
    DeviationTip = 709,
    JournalKeptAside = 800,  // %1 the copy of the damaged journal
    JournalNotKeptAside = 801,
    UnfinishedBatch = 802,  // %1 draws
    JournalOfItsOwn = 803,  // %1 the journal file
    JournalIndicator = 804,
    JournalIndicatorTip = 805,  // %1 the journal file
    BatchNotJournaled = 806,    // %1 draws, %2 the journal file
};
constexpr TextId StepEntry(int index) {
    return static_cast<TextId>(45 + index);
}
constexpr TextId FamilyEntry(int index) {
    return static_cast<TextId>(55 + index);
}

// The registry: every TextId the program uses, for the check of the language files, as ranges
// of numbers used without gaps. A new group of texts takes a range of its own.
struct TextIdRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
};
inline constexpr std::array textIdRanges = {
    TextIdRange{5, 6},    TextIdRange{11, 12},   TextIdRange{16, 24},
    TextIdRange{26, 71},  TextIdRange{73, 75},   TextIdRange{77, 93},
    TextIdRange{95, 215}, TextIdRange{700, 709}, TextIdRange{800, 806},
};

inline std::vector<std::int32_t> AllTextIds() {
    std::vector<std::int32_t> ids;
    for (const TextIdRange& r : textIdRanges)
        for (std::int32_t id = r.first; id <= r.last; ++id) ids.push_back(id);
    return ids;
}

}  // namespace spinalyst
