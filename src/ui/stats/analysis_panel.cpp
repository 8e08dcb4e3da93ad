#include "stats/analysis_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "app/game_session.h"
#include "app/texts.h"
#include "draws/croupier_list.h"
#include "stats/mode_settings.h"

namespace spinalyst {

namespace {
// Blocks the signals of every control while the program itself sets them.
class BlockAll {
public:
    explicit BlockAll(std::initializer_list<QObject*> objects) {
        for (QObject* o : objects) blockers_.emplace_back(std::make_unique<QSignalBlocker>(o));
    }

private:
    std::vector<std::unique_ptr<QSignalBlocker>> blockers_;
};

std::optional<int> Selected(const QComboBox* box) {
    return box->currentIndex() >= 0 ? std::optional<int>(box->currentIndex()) : std::nullopt;
}

void Select(QComboBox* box, std::optional<int> index) {
    box->setCurrentIndex(index && *index < box->count() ? *index : -1);
}

QString TargetText(const std::string& key) {
    static const std::pair<const char*, TextId> words[] = {
        {"rouge", TextId::TargetRed},  {"noir", TextId::TargetBlack},
        {"pair", TextId::TargetEven},  {"impair", TextId::TargetOdd},
        {"manque", TextId::TargetLow}, {"passe", TextId::TargetHigh}};
    for (const auto& [k, id] : words)
        if (key == k) return Text(id);
    return QString::fromStdString(key);
}
}  // namespace

AnalysisPanel::AnalysisPanel(GameSession* session, Settings settings, QWidget* parent)
    : QWidget(parent), session_(session), settings_(std::move(settings)) {
    setObjectName("pnlPeriode1");
    setFixedHeight(141);
    setMinimumWidth(691);
    BuildControls();
    ConnectHandlers();
}

void AnalysisPanel::BuildControls() {
    auto label = [this](QLabel*& l, const char* name, const QString& caption, int left, int top) {
        l = new QLabel(caption, this);
        l->setObjectName(name);
        l->move(left, top);
    };
    auto check = [this](QCheckBox*& c, const char* name, int left, int top) {
        c = new QCheckBox(this);
        c->setObjectName(name);
        c->setGeometry(left, top, 17, 17);
    };
    auto spin = [this](QSpinBox*& s, const char* name, QRect geometry, int min, int max) {
        s = new QSpinBox(this);
        s->setObjectName(name);
        s->setGeometry(geometry);
        s->setRange(min, max);
    };
    auto combo = [this](QComboBox*& c, const char* name, int left, int top, int width) {
        c = new QComboBox(this);
        c->setObjectName(name);
        c->setGeometry(left, top, width, 22);
    };

    label(lbStat, "lbStat", QStringLiteral("Statistique"), 8, 4);
    QFont title = lbStat->font();
    title.setPixelSize(16);
    lbStat->setFont(title);
    pnlBtnsStat = new QWidget(this);
    pnlBtnsStat->setObjectName("pnlBtnsStat");
    pnlBtnsStat->setGeometry(95, -2, 266, 33);
    for (int k = 1; k <= statModeCount; ++k) {
        auto* b = new QToolButton(pnlBtnsStat);
        b->setObjectName(QStringLiteral("sbStat%1").arg(k));
        b->setText(QString::number(k));
        b->setAutoRaise(true);
        sbStat[static_cast<std::size_t>(k - 1)] = b;
        connect(b, &QToolButton::clicked, this, [this, k] { SelectStatMode(k); });
    }
    HighlightModeButton(1);
    label(lbNbTir1, "lbNbTir1", QStringLiteral("Nombre de tirages analysés : 0"), 367, 8);
    QFont bold = lbNbTir1->font();
    bold.setBold(true);
    lbNbTir1->setFont(bold);

    check(cbAll1, "cbAll1", 8, 33);
    cbAll1->setChecked(true);
    label(lbAnalyse, "lbAnalyse", QStringLiteral("Analyser tous les tirages depuis le tirage"), 26,
          35);
    spin(seStart1, "seStart1", {225, 32, 64, 22}, minRangeDraw, maxRangeDraw);
    label(lbTo, "lbTo", QStringLiteral("jusqu'au"), 297, 35);
    lbTo->setFixedWidth(40);
    lbTo->setAlignment(Qt::AlignHCenter);
    spin(seEnd1, "seEnd1", {345, 32, 64, 22}, minRangeDraw, maxRangeDraw);
    label(Label9, "Label9", QStringLiteral("Prendre en compte"), 447, 35);
    Label9->setFixedWidth(94);
    Label9->setAlignment(Qt::AlignRight);
    combo(cbStep1, "cbStep1", 545, 32, 116);

    check(cbLast1, "cbLast1", 8, 58);
    label(Label1, "Label1", QStringLiteral("Analyser"), 26, 60);
    spin(seAnalyse1, "seAnalyse1", {71, 57, 49, 22}, minAnalyse, maxAnalyse);
    seAnalyse1->setValue(12);
    label(Label2, "Label2", QStringLiteral("derniers tirages"), 127, 60);

    check(cbNext1, "cbNext1", 8, 83);
    label(Label3, "Label3", QStringLiteral("Analyser les tirages suivant la sortie de"), 26, 85);
    combo(cbParis, "cbParis", 223, 81, 116);
    combo(cbPari, "cbPari", 345, 81, 64);

    check(cbNext2, "cbNext2", 8, 107);
    label(Label5, "Label5", QStringLiteral("Analyser tous les tirages du croupier"), 26, 109);
    combo(cbCroupier, "cbCroupier", 222, 106, 116);
    cbCroupier->setEditable(true);
    cbCroupier->setInsertPolicy(QComboBox::NoInsert);
    cbCroupier->setMaxVisibleItems(10);

    FillFixedLists();
}

void AnalysisPanel::FillFixedLists() {
    const BlockAll blocked{cbStep1, cbParis, cbPari};
    cbStep1->clear();
    for (int i = 0; i < stepEntryCount; ++i) cbStep1->addItem(Text(StepEntry(i)));
    cbStep1->setCurrentIndex(0);
    cbParis->clear();
    for (int i = 0; i < followFamilyCount; ++i) cbParis->addItem(Text(FamilyEntry(i)));
    cbParis->setCurrentIndex(0);
    FillTargetList();
    cbPari->setCurrentIndex(0);
}

void AnalysisPanel::ConnectHandlers() {
    connect(cbAll1, &QCheckBox::clicked, this, [this] { cbAll1Click(cbAll1); });
    connect(cbLast1, &QCheckBox::clicked, this, [this] { cbAll1Click(cbLast1); });
    connect(cbNext1, &QCheckBox::clicked, this, [this] { cbNext1Click(cbNext1); });
    connect(cbNext2, &QCheckBox::clicked, this, [this] { cbNext1Click(cbNext2); });
    connect(seStart1, &QSpinBox::valueChanged, this, &AnalysisPanel::seStart1Change);
    connect(cbPari, &QComboBox::currentIndexChanged, this, &AnalysisPanel::seStart1Change);
    connect(seEnd1, &QSpinBox::valueChanged, this, &AnalysisPanel::seEnd1Change);
    connect(seAnalyse1, &QSpinBox::valueChanged, this, &AnalysisPanel::refreshRequested);
    connect(cbStep1, &QComboBox::currentIndexChanged, this, &AnalysisPanel::refreshRequested);
    connect(cbParis, &QComboBox::currentIndexChanged, this, &AnalysisPanel::cbParisChange);
    connect(cbCroupier, &QComboBox::currentTextChanged, this, &AnalysisPanel::refreshRequested);
    // The pocket targets depend on the kind of roulette.
    connect(session_, &GameSession::gameReset, this, [this] {
        const QSignalBlocker blocker(cbPari);
        const int kept = cbPari->currentIndex();
        FillTargetList();
        cbPari->setCurrentIndex(kept < cbPari->count() ? kept : 0);
    });
}

void AnalysisPanel::ApplyCaptions() {
    lbStat->setText(Text(TextId::StatisticsTitle));
    lbNbTir1->setText(Text(TextId::AnalysedCount));
    lbAnalyse->setText(Text(TextId::RangeFrom));
    lbTo->setText(Text(TextId::RangeTo));
    Label1->setText(Text(TextId::LastPrefix));
    Label2->setText(Text(TextId::LastSuffix));
    Label3->setText(Text(TextId::FollowCaption));
    Label5->setText(Text(TextId::CroupierCaption));
    Label9->setText(Text(TextId::StepCaption));
    for (QLabel* l : {lbStat, lbNbTir1, lbAnalyse, Label1, Label2, Label3, Label5}) l->adjustSize();
    // Captions that follow a spin box start where it ends.
    Label2->move(seAnalyse1->geometry().right() + 7, Label2->y());
    FillFixedLists();
}

void AnalysisPanel::FillCroupierList() {
    FillCroupierBox(cbCroupier, session_->croupiers());
}

void AnalysisPanel::FillTargetList() {
    cbPari->clear();
    cbPari->addItem(QString());
    const int family = cbParis->currentIndex();
    if (family < 0) return;
    for (const std::string& entry : TargetEntries(family, session_->kind()))
        cbPari->addItem(TargetText(entry));
}

AnalysisControls AnalysisPanel::Controls() const {
    AnalysisControls c;
    c.all1 = cbAll1->isChecked();
    c.start1 = seStart1->value();
    c.end1 = seEnd1->value();
    c.last1 = cbLast1->isChecked();
    c.analyse1 = seAnalyse1->value();
    c.step1 = Selected(cbStep1);
    c.next1 = cbNext1->isChecked();
    c.paris = Selected(cbParis);
    c.pari = Selected(cbPari);
    c.next2 = cbNext2->isChecked();
    c.croupier = cbCroupier->currentText().toStdString();
    return c;
}

void AnalysisPanel::ApplyControls(const AnalysisControls& c, bool withEnd) {
    const BlockAll blocked{cbAll1,  seStart1, seEnd1, cbLast1, seAnalyse1, cbStep1,
                           cbNext1, cbParis,  cbPari, cbNext2, cbCroupier};
    cbAll1->setChecked(c.all1);
    seStart1->setValue(c.start1);
    if (withEnd) seEnd1->setValue(c.end1);
    cbLast1->setChecked(c.last1);
    seAnalyse1->setValue(c.analyse1);
    Select(cbStep1, c.step1);
    cbNext1->setChecked(c.next1);
    Select(cbParis, c.paris);
    // The stored entry is chosen among the entries of the stored family.
    FillTargetList();
    Select(cbPari, c.pari);
    cbNext2->setChecked(c.next2);
    const QString filter = QString::fromStdString(c.croupier);
    const int entry = filter.isEmpty() ? 0 : cbCroupier->findText(filter, Qt::MatchExactly);
    cbCroupier->setCurrentIndex(entry);
    cbCroupier->setEditText(filter);
}

void AnalysisPanel::LoadSettings() {
    const int stored = static_cast<int>(settings_.ReadInt(Param::Stat));
    statMode_ = std::clamp(stored, 1, statModeCount);
    ApplyControls(LoadModeSettings(settings_.Load(), statMode_, true), true);
    SelectStatMode(statMode_);
}

void AnalysisPanel::SaveModeSettings() {
    const AnalysisControls controls = Controls();
    settings_.Update([&](IniFile& ini) { spinalyst::SaveModeSettings(ini, statMode_, controls); });
}

void AnalysisPanel::SelectStatMode(int n) {
    if (n < 1 || n > statModeCount) return;
    SaveModeSettings();
    HighlightModeButton(n);
    const int drawCount = session_->drawCount();
    if (n != statMode_) {
        statMode_ = n;
        ApplyControls(LoadModeSettings(settings_.Load(), n, false), false);
        const QSignalBlocker blocker(seEnd1);
        seEnd1->setValue(drawCount);
    }
    {
        const BlockAll blocked{seStart1, seEnd1};
        if (seStart1->value() > drawCount) seStart1->setValue(1);
        if (seEnd1->value() > drawCount) seEnd1->setValue(drawCount);
    }
    emit refreshRequested();
}

void AnalysisPanel::HighlightModeButton(int n) {
    for (int k = 1; k <= statModeCount; ++k) {
        QToolButton* b = sbStat[static_cast<std::size_t>(k - 1)];
        const bool current = k == n;
        QFont f = b->font();
        f.setPointSize(current ? 14 : 12);
        f.setBold(current);
        b->setFont(f);
        b->setStyleSheet(current ? QStringLiteral("color: rgb(255, 0, 0);")
                                 : QStringLiteral("color: black;"));
        b->setGeometry(current ? QRect(4 + 28 * (k - 1), 1, 29, 29)
                               : QRect(6 + 28 * (k - 1), 3, 25, 25));
        b->setProperty("current", current);
    }
}

void AnalysisPanel::SetRangeEnd(int drawCount) {
    const QSignalBlocker blocker(seEnd1);
    seEnd1->setValue(drawCount);
}

void AnalysisPanel::ShowRefreshResult(std::optional<int> loweredStart1, int analysedCount) {
    if (loweredStart1) {
        const QSignalBlocker blocker(seStart1);
        seStart1->setValue(*loweredStart1);
    }
    lbNbTir1->setText(Text(TextId::AnalysedCount) + " : " + QString::number(analysedCount));
    lbNbTir1->adjustSize();
}

void AnalysisPanel::cbAll1Click(QCheckBox* clicked) {
    {
        const BlockAll blocked{cbAll1, cbLast1};
        cbAll1->setChecked(clicked == cbAll1);
        cbLast1->setChecked(clicked == cbLast1);
    }
    emit refreshRequested();
}

void AnalysisPanel::cbNext1Click(QCheckBox* clicked) {
    {
        const BlockAll blocked{cbNext1, cbNext2};
        (clicked == cbNext1 ? cbNext2 : cbNext1)->setChecked(false);
    }
    emit refreshRequested();
}

// The corrections below are made quietly: the one refresh that follows sees the same
// settings a second, nested refresh would have seen.
void AnalysisPanel::seStart1Change() {
    if (seStart1->value() > seEnd1->value()) {
        const QSignalBlocker blocker(seStart1);
        seStart1->setValue(seEnd1->value());
    }
    emit refreshRequested();
}

void AnalysisPanel::seEnd1Change() {
    {
        const QSignalBlocker blocker(seEnd1);
        if (seEnd1->value() > session_->drawCount())
            seEnd1->setValue(session_->drawCount());
        else if (seEnd1->value() < seStart1->value())
            seEnd1->setValue(seStart1->value());
    }
    emit refreshRequested();
}

void AnalysisPanel::cbParisChange() {
    {
        const QSignalBlocker blocker(cbPari);
        FillTargetList();
        cbPari->setCurrentIndex(0);
    }
    emit refreshRequested();
}

}  // namespace spinalyst
