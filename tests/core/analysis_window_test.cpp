#include "core/stats/analysis_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace spinalyst {
namespace {

DrawLog MakeLog(const std::vector<Pocket>& pockets,
                const std::vector<std::int32_t>& croupiers = {}) {
    DrawLog log;
    for (std::size_t i = 0; i < pockets.size(); ++i)
        log.Append(pockets[i], std::nullopt, i < croupiers.size() ? croupiers[i] : 0);
    return log;
}

// Draw n holds pocket n, so the analysed pockets name the analysed draws.
DrawLog NumberedLog(int count) {
    std::vector<Pocket> pockets;
    for (int n = 1; n <= count; ++n) pockets.push_back(n);
    return MakeLog(pockets);
}

std::vector<Pocket> Analyse(const AnalysisControls& controls, const DrawLog& log,
                            RouletteKind kind = RouletteKind::French,
                            const CroupierLookup& croupiers = {}) {
    std::vector<Pocket> out;
    std::vector<std::uint8_t> buffer;
    if (const auto resolved = ResolveAnalysisWindow(controls, log, kind, croupiers)) {
        const auto analysed = SelectAnalysedDraws(log, kind, resolved->window, buffer);
        out.assign(analysed.begin(), analysed.end());
    }
    return out;
}

AnalysisControls Range(int start, int end) {
    AnalysisControls c;
    c.rangeStart = start;
    c.rangeEnd = end;
    return c;
}

AnalysisControls LastN(int n) {
    AnalysisControls c;
    c.useRange = false;
    c.useLast = true;
    c.lastCount = n;
    return c;
}

AnalysisControls Following(FollowFamily family, std::optional<int> pari, int start = 1,
                           int end = 1000) {
    AnalysisControls c = Range(start, end);
    c.useFollowing = true;
    c.followFamily = family;
    c.followEntry = pari;
    return c;
}

TEST(AnalysisWindow, RangeFollowsTheCheckedBoxAndStaysInsideTheLog) {
    AnalysisControls neither;
    neither.useRange = false;
    AnalysisControls both = Range(3, 4);
    both.useLast = true;
    struct Case {
        const char* name;
        AnalysisControls controls;
        int drawCount;
        int first, last;
        std::optional<int> loweredRangeStart;
    } cases[] = {
        {"start beyond the log", Range(50, 30), 30, 30, 30, 30},
        {"start and end beyond the log", Range(50, 60), 30, 30, 30, 30},
        {"end left above the count after an undo", Range(1, 11), 10, 1, 10, std::nullopt},
        {"end before start", Range(5, 3), 10, 5, 5, std::nullopt},
        {"start below the spin bounds", Range(-4, 6), 10, 1, 6, std::nullopt},
        {"last 12 of 100", LastN(12), 100, 89, 100, std::nullopt},
        {"last N equal to the count", LastN(100), 100, 1, 100, std::nullopt},
        {"last N above the count", LastN(150), 100, 1, 100, std::nullopt},
        {"last N of 0 read as the spin minimum", LastN(0), 100, 100, 100, std::nullopt},
        {"neither box checked", neither, 7, 1, 7, std::nullopt},
        {"both boxes checked", both, 7, 3, 4, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto r =
            ResolveAnalysisWindow(c.controls, NumberedLog(c.drawCount), RouletteKind::French, {});
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->window.windowFirst, c.first);
        EXPECT_EQ(r->window.windowLast, c.last);
        EXPECT_EQ(r->loweredRangeStart, c.loweredRangeStart);
    }
}

TEST(AnalysisWindow, AnEmptyLogGivesNoWindow) {
    EXPECT_FALSE(ResolveAnalysisWindow(Following(FollowFamily::Numero, 0), DrawLog{},
                                       RouletteKind::French, {}));
}

TEST(AnalysisWindow, SamplingCountsBackFromTheDrawAfterTheRange) {
    struct Case {
        int start, end;
        std::optional<int> stepEntry;
        std::vector<Pocket> analysed;
    } cases[] = {
        {1, 10, 1, {1, 3, 5, 7, 9}},
        {1, 9, 1, {2, 4, 6, 8}},
        {1, 10, 2, {2, 5, 8}},
        {11, 20, 1, {11, 13, 15, 17, 19}},
        {1, 5, 8, {}},  // a range shorter than the step holds no sampled draw
        {1, 4, 0, {1, 2, 3, 4}},
        {1, 4, std::nullopt, {1, 2, 3, 4}},  // no chosen step: every draw
        {1, 4, 20, {1, 2, 3, 4}},
    };
    const DrawLog log = NumberedLog(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.start << ".." << c.end << " step entry " << c.stepEntry.value_or(-1));
        AnalysisControls controls = Range(c.start, c.end);
        controls.stepEntry = c.stepEntry;
        EXPECT_EQ(Analyse(controls, log), c.analysed);
    }
}

