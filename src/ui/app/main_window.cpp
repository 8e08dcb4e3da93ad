#include "app/main_window.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

#include "app/game_session.h"
#include "app/look.h"
#include "app/texts.h"
#include "draws/draws_panel.h"
#include "draws/entry_area.h"
#include "draws/keyboard_entry.h"
#include "draws/random_source_dialog.h"
#include "stats/analysis_panel.h"
#include "stats/family_page.h"
#include "stats/mode_settings.h"
#include "stats/stats_area.h"

namespace spinalyst {

namespace {
RouletteKind StoredKind(const Settings& settings) {
    return KindFromSetting(settings.ReadInt(Param::Roulette)).value_or(defaultKind);
}
}  // namespace

TfrmMain::TfrmMain(DataPaths paths, QWidget* parent)
    : QMainWindow(parent), paths_(std::move(paths)), settings_(paths_.SettingsFile()) {
    setObjectName("frmMain");
    setWindowTitle("Spinalyst");
    setFont(BaseFont());
    resize(1012, 677);

    session_ = new GameSession(StoredKind(settings_), this);
    session_->setObjectName("session");
    session_->game().SetRandomSource(static_cast<int>(settings_.ReadInt(Param::RndSource)));
    randomSourceFile_ = QString::fromStdString(settings_.ReadText(Param::RndSourceFile));
    session_->croupiers().Load(paths_.CroupierFile());
    BuildMenus();
    BuildCentralArea();
    statusBar();
    LoadLanguage();
    if (languageLoaded_) ApplyCaptions();
    entryArea_->FillCroupierList();
    statsArea_->analysisPanel()->FillCroupierList();
    statsArea_->analysisPanel()->LoadSettings();
    CheckKindItem();
    keyboardEntry_ = new KeyboardEntry(this, session_);
    connect(entryArea_, &EntryArea::problem, this,
            [this](const QString& message) { statusBar()->showMessage(message, 10000); });
    session_->NewGame();
    // Not the croupier box: typed pockets should reach the keyboard entry from the start.
    drawsPanel_->view()->setFocus();
}

void TfrmMain::LoadLanguage() {
    const std::string code = settings_.ReadText(Param::Language);
    LanguageTable table;
    languageLoaded_ = table.Load(paths_.LanguageFile(code));
    SetLanguageTable(std::move(table));
}

void TfrmMain::ApplyCaptions() {
    Fichier1->setTitle(Text(TextId::MenuFile));
    Nouveau1->setText(Text(TextId::MenuNew));
    Quitter1->setText(Text(TextId::MenuQuit));
    Prfrences1->setTitle(Text(TextId::MenuPreferences));
    Roulette1->setTitle(Text(TextId::MenuRoulette));
    Americaine1->setText(Text(TextId::MenuAmerican));
    Francaise1->setText(Text(TextId::MenuFrench));
    NoZero1->setText(Text(TextId::MenuNoZero));
    Sourcealeatoire1->setText(Text(TextId::MenuRandomSource));
    entryArea_->ApplyCaptions();
    statsArea_->ApplyCaptions();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::BuildMenus() {
    Fichier1 = menuBar()->addMenu(QStringLiteral("&Fichier"));
    Fichier1->setObjectName("Fichier1");
    Nouveau1 = Fichier1->addAction(QStringLiteral("Nouveau"));
    Nouveau1->setObjectName("Nouveau1");
    Fichier1->addSeparator();
    Quitter1 = Fichier1->addAction(QStringLiteral("Quitter"));
    Quitter1->setObjectName("Quitter1");
    connect(Nouveau1, &QAction::triggered, session_, &GameSession::NewGame);
    connect(Quitter1, &QAction::triggered, this, &QWidget::close);

    Prfrences1 = menuBar()->addMenu(QStringLiteral("&Préférences"));
    Prfrences1->setObjectName("Prfrences1");
    Roulette1 = Prfrences1->addMenu(QStringLiteral("&Roulette"));
    Roulette1->setObjectName("Roulette1");
    auto* kinds = new QActionGroup(this);
    kinds->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    auto addKind = [&](QAction*& item, const char* name, const QString& caption, RouletteKind k) {
        item = Roulette1->addAction(caption);
        item->setObjectName(name);
        item->setCheckable(true);
        item->setData(KindToTag(k));
        kinds->addAction(item);
    };
    addKind(Americaine1, "Americaine1", QStringLiteral("Américaine"), RouletteKind::American);
    addKind(Francaise1, "Francaise1", QStringLiteral("Française"), RouletteKind::French);
    addKind(NoZero1, "NoZero1", QStringLiteral("No Zero"), RouletteKind::NoZero);
    // triggered, not toggled: choosing the checked kind again also starts a new game.
    connect(kinds, &QActionGroup::triggered, this, &TfrmMain::NoZero1Click);
    Prfrences1->addSeparator();
    Sourcealeatoire1 = Prfrences1->addAction(QStringLiteral("&Source aléatoire..."));
    Sourcealeatoire1->setObjectName("Sourcealeatoire1");
    connect(Sourcealeatoire1, &QAction::triggered, this,
            [this] { ChooseRandomSource(this, session_->game(), randomSourceFile_, settings_); });
}

void TfrmMain::BuildCentralArea() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->setContentsMargins(0, 0, 0, 0);
    columns->setSpacing(0);

    auto* leftColumn = new QWidget(central);
    leftColumn->setFixedWidth(321);
    auto* left = new QVBoxLayout(leftColumn);
    left->setContentsMargins(0, 0, 0, 0);
    left->setSpacing(0);
    entryArea_ = new EntryArea(session_, leftColumn);
    drawsPanel_ = new DrawsPanel(session_, leftColumn);
    left->addWidget(entryArea_);
    left->addWidget(drawsPanel_, 1);

    statsArea_ = new StatsArea(session_, settings_, central);
    const std::pair<StatsTab, StatFamily> familyTabs[] = {
        {StatsTab::Simples, StatFamily::Simples},
        {StatsTab::DzsCols, StatFamily::DzsCols},
        {StatsTab::Sizains, StatFamily::Sizains},
        {StatsTab::Transversales, StatFamily::Transversales},
        {StatsTab::Finales, StatFamily::Finales},
        {StatsTab::Carres, StatFamily::Carres},
        {StatsTab::Chevaux, StatFamily::Chevaux},
        {StatsTab::Pleins, StatFamily::Pleins}};
    for (const auto& [tab, family] : familyTabs) statsArea_->SetPage(tab, new FamilyPage(family));
    columns->addWidget(leftColumn);
    columns->addWidget(statsArea_, 1);
    setCentralWidget(central);
}

void TfrmMain::CheckKindItem() {
    for (QAction* item : {Americaine1, Francaise1, NoZero1})
        item->setChecked(item->data().toInt() == KindToTag(session_->kind()));
}

void TfrmMain::NoZero1Click(QAction* item) {
    const auto kind = KindFromTag(item->data().toInt());
    if (!kind) return;
    CheckKindItem();
    session_->SwitchKind(*kind);
    CheckKindItem();
}

void TfrmMain::SaveSettings() {
    const AnalysisPanel& panel = *statsArea_->analysisPanel();
    const AnalysisControls controls = panel.Controls();
    settings_.Update([&](IniFile& ini) {
        ini.SetInt(paramsSection, Info(Param::Roulette).key, KindToSetting(session_->kind()));
        ini.SetInt(paramsSection, Info(Param::Stat).key, panel.statMode());
        SaveModeSettings(ini, panel.statMode(), controls);
    });
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    SaveSettings();
    event->accept();
}

}  // namespace spinalyst
