#include "ui/shell/game_keeper.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include "core/draws/game_file.h"
#include "core/draws/spin_file.h"
#include "core/store/atomic_file.h"
#include "core/store/recent_games.h"
#include "ui/common/game_session.h"
#include "ui/common/notice.h"
#include "ui/common/texts.h"

namespace spinalyst {

namespace {
std::filesystem::path PathOf(const QString& file) {
    return std::filesystem::path(file.toStdString());
}

// "4, 17, 90", the first few of many followed by an ellipsis.
QString LineList(const std::vector<int>& lines) {
    constexpr std::size_t shown = 10;
    QStringList list;
    for (std::size_t i = 0; i < lines.size() && i < shown; ++i) list << QString::number(lines[i]);
    if (lines.size() > shown) list << QStringLiteral("…");
    return list.join(QStringLiteral(", "));
}
}  // namespace

GameKeeper::GameKeeper(GameSession* session, const std::filesystem::path& dataDir,
                       Settings settings, QWidget* window)
    : QObject(session),
      session_(session),
      settings_(std::move(settings)),
      window_(window),
      journal_(dataDir,
               [session](std::int32_t c) { return session->croupiers().CroupierName(c); }) {
    std::error_code ec;
    leftoverPending_ = std::filesystem::is_regular_file(journal_.file(), ec);
    // Connected before any view: Qt calls slots in the order they were connected.
    connect(session_, &GameSession::gameReset, this, &GameKeeper::OnGameReset);
    connect(session_, &GameSession::drawsAdded, this, &GameKeeper::OnDrawsChanged);
    connect(session_, &GameSession::drawUndone, this, &GameKeeper::OnDrawsChanged);
}

bool GameKeeper::unsaved() const {
    return unsaved_ && (session_->drawCount() > 0 || !currentFile_.isEmpty());
}

QString GameKeeper::Title() const {
    QString title = QStringLiteral("Spinalyst");
    if (!currentFile_.isEmpty()) title += " - " + QFileInfo(currentFile_).fileName();
    if (unsaved()) title += " *";
    return title;
}

void GameKeeper::SetUnsaved(bool unsaved) {
    unsaved_ = unsaved;
    emit titleChanged(Title());
}

void GameKeeper::OnGameReset() {
    // A journal left by a crash waits for the restore question rather than being retired by
    // the first new game.
    if (!leftoverPending_) journal_.Retire();
    if (!loading_) currentFile_.clear();
    SetUnsaved(false);
}

void GameKeeper::OnDrawsChanged() {
    Journal();
    if (!loading_) SetUnsaved(true);
}

void GameKeeper::Journal() {
    if (session_->game().batchInProgress()) return;
    if (leftoverPending_) {
        if (!restoring_) journal_.Retire();
        leftoverPending_ = false;
    }
    if (journal_.Sync(session_->game().log(), session_->kind())) {
        journalProblemShown_ = false;
    } else if (!journalProblemShown_) {
        journalProblemShown_ = true;
        emit problem(
            Text(TextId::JournalNotWritten).arg(QString::fromStdString(journal_.file().string())));
    }
}

bool GameKeeper::ConfirmDiscard() {
    if (!unsaved()) return true;
    switch (AskQuestion(window_, Text(TextId::SaveQuestion), true)) {
        case Answer::Yes:
            return Save();
        case Answer::No:
            return true;
        case Answer::Cancel:
            return false;
    }
    return false;
}

bool GameKeeper::Open() {
    if (!ConfirmDiscard()) return false;
    const QString file = ChooseFile(window_, FilePurpose::OpenGame, currentFile_);
    return !file.isEmpty() && LoadFile(file, true);
}

bool GameKeeper::OpenFile(const QString& file) {
    return ConfirmDiscard() && LoadFile(file, true);
}

bool GameKeeper::LoadFile(const QString& file, bool asCurrentFile) {
    const auto text = ReadWholeFile(PathOf(file));
    if (!text) {
        ShowWarning(window_, Text(TextId::FileNotRead).arg(file));
        return false;
    }
    GameFile game = ParseGameFile(*text, KindRule{std::nullopt, session_->kind()});
    if (!game.ok()) {
        ShowWarning(window_,
                    QString::fromStdString(FormatParseError(file.toStdString(), *game.error)));
        return false;
    }
    LoadIntoSession(std::move(game));
    currentFile_ = asCurrentFile ? file : QString();
    SetUnsaved(!asCurrentFile);
    if (asCurrentFile) RememberRecent(file);
    return true;
}

void GameKeeper::LoadIntoSession(GameFile game) {
    if (AdoptCroupiers(game.log, game.croupierNames, session_->croupiers()) > 0)
        emit session_->croupiersChanged();
    loading_ = true;
    session_->LoadGame(game.kind, std::move(game.log));
    loading_ = false;
    emit gameLoaded();
}

bool GameKeeper::Save() {
    return currentFile_.isEmpty() ? SaveAs() : SaveTo(currentFile_);
}

bool GameKeeper::SaveAs() {
    QString file = ChooseFile(window_, FilePurpose::SaveGame, currentFile_);
    if (file.isEmpty()) return false;
    if (QFileInfo(file).suffix().isEmpty()) file += ".csv";
    return SaveTo(file);
}

bool GameKeeper::SaveTo(const QString& file) {
    const std::string text =
        WriteGameFile(session_->game().log(), session_->kind(),
                      [this](std::int32_t c) { return session_->croupiers().CroupierName(c); });
    if (!WriteFileAtomically(PathOf(file), text)) {
        ShowWarning(window_, Text(TextId::FileNotWritten).arg(file));
        return false;
    }
    currentFile_ = file;
    SetUnsaved(false);
    RememberRecent(file);
    return true;
}

bool GameKeeper::ImportSpins() {
    const QString file = ChooseFile(window_, FilePurpose::ImportSpins);
    return !file.isEmpty() && ImportFile(file);
}

bool GameKeeper::ImportFile(const QString& file) {
    const auto text = ReadWholeFile(PathOf(file));
    if (!text) {
        ShowWarning(window_, Text(TextId::FileNotRead).arg(file));
        return false;
    }
    const SpinList list = ParseSpinList(*text, session_->kind());
    if (!list.ok()) {
        ShowWarning(window_,
                    QString::fromStdString(FormatParseError(file.toStdString(), *list.error)));
        return false;
    }
    if (!list.pockets.empty()) session_->ImportDraws(list.pockets);
    return true;
}

bool GameKeeper::Export(const std::string& csv) {
    QString file = ChooseFile(window_, FilePurpose::ExportStatistics);
    if (file.isEmpty()) return false;
    if (QFileInfo(file).suffix().isEmpty()) file += ".csv";
    if (!WriteFileAtomically(PathOf(file), csv)) {
        ShowWarning(window_, Text(TextId::FileNotWritten).arg(file));
        return false;
    }
    return true;
}

void GameKeeper::RestorePrevious() {
    // A retired journal, read as one: a damaged line is left out rather than the game refused.
    auto previous = GameJournal::Recover(journal_.previousFile(), session_->kind());
    if (!previous) {
        ShowWarning(window_, Text(TextId::NoPreviousGame));
        return;
    }
    if (!previous->game.ok()) {
        ShowWarning(window_, QString::fromStdString(FormatParseError(
                                 journal_.previousFile().string(), *previous->game.error)));
        return;
    }
    if (!ConfirmDiscard()) return;
    const QStringList notes = RecoveryNotes(*previous, journal_.previousFile());
    // Not a file of the user's: the game comes back unsaved, and the game it replaces becomes
    // the previous one.
    LoadIntoSession(std::move(previous->game));
    currentFile_.clear();
    SetUnsaved(true);
    if (!notes.isEmpty()) ShowWarning(window_, notes.join('\n'));
}

QStringList GameKeeper::RecoveryNotes(const JournalRecovery& left,
                                      const std::filesystem::path& journalFile) {
    QStringList notes;
    if (!left.damagedLines.empty()) {
        notes << Text(TextId::JournalLinesDropped)
                     .arg(left.damagedLines.size())
                     .arg(LineList(left.damagedLines));
        // Kept before anything rewrites or replaces the journal.
        if (const auto copy =
                GameJournal::KeepDamagedCopy(journalFile, QDateTime::currentSecsSinceEpoch()))
            notes << Text(TextId::JournalKeptAside).arg(QString::fromStdString(copy->string()));
        else
            notes << Text(TextId::JournalNotKeptAside);
    }
    if (left.unfinishedBatch > 0) notes << Text(TextId::UnfinishedBatch).arg(left.unfinishedBatch);
    return notes;
}

void GameKeeper::OfferRestore() {
    if (journal_.slot() > 1)
        emit problem(
            Text(TextId::JournalOfItsOwn).arg(QString::fromStdString(journal_.file().string())));
    if (!leftoverPending_) return;
    auto left = journal_.RecoverLeftover(session_->kind());
    if (!left || !left->game.ok() || left->game.log.drawCount() == 0) {
        if (left && !left->game.ok())
            ShowWarning(window_, QString::fromStdString(FormatParseError(journal_.file().string(),
                                                                         *left->game.error)));
        else if (left && left->unfinishedBatch > 0)
            ShowWarning(window_, Text(TextId::UnfinishedBatch).arg(left->unfinishedBatch));
        // Kept as the previous game unless it holds nothing at all.
        leftoverPending_ = false;
        journal_.Retire();
        return;
    }
    const QString date = left->writtenAt
                             ? QLocale().toString(QDateTime::fromSecsSinceEpoch(*left->writtenAt),
                                                  QLocale::ShortFormat)
                             : QString();
    const QString question =
        Text(TextId::RestoreQuestion).arg(left->game.log.drawCount()).arg(date);
    if (AskQuestion(window_, question, false) != Answer::Yes) {
        leftoverPending_ = false;
        journal_.Retire();
        return;
    }
    const QStringList notes = RecoveryNotes(*left, journal_.file());
    restoring_ = true;
    LoadIntoSession(std::move(left->game));
    restoring_ = false;
    currentFile_.clear();
    SetUnsaved(true);
    if (!notes.isEmpty()) ShowWarning(window_, notes.join('\n'));
}

void GameKeeper::Retire() {
    if (leftoverPending_) return;
    journal_.Retire();
}

QStringList GameKeeper::RecentGames() const {
    QStringList files;
    for (const std::string& file : spinalyst::RecentGames(settings_.Load()))
        files << QString::fromStdString(file);
    return files;
}

void GameKeeper::RememberRecent(const QString& file) {
    const std::string absolute = QFileInfo(file).absoluteFilePath().toStdString();
    if (!settings_.Update([&](IniFile& ini) { PushRecentGame(ini, absolute); }))
        emit problem(Text(TextId::SettingsNotWritten));
}

}  // namespace spinalyst
