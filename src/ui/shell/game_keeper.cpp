#include "ui/shell/game_keeper.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include "core/draws/game_file.h"
#include "core/draws/game_journal.h"
#include "core/draws/spin_file.h"
#include "core/store/atomic_file.h"
#include "ui/common/app_settings.h"
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

// What the user must hear of a journal read back: its damaged lines and where the journal as it
// was is kept (a copy made here), a batch left out.
QStringList RecoveryNotes(const JournalRecovery& left, const std::filesystem::path& journalFile) {
    QStringList notes;
    if (!left.damagedLines.empty()) {
        notes << CountedText(TextId::JournalLinesDropped,
                             static_cast<long long>(left.damagedLines.size()))
                     .arg(left.damagedLines.size())
                     .arg(LineList(left.damagedLines));
        // Kept before anything rewrites or replaces the journal.
        if (const auto copy = KeepDamagedCopy(journalFile, QDateTime::currentSecsSinceEpoch()))
            notes << Text(TextId::JournalKeptAside).arg(QString::fromStdString(copy->string()));
        else
            notes << Text(TextId::JournalNotKeptAside);
    }
    if (left.unfinishedBatch > 0) notes << Text(TextId::UnfinishedBatch).arg(left.unfinishedBatch);
    return notes;
}
}  // namespace

GameKeeper::GameKeeper(GameSession* session, AppSettings* settings, QWidget* window)
    : QObject(session), session_(session), settings_(settings), window_(window) {
    connect(session_, &GameSession::gameReset, this, [this] { ForgetFile(false); });
    connect(session_, &GameSession::gameReplaced, this, [this] { ForgetFile(true); });
    connect(session_, &GameSession::drawsAdded, this, [this] { SetUnsaved(true); });
    connect(session_, &GameSession::drawUndone, this, [this] { SetUnsaved(true); });
    // A saved game keeps its stakes: new ones are not in its file yet.
    connect(session_, &GameSession::betsChanged, this, [this] { SetUnsaved(true); });
    connect(session_, &GameSession::journalStateChanged, this, &GameKeeper::OnJournalStateChanged);
    connect(session_, &GameSession::batchNotJournaled, this, &GameKeeper::OnBatchNotJournaled);
}

bool GameKeeper::unsaved() const {
    return unsaved_ && (session_->drawCount() > 0 || !currentFile_.isEmpty());
}

QString GameKeeper::Title() const {
    const QString product = QStringLiteral("Spinalyst");
    if (currentFile_.isEmpty()) return product + QStringLiteral("[*]");
    return QFileInfo(currentFile_).fileName() + QStringLiteral("[*] \u2014 ") + product;
}

void GameKeeper::SetUnsaved(bool unsaved) {
    unsaved_ = unsaved;
    emit titleChanged(Title());
}

void GameKeeper::TakeFileFromGame() {
    // Still unsaved: what the file holds is not this game.
    if (const auto file = session_->game().note(fileNoteKey); file && !file->empty())
        currentFile_ = QString::fromStdString(*file);
    SetUnsaved(true);
}

void GameKeeper::ForgetFile(bool unsaved) {
    currentFile_.clear();
    SetUnsaved(unsaved);
}

void GameKeeper::OnJournalStateChanged(bool working) {
    if (working || !session_->journal()) return;
    emit problem(Text(TextId::JournalNotWritten)
                     .arg(QString::fromStdString(session_->journal()->file().string())));
}

