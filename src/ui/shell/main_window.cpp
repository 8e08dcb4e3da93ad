#include "ui/shell/main_window.h"

#include <algorithm>

#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "core/draws/game_journal.h"
#include "core/stats/mode_settings.h"
#include "core/store/atomic_file.h"
#include "ui/betting/bets_page.h"
#include "ui/betting/progression_box.h"
#include "ui/betting/strategy_page.h"
#include "ui/common/app_settings.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/notice.h"
#include "ui/common/texts.h"
#include "ui/draws/draws_panel.h"
#include "ui/draws/entry_area.h"
#include "ui/draws/keyboard_entry.h"
#include "ui/draws/random_source_dialog.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/game_keeper.h"
#include "ui/shell/help.h"
#include "ui/stats/analysis_panel.h"
#include "ui/stats/analysis_settings.h"
#include "ui/stats/fairness_page.h"
#include "ui/stats/family_page.h"
#include "ui/stats/heat_legend.h"
#include "ui/stats/heat_page.h"
#include "ui/stats/stats_area.h"
#include "ui/stats/tableau_page.h"
#include "ui/stats/wheel_figures.h"
#include "ui/stats/wheel_page.h"

namespace spinalyst {

namespace {
constexpr int leftColumnWidth = 321;
}  // namespace

MainWindow::MainWindow(DataPaths paths, AppSettings* settings, QWidget* parent)
    : QMainWindow(parent),
      paths_(std::move(paths)),
      settings_(settings ? settings : new AppSettings(paths_.SettingsFile(), this)) {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("Spinalyst[*]"));
    setFont(BaseFont());

    session_ = new GameSession(settings_->kind(), this);
    session_->setObjectName("session");
    session_->SetRandomSource(settings_->randomSource());
    // What a crash in the middle of a write left in the data folder.
    RemoveStaleTemporaries(paths_.writeDir, [this](std::string_view name) {
        return name == paths_.SettingsFile().filename().string() ||
               name.starts_with(paths_.CroupierFile().filename().string()) ||
               IsJournalFileName(name);
    });
    session_->LoadCroupiers(paths_.CroupierFile());
    session_->LoadWheels(paths_.WheelFile());
    session_->KeepJournal(paths_.writeDir);
    BuildMenus();
    BuildCentralArea();
    keeper_ = new GameKeeper(session_, settings_, this);
    connect(keeper_, &GameKeeper::titleChanged, this, [this](const QString& title) {
        setWindowTitle(title);
        setWindowFilePath(keeper_->currentFile());
        setWindowModified(keeper_->unsaved());
    });
    connect(keeper_, &GameKeeper::problem, this, &MainWindow::ShowProblem);
    connect(session_, &GameSession::gameReplaced, this, &MainWindow::CheckKindItem);
    BuildJournalIndicator();
    LoadLanguage();
    if (languageLoaded_) ApplyCaptions();
    entryArea_->FillCroupierList();
    entryArea_->FillWheelList();
    statsArea_->analysisPanel()->FillCroupierList();
    statsArea_->analysisPanel()->FillWheelList();
    statsArea_->analysisSettings().Load();
    CheckKindItem();
    // Typed pockets reach draw entry whenever no box is being edited; the draws list holds
    // the focus for it, from the start on.
    keyboardEntry_ = new KeyboardEntry(this, session_, drawsPanel_->view());
    connect(entryArea_, &EntryArea::problem, this, &MainWindow::ShowProblem);
    connect(settings_, &AppSettings::writeFailed, this, &MainWindow::ReportSettingsNotSaved);
    // The start dialog's write, made before this window could say so.
    if (settings_->writeFailedOnce()) ReportSettingsNotSaved();
    // Export statistics waits for a page that has figures.
    connect(statsArea_, &StatsArea::pageChanged, this,
            [this] { exportAction_->setEnabled(statsArea_->ShowingPageExports()); });
    exportAction_->setEnabled(statsArea_->ShowingPageExports());
    session_->NewGame();
    keyboardEntry_->ReturnFocus();
    resize(StartSize());
}

