#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>

#include "core/betting/plan_settings.h"
#include "core/model/roulette.h"
#include "core/stats/mode_settings.h"
#include "core/stats/wheel_stats.h"
#include "core/store/settings.h"

namespace spinalyst {

// The program's settings: spinalyst.ini read once at start and kept here, beside the session.
// Pages read them through the typed getters and change them through the setters, which write
// the file (atomically, and only when a value changed) and then say which group changed, so
// every page that shows a setting hears the change wherever it was made. Nothing else opens
// the settings file. A write that fails keeps the new value for this run and emits
// writeFailed once; failureMessage() then says which file and why.
class AppSettings final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AppSettings)

public:
    explicit AppSettings(std::filesystem::path file, QObject* parent = nullptr);

    const std::filesystem::path& file() const { return settings_.file(); }

    // "EN" or "FR" as stored (anything else reads as it is written: the language file then
    // decides).
    QString language() const;
    void SetLanguage(const QString& code);

    RouletteKind kind() const;
    int randomSource() const;
    QString randomSourceFile() const;
    void SetRandomSource(int source, const QString& file);
    HeatScale heatScale() const;
    void SetHeatScale(HeatScale scale);

    // The statistics mode stored as current, unchecked (the analysis settings bring it into
    // range), and a mode's analysis controls.
    int statMode() const;
    ModeSettings ModeControls(int mode, bool withRangeEnd) const;
    // Keeps a mode's controls, as when the user leaves that mode.
    void SetModeControls(int mode, const AnalysisControls& controls);
    // What the program keeps when it ends: the kind, the current mode and its controls, in
    // one write. False when it could not be written.
    bool SaveAtClose(RouletteKind kind, int statMode, const AnalysisControls& controls);

    // The progression, money rules and Monte Carlo run of the Bets and Strategy pages.
    PlanSettings plan() const;
    void SetPlan(const PlanSettings& plan);

    // Newest first.
    QStringList recentGames() const;
    void PushRecentGame(const QString& file);

    // Whether a write failed since the start, and the last failure in words, in the language
    // of the texts: the file and the system's reason.
    bool writeFailedOnce() const { return failedOnce_; }
    QString failureMessage() const;

signals:
    void languageChanged();
    void randomSourceChanged();
    void heatScaleChanged(HeatScale scale);
    void modeControlsChanged(int mode);
    void planChanged();
    void recentGamesChanged();
    // A write failed: the new value holds for this run only.
    void writeFailed();

private:
    // Applies edit and writes; true when the document changed, which the caller announces:
    // the value holds in memory even when the write failed.
    template <typename Edit>
    bool Write(Edit&& edit) {
        const std::string before = settings_.document().Serialize();
        if (!settings_.Update(std::forward<Edit>(edit))) ReportFailure();
        return settings_.document().Serialize() != before;
    }
    void ReportFailure();

    Settings settings_;
    bool failedOnce_ = false;
};

// The system's reason for a failed file operation, in the language of the texts.
QString FileErrorReason(int errorNumber);

}  // namespace spinalyst