void GameKeeper::OnBatchNotJournaled(int draws) {
    const GameJournal* journal = session_->journal();
    const QString file = journal ? QString::fromStdString(journal->file().string()) : QString();
    if (AskQuestion(window_, Text(TextId::BatchNotJournaled).arg(draws).arg(file), false) ==
        Answer::Yes)
        SaveAs();
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
    GameFile game = ParseGameOrSpinList(*text, KindRule{std::nullopt, session_->kind()});
    if (!game.ok()) {
        ShowWarning(window_,
                    QString::fromStdString(FormatParseError(file.toStdString(), *game.error)));
        return false;
    }
    // Not a file of the user's (the previous game), or a spin list that Save must not turn
    // into a game file: the game comes back unsaved, without a file.
    const bool blank = text->find_first_not_of(" \t\r\n") == std::string::npos;
    const bool keptInFile = asCurrentFile && (IsGameFile(*text) || blank);
    session_->ReplaceGame(std::move(game), keptInFile ? file : QString());
    if (!keptInFile) return true;
    currentFile_ = file;
    SetUnsaved(false);
    RememberRecent(file);
    return true;
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
    const std::string text = SavedGameText(
        session_->game(), [this](std::int32_t c) { return session_->croupiers().CroupierName(c); },
        [this](std::int32_t w) { return session_->wheels().WheelName(w); });
    if (!WriteFileAtomically(PathOf(file), text)) {
        ShowWarning(window_, Text(TextId::FileNotWritten).arg(file));
        return false;
    }
    currentFile_ = file;
    session_->SetGameFile(file);
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
    const GameJournal* journal = session_->journal();
    auto previous =
        journal ? RecoverJournal(journal->previousFile(), session_->kind()) : std::nullopt;
    if (!previous) {
        ShowWarning(window_, Text(TextId::NoPreviousGame));
        return;
    }
    if (!previous->game.ok()) {
        ShowWarning(window_, QString::fromStdString(FormatParseError(
                                 journal->previousFile().string(), *previous->game.error)));
        return;
    }
    if (!ConfirmDiscard()) return;
    const QStringList notes = RecoveryNotes(*previous, journal->previousFile());
    // The game it replaces becomes the previous one.
    session_->ReplaceGame(std::move(previous->game));
    TakeFileFromGame();
    if (!notes.isEmpty()) ShowWarning(window_, notes.join('\n'));
}

void GameKeeper::OfferRestore() {
    const GameJournal* journal = session_->journal();
    if (!journal) return;
    if (journal->slot() > 1)
        emit problem(
            Text(TextId::JournalOfItsOwn).arg(QString::fromStdString(journal->file().string())));
    if (!session_->leftoverJournal()) return;
    auto left = journal->RecoverLeftover(session_->kind());
    if (!left || !left->game.ok() || left->game.log.drawCount() == 0) {
        if (left && !left->game.ok())
            ShowWarning(window_, QString::fromStdString(FormatParseError(journal->file().string(),
                                                                         *left->game.error)));
        else if (left && left->unfinishedBatch > 0)
            ShowWarning(window_, Text(TextId::UnfinishedBatch).arg(left->unfinishedBatch));
        // Kept as the previous game unless it holds nothing at all.
        session_->DeclineLeftover();
        return;
    }
    // The date in the words of the language: "10 Dec 2026", "10 déc. 2026".
    const QString date =
        left->writtenAt ? LanguageLocale().toString(QDateTime::fromSecsSinceEpoch(*left->writtenAt),
                                                    QStringLiteral("d MMM yyyy HH:mm"))
                        : QString();
    const int draws = left->game.log.drawCount();
    const QString question = CountedText(TextId::RestoreQuestion, draws).arg(draws).arg(date);
    if (AskQuestion(window_, question, false) != Answer::Yes) {
        session_->DeclineLeftover();
        return;
    }
    const QStringList notes = RecoveryNotes(*left, journal->file());
    session_->RestoreGame(std::move(left->game));
    TakeFileFromGame();
    if (!notes.isEmpty()) ShowWarning(window_, notes.join('\n'));
}

QStringList GameKeeper::RecentGames() const {
    return settings_->recentGames();
}

void GameKeeper::RememberRecent(const QString& file) {
    settings_->PushRecentGame(QFileInfo(file).absoluteFilePath());
}

}  // namespace spinalyst