QSize MainWindow::StartSize() const {
    // The design size, or what the statistics need to show without scrolling if that is
    // more; smaller only when the user makes it so.
    const QSize design(1012, 677);
    const int chrome = menuBar()->sizeHint().height() + statusBar()->sizeHint().height();
    const QSize content = statsArea_->minimumSizeHint();
    return design.expandedTo(QSize(leftColumnWidth + content.width(),
                                   std::max(content.height(), design.height() - chrome) + chrome));
}

void MainWindow::LoadLanguage() {
    const std::string code = settings_->language().toStdString();
    LanguageTable table;
    languageLoaded_ = table.Load(paths_.LanguageFile(code));
    SetLanguage(code, std::move(table));
}

void MainWindow::BuildJournalIndicator() {
    // In the permanent area, where no passing message covers it, for as long as the journal
    // cannot write.
    journalIndicator_ = new QLabel(this);
    journalIndicator_->setObjectName("lblJournalProblem");
    QPalette palette = journalIndicator_->palette();
    palette.setColor(QPalette::WindowText, warningColour);
    journalIndicator_->setPalette(palette);
    journalIndicator_->setFont(BaseFont(true));
    journalIndicator_->hide();
    statusBar()->addPermanentWidget(journalIndicator_);
    connect(session_, &GameSession::journalStateChanged, this, [this](bool working) {
        FillJournalIndicator();
        journalIndicator_->setVisible(!working);
    });
}

void MainWindow::FillJournalIndicator() {
    const GameJournal* journal = session_->journal();
    journalIndicator_->setText(Text(TextId::JournalIndicator));
    journalIndicator_->setToolTip(
        Text(TextId::JournalIndicatorTip)
            .arg(journal ? QString::fromStdString(journal->file().string()) : QString()));
}

