#include "ui/common/app_settings.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "core/store/recent_games.h"
#include "ui/common/texts.h"

namespace spinalyst {

AppSettings::AppSettings(std::filesystem::path file, QObject* parent)
    : QObject(parent), settings_(std::move(file)) {}

QString AppSettings::language() const {
    return QString::fromStdString(settings_.ReadText(Param::Language));
}

void AppSettings::SetLanguage(const QString& code) {
    if (Write([&](IniFile& ini) {
            ini.Set(paramsSection, Info(Param::Language).key, code.toStdString());
        }))
        emit languageChanged();
}

RouletteKind AppSettings::kind() const {
    return KindFromSetting(settings_.ReadInt(Param::Roulette)).value_or(defaultKind);
}

int AppSettings::randomSource() const {
    return settings_.ReadInt(Param::RndSource);
}

QString AppSettings::randomSourceFile() const {
    return QString::fromStdString(settings_.ReadText(Param::RndSourceFile));
}

void AppSettings::SetRandomSource(int source, const QString& file) {
    if (Write([&](IniFile& ini) {
            ini.SetInt(paramsSection, Info(Param::RndSource).key, source);
            ini.Set(paramsSection, Info(Param::RndSourceFile).key, file.toStdString());
        }))
        emit randomSourceChanged();
}

HeatScale AppSettings::heatScale() const {
    return HeatScaleFromName(settings_.ReadText(Param::HeatScale)).value_or(defaultHeatScale);
}

void AppSettings::SetHeatScale(HeatScale scale) {
    if (Write([&](IniFile& ini) {
            ini.Set(paramsSection, Info(Param::HeatScale).key, HeatScaleName(scale));
        }))
        emit heatScaleChanged(scale);
}

int AppSettings::statMode() const {
    return settings_.ReadInt(Param::Stat);
}

ModeSettings AppSettings::ModeControls(int mode, bool withRangeEnd) const {
    return LoadModeSettings(settings_.document(), mode, withRangeEnd);
}

void AppSettings::SetModeControls(int mode, const AnalysisControls& controls) {
    if (Write([&](IniFile& ini) { SaveModeSettings(ini, mode, controls); }))
        emit modeControlsChanged(mode);
}

bool AppSettings::SaveAtClose(RouletteKind kind, int statMode, const AnalysisControls& controls) {
    const bool written = settings_.Update([&](IniFile& ini) {
        ini.SetInt(paramsSection, Info(Param::Roulette).key, KindToSetting(kind));
        ini.SetInt(paramsSection, Info(Param::Stat).key, statMode);
        SaveModeSettings(ini, statMode, controls);
    });
    failedOnce_ = failedOnce_ || !written;
    return written;
}

PlanSettings AppSettings::plan() const {
    return ReadPlanSettings(settings_.document());
}

void AppSettings::SetPlan(const PlanSettings& plan) {
    if (Write([&](IniFile& ini) { WritePlanSettings(ini, plan); })) emit planChanged();
}

QStringList AppSettings::recentGames() const {
    QStringList files;
    for (const std::string& file : RecentGames(settings_.document()))
        files << QString::fromStdString(file);
    return files;
}

void AppSettings::PushRecentGame(const QString& file) {
    if (Write([&](IniFile& ini) { spinalyst::PushRecentGame(ini, file.toStdString()); }))
        emit recentGamesChanged();
}

void AppSettings::ReportFailure() {
    failedOnce_ = true;
    emit writeFailed();
}

QString AppSettings::failureMessage() const {
    return TextWith(TextId::SettingsNotWrittenTo, QString::fromStdString(file().string()),
                    FileErrorReason(settings_.lastError()));
}

QString FileErrorReason(int errorNumber) {
    switch (errorNumber) {
        case ENOSPC:
        case EDQUOT:
            return Text(TextId::ReasonNoSpace);
        case EROFS:
            return Text(TextId::ReasonReadOnly);
        case EACCES:
        case EPERM:
            return Text(TextId::ReasonNoPermission);
        case ENOENT:
        case ENOTDIR:
            return Text(TextId::ReasonNoFolder);
        default:
            return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

}  // namespace spinalyst