TEST(AnalysisWindow, FollowingFilterTakesDrawsAfterTheTargetOutcome) {
    struct Case {
        const char* name;
        RouletteKind kind;
        AnalysisControls controls;
        std::vector<Pocket> log;
        std::vector<Pocket> analysed;
    } cases[] = {
        {"numero, target from the newest draw",
         RouletteKind::French,
         Following(FollowFamily::Numero, 0),
         {5, 17, 3, 17, 22, 17},
         {3, 22}},
        {"numero, no entry chosen",
         RouletteKind::French,
         Following(FollowFamily::Numero, std::nullopt),
         {5, 17, 3, 17, 22, 17},
         {3, 22}},
        {"the first draw is never taken",
         RouletteKind::French,
         Following(FollowFamily::Numero, 0),
         {17, 17},
         {17}},
        {"the predecessor may lie before the range",
         RouletteKind::French,
         Following(FollowFamily::Numero, 18, 2, 4),
         {17, 9, 17, 2},
         {9, 2}},
        {"numero on the no-zero wheel, entry 1 is pocket 1",
         RouletteKind::NoZero,
         Following(FollowFamily::Numero, 1),
         {1, 5, 2, 6},
         {5}},
        {"numero on the american wheel, entry 38 is 00",
         RouletteKind::American,
         Following(FollowFamily::Numero, 38),
         {37, 4, 0, 6},
         {4}},
        {"secteur around 0 on the french wheel",
         RouletteKind::French,
         Following(FollowFamily::Secteur, 1),
         {3, 1, 26, 2, 0, 4, 32, 5, 15, 6, 19, 7},
         {1, 2, 4, 5, 6}},
        {"secteur around 00 on the american wheel",
         RouletteKind::American,
         Following(FollowFamily::Secteur, 38),
         {13, 2, 1, 3, 37, 4, 27, 5, 10, 6, 36, 7},
         {2, 3, 4, 5, 6}},
        {"colonne after a newest 0 takes target 3",
         RouletteKind::French,
         Following(FollowFamily::Colonne, 0),
         {0, 7, 3, 8, 6, 9, 1, 10, 0},
         {7, 8, 9, 1}},
        {"colonne entry beyond the list takes the newest draw",
         RouletteKind::French,
         Following(FollowFamily::Colonne, 7),
         {0, 7, 3, 8, 6, 9, 1, 10, 0},
         {7, 8, 9, 1}},
        {"transversale entry 12",
         RouletteKind::French,
         Following(FollowFamily::Transversale, 12),
         {34, 1, 36, 2, 33, 3},
         {1, 2}},
        {"sizain from a newest 00 passes only after 00",
         RouletteKind::American,
         Following(FollowFamily::Sizain, 0),
         {36, 1, 37, 2, 37},
         {2}},
        {"douzaine from a newest 0 passes only after 0",
         RouletteKind::French,
         Following(FollowFamily::Douzaine, 0),
         {1, 5, 0, 6, 0},
         {6}},
        {"rouge ou noir from a newest 0 is noir, which 0 is not",
         RouletteKind::French,
         Following(FollowFamily::RougeNoir, 0),
         {2, 5, 0, 9, 1, 7, 0},
         {5}},
        {"pair ou impair, pair passes after 0",
         RouletteKind::French,
         Following(FollowFamily::PairImpair, 1),
         {0, 5, 1, 6, 2, 7},
         {5, 2, 7}},
        {"manque ou passe, passe passes after 00",
         RouletteKind::American,
         Following(FollowFamily::ManquePasse, 2),
         {37, 5, 18, 6, 19, 7},
         {5, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Analyse(c.controls, MakeLog(c.log), c.kind), c.analysed);
    }
}

TEST(AnalysisWindow, GreenPocketsFollowTheFamiliesArithmetic) {
    using F = FollowFamily;
    struct Case {
        FollowFamily family;
        Pocket x;
        int targetFromDraw;
        std::vector<int> targetsPassed;  // among 0 ... 13
    } cases[] = {
        {F::Transversale, 0, 0, {0}}, {F::Transversale, 37, 13, {13}}, {F::Sizain, 0, 0, {0}},
        {F::Sizain, 37, 7, {7}},      {F::Colonne, 0, 3, {3}},         {F::Colonne, 37, 1, {1}},
        {F::Colonne, 6, 3, {3}},      {F::Douzaine, 0, 0, {0}},        {F::Douzaine, 37, 4, {4}},
        {F::RougeNoir, 0, 2, {}},     {F::RougeNoir, 37, 2, {}},       {F::RougeNoir, 1, 1, {1}},
        {F::RougeNoir, 2, 2, {2}},    {F::PairImpair, 0, 1, {1}},      {F::PairImpair, 37, 2, {2}},
        {F::ManquePasse, 0, 1, {1}},  {F::ManquePasse, 37, 2, {2}},    {F::ManquePasse, 18, 1, {1}},
        {F::ManquePasse, 19, 2, {2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << followFamilyKeys[static_cast<std::size_t>(c.family)] << " " << c.x);
        EXPECT_EQ(FollowTargetFromDraw(c.family, c.x), c.targetFromDraw);
        std::vector<int> passed;
        for (int t = 0; t <= 13; ++t)
            if (FollowPasses(c.family, t, c.x, RouletteKind::American)) passed.push_back(t);
        EXPECT_EQ(passed, c.targetsPassed);
    }
}

TEST(AnalysisWindow, TargetListsAndTheirEntries) {
    using F = FollowFamily;
    struct Case {
        FollowFamily family;
        RouletteKind kind;
        std::size_t count;
        const char *first, *last;
        int lastTarget;
    } cases[] = {
        {F::Numero, RouletteKind::American, 38, "0", "00", 37},
        {F::Numero, RouletteKind::French, 37, "0", "36", 36},
        {F::Secteur, RouletteKind::NoZero, 36, "1", "36", 36},
        {F::Transversale, RouletteKind::French, 12, "1-3", "34-36", 12},
        {F::Sizain, RouletteKind::NoZero, 6, "1-6", "31-36", 6},
        {F::Colonne, RouletteKind::French, 3, "1", "3", 3},
        {F::Douzaine, RouletteKind::French, 3, "1", "3", 3},
        {F::RougeNoir, RouletteKind::French, 2, "rouge", "noir", 2},
        {F::PairImpair, RouletteKind::French, 2, "pair", "impair", 2},
        {F::ManquePasse, RouletteKind::French, 2, "manque", "passe", 2},
    };
    for (const Case& c : cases) {
        const FollowFamily kind = c.family;
        SCOPED_TRACE(testing::Message() << followFamilyKeys[static_cast<std::size_t>(kind)] << " "
                                        << KindName(c.kind));
        const auto entries = TargetEntries(kind, c.kind);
        ASSERT_EQ(entries.size(), c.count);
        EXPECT_EQ(entries.front(), c.first);
        EXPECT_EQ(entries.back(), c.last);
        const int count = static_cast<int>(c.count);
        EXPECT_EQ(FollowTargetFromEntry(kind, count, c.kind), c.lastTarget);
        EXPECT_FALSE(FollowTargetFromEntry(kind, count + 1, c.kind));
        EXPECT_FALSE(FollowTargetFromEntry(kind, 0, c.kind));
    }
    EXPECT_EQ(TargetEntries(F::Transversale, RouletteKind::French)[1], "4-6");
    EXPECT_FALSE(FollowFamilyAt(-1));
    EXPECT_FALSE(FollowFamilyAt(followFamilyCount));
}

TEST(AnalysisWindow, CroupierFilterTakesOnlyAKnownNamesDraws) {
    const DrawLog log = MakeLog({1, 2, 3, 4, 5, 6}, {1, 2, 1, 0, 2, 2});
    const CroupierLookup names = [](std::string_view name) -> std::optional<std::int32_t> {
        if (name == "Zoé") return 1;
        if (name == "Alain") return 2;
        return std::nullopt;
    };
    auto byCroupier = [](std::string name) {
        AnalysisControls c = Range(1, 6);
        c.useCroupier = true;
        c.croupierName = std::move(name);
        return c;
    };
    AnalysisControls steppedAlain = byCroupier("Alain");
    steppedAlain.stepEntry = 1;
    AnalysisControls bothFilters = byCroupier("Alain");
    bothFilters.useFollowing = true;
    bothFilters.followEntry = 2;  // numero 1
    AnalysisControls boxUnchecked = byCroupier("Alain");
    boxUnchecked.useCroupier = false;
    struct Case {
        const char* name;
        AnalysisControls controls;
        std::vector<Pocket> analysed;
    } cases[] = {
        {"a known name", byCroupier("Zoé"), {1, 3}},
        {"the sample, then the croupier", steppedAlain, {5}},
        {"case counts", byCroupier("alain"), {1, 2, 3, 4, 5, 6}},
        {"an empty name", byCroupier(""), {1, 2, 3, 4, 5, 6}},
        {"an unknown name", byCroupier("Bob"), {1, 2, 3, 4, 5, 6}},
        {"the following-filter wins when both are checked", bothFilters, {2}},
        {"the name alone does nothing", boxUnchecked, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Analyse(c.controls, log, RouletteKind::French, names), c.analysed);
    }
    // Without a look-up nobody is known.
    EXPECT_EQ(Analyse(byCroupier("Zoé"), log).size(), 6u);
}

// The wheel and direction filters take, of whatever the range, the step and the croupier or
// following filter take, the draws with that wheel or direction.
TEST(AnalysisWindow, WheelAndDirectionFiltersNarrowWhatTheOthersTake) {
    constexpr auto cw = SpinDirection::Clockwise;
    constexpr auto ccw = SpinDirection::Anticlockwise;
    constexpr auto unknown = SpinDirection::Unknown;
    DrawLog log;
    const struct {
        std::int32_t croupier, wheel;
        SpinDirection direction;
    } draws[] = {{1, 1, cw},  {1, 1, ccw}, {2, 2, cw},  {2, 1, unknown},
                 {1, 0, ccw}, {1, 1, cw},  {2, 2, ccw}, {1, 1, ccw}};
    for (std::size_t i = 0; i < std::size(draws); ++i)
        log.Append(static_cast<Pocket>(i + 1), std::nullopt, draws[i].croupier, draws[i].wheel,
                   draws[i].direction);
    const CroupierLookup croupiers = [](std::string_view name) -> std::optional<std::int32_t> {
        if (name == "Zoé") return 1;
        return std::nullopt;
    };
    const WheelLookup wheels = [](std::string_view name) -> std::optional<std::int32_t> {
        if (name == "T3") return 1;
        if (name == "T5") return 2;
        return std::nullopt;
    };
    const auto controls = [](std::optional<std::string> wheel, std::optional<SpinDirection> d) {
        AnalysisControls c = Range(1, 8);
        c.useWheel = wheel.has_value();
        c.wheelName = wheel.value_or("T5");
        c.useDirection = d.has_value();
        c.direction = d.value_or(SpinDirection::Anticlockwise);
        return c;
    };
    AnalysisControls zoeOnT3 = controls("T3", std::nullopt);
    zoeOnT3.useCroupier = true;
    zoeOnT3.croupierName = "Zoé";
    AnalysisControls steppedCcw = controls(std::nullopt, ccw);
    steppedCcw.stepEntry = 1;  // draws 1, 3, 5, 7 of the range
    AnalysisControls afterA1 = controls("T3", cw);
    afterA1.useFollowing = true;
    afterA1.followFamily = FollowFamily::RougeNoir;
    afterA1.followEntry = 1;  // after a red draw: 1, 3, 5, 7 are red, so draws 2, 4, 6, 8
    struct Case {
        const char* name;
        AnalysisControls controls;
        std::vector<Pocket> analysed;
    } cases[] = {
        {"a wheel", controls("T3", std::nullopt), {1, 2, 4, 6, 8}},
        {"another wheel", controls("T5", std::nullopt), {3, 7}},
        {"a direction", controls(std::nullopt, cw), {1, 3, 6}},
        {"the other direction", controls(std::nullopt, ccw), {2, 5, 7, 8}},
        {"both", controls("T3", ccw), {2, 8}},
        {"with the croupier filter", zoeOnT3, {1, 2, 6, 8}},
        {"with the step", steppedCcw, {5, 7}},
        {"with the following filter", afterA1, {6}},
        {"a wheel nobody has", controls("T9", std::nullopt), {1, 2, 3, 4, 5, 6, 7, 8}},
        {"the name alone", controls(std::nullopt, std::nullopt), {1, 2, 3, 4, 5, 6, 7, 8}},
    };
    std::vector<std::uint8_t> buffer;
    std::vector<SpinDirection> directionBuffer;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto resolved =
            ResolveAnalysisWindow(c.controls, log, RouletteKind::French, croupiers, wheels);
        ASSERT_TRUE(resolved);
        const auto analysed =
            SelectAnalysedDraws(log, RouletteKind::French, resolved->window, buffer);
        EXPECT_EQ(std::vector<Pocket>(analysed.begin(), analysed.end()), c.analysed);
        // The directions and the whole draws of the same selection, in its order.
        const auto directions =
            SelectAnalysedDirections(log, RouletteKind::French, resolved->window, directionBuffer);
        const DrawLog whole = SelectAnalysedLog(log, RouletteKind::French, resolved->window);
        ASSERT_EQ(directions.size(), c.analysed.size());
        ASSERT_EQ(whole.drawCount(), static_cast<int>(c.analysed.size()));
        for (std::size_t i = 0; i < c.analysed.size(); ++i) {
            const auto& d = draws[static_cast<std::size_t>(c.analysed[i] - 1)];
            EXPECT_EQ(directions[i], d.direction);
            EXPECT_EQ(whole.draw(static_cast<int>(i) + 1), c.analysed[i]);
            EXPECT_EQ(whole.drawWheel(static_cast<int>(i) + 1), d.wheel);
            EXPECT_EQ(whole.drawDirection(static_cast<int>(i) + 1), d.direction);
            EXPECT_EQ(whole.drawCroupier(static_cast<int>(i) + 1), d.croupier);
        }
    }
    // A log without directions gives none, so that figures skip them.
    AnalysisWindow all;
    all.windowLast = 5;
    EXPECT_TRUE(SelectAnalysedDirections(NumberedLog(5), RouletteKind::French, all, directionBuffer)
                    .empty());
}

TEST(AnalysisWindow, SelectionReusesTheOutputAndClipsAHandMadeWindow) {
    const DrawLog log = NumberedLog(10);
    std::vector<std::uint8_t> buffer = {99, 98, 97};
    struct Case {
        AnalysisWindow window;
        std::vector<std::uint8_t> analysed;
    } cases[] = {
        {{-5, 50, 1, std::nullopt, 0, 0}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {{20, 30, 1, std::nullopt, 0, 0}, {}},
        {{8, 10, 0, std::nullopt, 0, 0}, {8, 9, 10}},
        {{8, 10, 2, std::nullopt, 0, 0}, {9}},
        {{1, 10, 1, FollowFamily::Numero, 42, 0}, {}},   // no such pocket: nothing passes
        {{1, 10, 1, FollowFamily::Secteur, 37, 0}, {}},  // no 00 on this wheel
    };
    for (const Case& c : cases) {
        const auto analysed = SelectAnalysedDraws(log, RouletteKind::French, c.window, buffer);
        EXPECT_EQ(std::vector<std::uint8_t>(analysed.begin(), analysed.end()), c.analysed);
    }
    // The whole range is the log itself; a step gathers into the buffer.
    EXPECT_EQ(SelectAnalysedDraws(log, RouletteKind::French, {1, 10, 1, std::nullopt, 0, 0}, buffer)
                  .data(),
              log.draws().data());
    const auto stepped =
        SelectAnalysedDraws(log, RouletteKind::French, {1, 10, 2, std::nullopt, 0, 0}, buffer);
    EXPECT_EQ(stepped.data(), buffer.data());
    EXPECT_TRUE(
        SelectAnalysedDraws(DrawLog{}, RouletteKind::French, AnalysisWindow{}, buffer).empty());
}

TEST(AnalysisWindow, RangeCorrectionsOnceAnEditIsFinished) {
    struct Case {
        int start, end, drawCount;
        int correctedStart, correctedEnd;
    } cases[] = {
        {15, 20, 100, 15, 20},  // typed in full, 20 stays 20
        {15, 2, 100, 2, 15},    // an end before the start is pulled up to it
        {15, 150, 100, 15, 100},
        {30, 20, 100, 20, 30},  // a start after the end comes down to it, and the reverse
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << ".." << c.end << " of " << c.drawCount);
        EXPECT_EQ(CorrectedRangeStart(c.start, c.end), c.correctedStart);
        EXPECT_EQ(CorrectedRangeEnd(c.end, c.start, c.drawCount), c.correctedEnd);
    }
    EXPECT_EQ(RangeAfterModeSwitch({50, 80}, 60), (RangeValues{50, 60}));
    EXPECT_EQ(RangeAfterModeSwitch({70, 80}, 60), (RangeValues{1, 60}));
    EXPECT_EQ(RangeMaximum(12), maxRangeDraw);
    EXPECT_EQ(RangeMaximum(maxRangeDraw + 1), maxRangeDraw + 1);
}

TEST(AnalysisWindow, TheWholeRangeReachesBeyondTheDesignMaximum) {
    // A game one draw longer than the range boxes' design maximum is analysed to its end.
    DrawLog log;
    log.Reserve(maxRangeDraw + 1);
    for (int n = 0; n < maxRangeDraw; ++n) log.Append(1, std::nullopt, 0);
    log.Append(17, std::nullopt, 0);
    AnalysisControls controls = Range(1, RangeMaximum(log.drawCount()));
    const auto resolved = ResolveAnalysisWindow(controls, log, RouletteKind::French, {});
    ASSERT_TRUE(resolved);
    std::vector<std::uint8_t> buffer;
    const auto analysed = SelectAnalysedDraws(log, RouletteKind::French, resolved->window, buffer);
    EXPECT_EQ(analysed.size(), static_cast<std::size_t>(maxRangeDraw) + 1);
    EXPECT_EQ(analysed.back(), 17);
}

TEST(AnalysisWindow, StintsNameTheCroupierOfEveryAnalysedDraw) {
    // Draw n holds pocket n; croupier 7 spins draws 1-4 and 9-30, croupier 3 draws 5-8.
    std::vector<Pocket> pockets;
    std::vector<std::int32_t> croupiers;
    for (int n = 1; n <= 30; ++n) {
        pockets.push_back(n);
        croupiers.push_back(n >= 5 && n <= 8 ? 3 : 7);
    }
    const DrawLog log = MakeLog(pockets, croupiers);
    const AnalysisWindow windows[] = {
        {1, 30, 1, std::nullopt, 0, 0},  {4, 27, 3, std::nullopt, 0, 0},
        {1, 30, 2, std::nullopt, 0, 3},  {1, 30, 1, FollowFamily::RougeNoir, 1, 0},
        {25, 50, 1, std::nullopt, 0, 0},
    };
    for (const AnalysisWindow& w : windows) {
        std::vector<std::uint8_t> buffer;
        std::vector<CroupierStint> stints = {{5, 5}};
        const auto analysed = SelectAnalysedDraws(log, RouletteKind::French, w, buffer);
        SelectAnalysedStints(log, RouletteKind::French, w, stints);
        EXPECT_FALSE(analysed.empty());
        std::vector<std::int32_t> perDraw;
        for (std::size_t s = 0; s < stints.size(); ++s) {
            EXPECT_GT(stints[s].draws, 0);
            if (s > 0) {
                EXPECT_NE(stints[s].croupier, stints[s - 1].croupier);
            }
            perDraw.insert(perDraw.end(), static_cast<std::size_t>(stints[s].draws),
                           stints[s].croupier);
        }
        ASSERT_EQ(perDraw.size(), analysed.size());
        for (std::size_t i = 0; i < analysed.size(); ++i)
            EXPECT_EQ(perDraw[i], analysed[i] >= 5 && analysed[i] <= 8 ? 3 : 7);
        // Draw n holds pocket n, so the analysed pockets are the draws' numbers too.
        std::vector<std::int32_t> numbers = {99};
        SelectAnalysedDrawNumbers(log, RouletteKind::French, w, numbers);
        EXPECT_EQ(numbers, std::vector<std::int32_t>(analysed.begin(), analysed.end()));
    }
}

}  // namespace
}  // namespace spinalyst