void MainWindow::ApplyCaptions() {
    fileMenu_->setTitle(Text(TextId::MenuFile));
    newGameAction_->setText(Text(TextId::MenuNew));
    openAction_->setText(Text(TextId::MenuOpen));
    recentMenu_->setTitle(Text(TextId::MenuRecentGames));
    saveAction_->setText(Text(TextId::MenuSave));
    saveAsAction_->setText(Text(TextId::MenuSaveAs));
    importAction_->setText(Text(TextId::MenuImportSpins));
    exportAction_->setText(Text(TextId::MenuExportStats));
    restorePreviousAction_->setText(Text(TextId::MenuRestorePrevious));
    quitAction_->setText(Text(TextId::MenuQuit));
    preferencesMenu_->setTitle(Text(TextId::MenuPreferences));
    kindMenu_->setTitle(Text(TextId::MenuRoulette));
    americanAction_->setText(Text(TextId::MenuAmerican));
    frenchAction_->setText(Text(TextId::MenuFrench));
    noZeroAction_->setText(Text(TextId::MenuNoZero));
    randomSourceAction_->setText(Text(TextId::MenuRandomSource));
    undoAction_->setText(Text(TextId::Undo));
    helpMenu_->setTitle(Text(TextId::MenuHelp));
    helpAction_->setText(Text(TextId::MenuHelpItem));
    aboutAction_->setText(Text(TextId::MenuAbout));
    entryArea_->ApplyCaptions();
    statsArea_->ApplyCaptions();
    betsPage_->ApplyCaptions();
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("&Fichier"));
    fileMenu_->setObjectName("Fichier1");
    newGameAction_ = fileMenu_->addAction(QStringLiteral("Nouveau"));
    newGameAction_->setObjectName("Nouveau1");
    newGameAction_->setShortcut(QKeySequence::New);
    auto addItem = [this](QAction*& item, const char* name, const QString& caption,
                          const QKeySequence& shortcut, auto handler) {
        item = fileMenu_->addAction(caption);
        item->setObjectName(name);
        item->setShortcut(shortcut);
        connect(item, &QAction::triggered, this, handler);
    };
    addItem(openAction_, "actOpen", QStringLiteral("Ouvrir..."), QKeySequence(Qt::CTRL | Qt::Key_O),
            [this] { keeper_->Open(); });
    recentMenu_ = fileMenu_->addMenu(QStringLiteral("Parties récentes"));
    recentMenu_->setObjectName("mnuRecentGames");
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::FillRecentGames);
    addItem(saveAction_, "actSave", QStringLiteral("Enregistrer"),
            QKeySequence(Qt::CTRL | Qt::Key_S), [this] { keeper_->Save(); });
    addItem(saveAsAction_, "actSaveAs", QStringLiteral("Enregistrer sous..."),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), [this] { keeper_->SaveAs(); });
    fileMenu_->addSeparator();
    addItem(importAction_, "actImportSpins", QStringLiteral("Importer des numéros..."),
            QKeySequence(), [this] { keeper_->ImportSpins(); });
    addItem(exportAction_, "actExportStats", QStringLiteral("Exporter les statistiques..."),
            QKeySequence(), &MainWindow::OnExportStatistics);
    addItem(restorePreviousAction_, "actRestorePrevious",
            QStringLiteral("Restaurer la partie précédente"), QKeySequence(),
            [this] { keeper_->RestorePrevious(); });
    fileMenu_->addSeparator();
    // The shortcut of the undo button, beside the other commands a player keeps at hand; a
    // box being edited keeps Ctrl+Z for its own text.
    undoAction_ = fileMenu_->addAction(QStringLiteral("Undo"));
    undoAction_->setObjectName("actUndoDraw");
    undoAction_->setShortcut(QKeySequence::Undo);
    fileMenu_->addSeparator();
    quitAction_ = fileMenu_->addAction(QStringLiteral("Quitter"));
    quitAction_->setObjectName("Quitter1");
    quitAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(newGameAction_, &QAction::triggered, this, &MainWindow::OnNewGame);
    connect(undoAction_, &QAction::triggered, session_, &GameSession::UndoDraw);
    connect(quitAction_, &QAction::triggered, this, &QWidget::close);

    preferencesMenu_ = menuBar()->addMenu(QStringLiteral("&Préférences"));
    preferencesMenu_->setObjectName("Prfrences1");
    kindMenu_ = preferencesMenu_->addMenu(QStringLiteral("&Roulette"));
    kindMenu_->setObjectName("Roulette1");
    auto* kinds = new QActionGroup(this);
    kinds->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    auto addKind = [&](QAction*& item, const char* name, const QString& caption, RouletteKind k) {
        item = kindMenu_->addAction(caption);
        item->setObjectName(name);
        item->setCheckable(true);
        item->setData(KindToTag(k));
        kinds->addAction(item);
    };
    addKind(americanAction_, "Americaine1", QStringLiteral("Américaine"), RouletteKind::American);
    addKind(frenchAction_, "Francaise1", QStringLiteral("Française"), RouletteKind::French);
    addKind(noZeroAction_, "NoZero1", QStringLiteral("No Zero"), RouletteKind::NoZero);
    // triggered, not toggled: choosing the checked kind again also starts a new game.
    connect(kinds, &QActionGroup::triggered, this, &MainWindow::OnKindChosen);
    preferencesMenu_->addSeparator();
    randomSourceAction_ = preferencesMenu_->addAction(QStringLiteral("&Source aléatoire..."));
    randomSourceAction_->setObjectName("Sourcealeatoire1");
    connect(randomSourceAction_, &QAction::triggered, this,
            [this] { ChooseRandomSource(this, *session_, *settings_); });

    helpMenu_ = menuBar()->addMenu(QStringLiteral("&Aide"));
    helpMenu_->setObjectName("Aide1");
    helpAction_ = helpMenu_->addAction(QStringLiteral("&Aide"));
    helpAction_->setObjectName("Aide2");
    helpAction_->setShortcut(QKeySequence::HelpContents);
    aboutAction_ = helpMenu_->addAction(QStringLiteral("A Propos de Spinalyst"));
    aboutAction_->setObjectName("APropos1");
    connect(helpAction_, &QAction::triggered, this, &MainWindow::OnHelp);
    connect(aboutAction_, &QAction::triggered, this, [this] { AboutDialog::ShowAbout(this); });
}

