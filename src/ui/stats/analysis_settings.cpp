#include "ui/stats/analysis_settings.h"

#include <algorithm>

#include "core/stats/mode_settings.h"
#include "ui/common/app_settings.h"
#include "ui/common/game_session.h"

namespace spinalyst {

namespace {
// The entries of the target list: the empty one, then the family's for the kind.
int TargetEntryCount(std::optional<FollowFamily> family, RouletteKind kind) {
    return 1 + (family ? static_cast<int>(TargetEntries(*family, kind).size()) : 0);
}
}  // namespace

AnalysisSettings::AnalysisSettings(const GameSession* session, AppSettings* settings,
                                   QObject* parent)
    : QObject(parent), session_(session), settings_(settings) {
    connect(session_, &GameSession::drawsAdded, this, &AnalysisSettings::OnDrawsAdded);
    connect(session_, &GameSession::drawUndone, this, &AnalysisSettings::OnDrawUndone);
    connect(session_, &GameSession::gameReset, this, &AnalysisSettings::OnNewGame);
    connect(session_, &GameSession::gameReplaced, this, &AnalysisSettings::OnNewGame);
}

void AnalysisSettings::Edit(const AnalysisControls& edited) {
    AnalysisControls c = edited;
    const int newest = std::max(session_->drawCount(), minRangeDraw);
    if (c.rangeStart != controls_.rangeStart || c.followEntry != controls_.followEntry)
        c.rangeStart = CorrectedRangeStart(c.rangeStart, c.rangeEnd);
    if (c.rangeEnd != controls_.rangeEnd)
        c.rangeEnd = CorrectedRangeEnd(c.rangeEnd, c.rangeStart, newest);
    controls_ = std::move(c);
    Select();
}

void AnalysisSettings::Load() {
    statMode_ = std::clamp(settings_->statMode(), 1, statModeCount);
    controls_ = settings_->ModeControls(statMode_, true);
    // A stored entry beyond the list of its family is no entry chosen.
    if (controls_.followEntry &&
        *controls_.followEntry >= TargetEntryCount(controls_.followFamily, session_->kind()))
        controls_.followEntry.reset();
    SelectStatMode(statMode_);
}

void AnalysisSettings::SelectStatMode(int n) {
    if (n < 1 || n > statModeCount) return;
    settings_->SetModeControls(statMode_, controls_);
    const int drawCount = session_->drawCount();
    if (n != statMode_) {
        statMode_ = n;
        controls_ = settings_->ModeControls(n, false);
        controls_.rangeEnd = drawCount;
    }
    const RangeValues range =
        RangeAfterModeSwitch({controls_.rangeStart, controls_.rangeEnd}, drawCount);
    controls_.rangeStart = range.start;
    controls_.rangeEnd = range.end;
    FitToGame();
    Select();
}

void AnalysisSettings::OnDrawsAdded() {
    controls_.rangeEnd = session_->drawCount();
    Select();
}

void AnalysisSettings::OnDrawUndone() {
    // The range end keeps its value, and the refresh limits the range to the log; only an
    // empty log reads as such.
    FitToGame();
    Select();
}

void AnalysisSettings::OnNewGame() {
    // The target keeps its entry when the new kind's list has it.
    if (controls_.followEntry &&
        *controls_.followEntry >= TargetEntryCount(controls_.followFamily, session_->kind()))
        controls_.followEntry = 0;
    if (session_->drawCount() > 0) controls_.rangeEnd = session_->drawCount();
    FitToGame();
    Select();
}

void AnalysisSettings::FitToGame() {
    if (session_->drawCount() > 0) return;
    controls_.rangeStart = minRangeDraw;
    controls_.rangeEnd = minRangeDraw;
}

void AnalysisSettings::Select() {
    const Game& game = session_->game();
    const std::optional<AnalysisWindow> before = selection_.window;
    const std::size_t beforeCount = selection_.analysed.size();
    const int unchanged = game.UnchangedDraws(seenChanges_, seenDrawCount_);
    const std::uint64_t number = selection_.step.selection + 1;
    const auto resolved = ResolveAnalysisWindow(
        controls_, game.log(), game.kind(),
        [this](std::string_view name) { return session_->croupiers().CroupierIndex(name); },
        [this](std::string_view name) { return session_->wheels().WheelIndex(name); });
    // Directions are kept only while they are those of the selection before.
    if (selection_.directions.empty()) directionBuffer_.clear();
    if (resolved) {
        if (resolved->loweredRangeStart) controls_.rangeStart = *resolved->loweredRangeStart;
        selection_.window = resolved->window;
        selection_.analysed =
            SelectAnalysedDraws(game.log(), game.kind(), resolved->window, buffer_);
    } else {
        selection_ = {};
    }
    selection_.step = {number, before && selection_.window
                                   ? KeptAnalysedDraws(*before, beforeCount, *selection_.window,
                                                       selection_.analysed.size(), unchanged)
                                   : 0};
    if (resolved)
        selection_.directions =
            UpdateAnalysedDirections(game.log(), game.kind(), resolved->window,
                                     selection_.step.keptFromPrevious, directionBuffer_);
    seenChanges_ = game.changes();
    seenDrawCount_ = game.drawCount();
    emit changed();
}

}  // namespace spinalyst