void MainWindow::BuildCentralArea() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    auto* leftColumn = new QWidget(central);
    leftColumn->setFixedWidth(leftColumnWidth);
    auto* left = new QVBoxLayout(leftColumn);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    entryArea_ = new EntryArea(session_, leftColumn);
    drawsPanel_ = new DrawsPanel(session_, leftColumn);
    left->addWidget(entryArea_);
    left->addWidget(drawsPanel_, 1);

    statsArea_ = new StatsArea(session_, settings_, central);
    auto* wheelFigures = new WheelFigures(settings_, statsArea_);
    new HeatScaleMenu(wheelFigures, preferencesMenu_);
    statsArea_->SetPage(StatsTab::Wheel, new WheelPage(wheelFigures));
    statsArea_->SetPage(StatsTab::Heat, new HeatPage(wheelFigures));
    for (StatFamily family : allStatFamilies)
        statsArea_->SetPage(FamilyTab(family), new FamilyPage(family));
    statsArea_->SetPage(StatsTab::Tableau, new TableauPage);
    betsPage_ = new BetsPage(session_, settings_);
    statsArea_->SetPage(StatsTab::Bets, betsPage_);
    statsArea_->SetPage(StatsTab::Strategy, new StrategyPage(session_, settings_));
    statsArea_->SetPage(StatsTab::Fairness, new FairnessPage(session_));
    columns->addWidget(leftColumn);
    // Below the design size, on a small screen, the statistics scroll rather than keep the
    // window larger than the screen; at the design size and above no scroll bar shows.
    auto* statsScroll = new QScrollArea(central);
    statsScroll->setObjectName("statsScroll");
    statsScroll->setFrameShape(QFrame::NoFrame);
    statsScroll->setWidgetResizable(true);
    statsScroll->setWidget(statsArea_);
    columns->addWidget(statsScroll, 1);
    setCentralWidget(central);
}

void MainWindow::CheckKindItem() {
    for (QAction* item : {americanAction_, frenchAction_, noZeroAction_})
        item->setChecked(item->data().toInt() == KindToTag(session_->kind()));
}

void MainWindow::OnKindChosen(QAction* item) {
    const auto kind = KindFromTag(item->data().toInt());
    if (!kind) return;
    CheckKindItem();
    if (!keeper_->ConfirmDiscard()) return;
    session_->SwitchKind(*kind);
    CheckKindItem();
}

void MainWindow::OnNewGame() {
    if (keeper_->ConfirmDiscard()) session_->NewGame();
}

void MainWindow::OnExportStatistics() {
    if (const auto csv = statsArea_->ShowingFiguresCsv())
        keeper_->Export(*csv);
    else
        ShowWarning(this, Text(TextId::NothingToExport));
}

void MainWindow::FillRecentGames() {
    recentMenu_->clear();
    for (const QString& file : keeper_->RecentGames()) {
        QAction* item = recentMenu_->addAction(file);
        connect(item, &QAction::triggered, this, [this, file] { keeper_->OpenFile(file); });
    }
}

void MainWindow::OfferRestore() {
    keeper_->OfferRestore();
}

void MainWindow::OnHelp() {
    const QString code = settings_->language();
    const auto tab = static_cast<StatsTab>(statsArea_->tabs()->currentIndex());
    if (!OpenManual(this, paths_, code, ManualPage(tab))) ShowProblem(Text(TextId::ManualMissing));
}

void MainWindow::ShowProblem(const QString& message) {
    statusBar()->showMessage(message, 10000);
}

void MainWindow::ReportSettingsNotSaved() {
    ShowProblem(settings_->failureMessage());
}

bool MainWindow::SaveSettings() {
    const AnalysisSettings& analysis = statsArea_->analysisSettings();
    return settings_->SaveAtClose(session_->kind(), analysis.statMode(), analysis.controls());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!keeper_->ConfirmDiscard()) {
        event->ignore();
        return;
    }
    // The window closes either way; the user learns that the next start will not remember.
    if (!SaveSettings()) ShowWarning(this, settings_->failureMessage());
    session_->RetireJournal();
    event->accept();
}

}  // namespace spinalyst
