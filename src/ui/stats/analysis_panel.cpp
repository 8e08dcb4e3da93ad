#include "ui/stats/analysis_panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/common/croupier_list.h"
#include "ui/common/format.h"
#include "ui/common/game_session.h"
#include "ui/common/texts.h"

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

AnalysisPanel::AnalysisPanel(AnalysisSettings* settings, const GameSession* session,
                             QWidget* parent)
    : QWidget(parent), settings_(settings), session_(session) {
    setObjectName("pnlPeriode1");
    setFixedHeight(141);
    setMinimumWidth(691);
    BuildControls();
    ConnectHandlers();
    ShowSettings();
}

void AnalysisPanel::BuildControls() {
    auto label = [this](QLabel*& l, const char* name, const QString& caption) {
        l = new QLabel(caption, this);
        l->setObjectName(name);
    };
    auto check = [this](QCheckBox*& c, const char* name) {
        c = new QCheckBox(this);
        c->setObjectName(name);
        // Only the box: its caption is a label beside it, which ticks it too.
        c->setFixedSize(17, 17);
    };
    auto spin = [this](QSpinBox*& s, const char* name, int width, int min, int max) {
        s = new QSpinBox(this);
        s->setObjectName(name);
        if (max > 99'999) {
            // The range boxes follow games of ten million draws and more: room for nine
            // digits, whatever the style.
            s->setRange(min, 999'999'999);
            width = std::max(width, s->sizeHint().width());
        }
        // A fixed height too: the newest draw moves the range's maximum at every draw, and a
        // box of fixed size keeps that from laying out the whole window again.
        s->setFixedSize(width, s->sizeHint().height());
        s->setRange(min, max);
        // Corrections and refreshes wait for the finished number (Enter, focus out, arrows),
        // so that typing 20 is not read as 2 on the way.
        s->setKeyboardTracking(false);
    };
    auto combo = [this](QComboBox*& c, const char* name, int width) {
        c = new QComboBox(this);
        c->setObjectName(name);
        c->setFixedWidth(width);
    };

    label(modeTitle_, "lbStat", QStringLiteral("Statistique"));
    QFont title = modeTitle_->font();
    title.setPixelSize(16);
    modeTitle_->setFont(title);
    modeButtonBar_ = new QWidget(this);
    modeButtonBar_->setObjectName("pnlBtnsStat");
    modeButtonBar_->setFixedSize(266, 33);
    for (int k = 1; k <= statModeCount; ++k) {
        auto* b = new QToolButton(modeButtonBar_);
        b->setObjectName(QStringLiteral("sbStat%1").arg(k));
        b->setText(QString::number(k));
        b->setAutoRaise(true);
        modeButtons_[static_cast<std::size_t>(k - 1)] = b;
        connect(b, &QToolButton::clicked, this, [this, k] { settings_->SelectStatMode(k); });
    }
    label(analysedCountLabel_, "lbNbTir1", QStringLiteral("Nombre de tirages analysés : 0"));
    QFont bold = analysedCountLabel_->font();
    bold.setBold(true);
    analysedCountLabel_->setFont(bold);
    analysedCountLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    check(rangeCheck_, "cbAll1");
    label(rangeLabel_, "lbAnalyse", QStringLiteral("Analyser tous les tirages depuis le tirage"));
    spin(rangeStartEdit_, "seStart1", 76, minRangeDraw, maxRangeDraw);
    label(rangeToLabel_, "lbTo", QStringLiteral("jusqu'au"));
    spin(rangeEndEdit_, "seEnd1", 76, minRangeDraw, maxRangeDraw);
    label(stepLabel_, "Label9", QStringLiteral("Prendre en compte"));
    combo(stepList_, "cbStep1", 130);

    check(lastCheck_, "cbLast1");
    label(lastPrefixLabel_, "Label1", QStringLiteral("Analyser"));
    spin(lastCountEdit_, "seAnalyse1", 56, minAnalyse, maxAnalyse);
    label(lastSuffixLabel_, "Label2", QStringLiteral("derniers tirages"));

    check(followCheck_, "cbNext1");
    label(followLabel_, "Label3", QStringLiteral("Analyser les tirages suivant la sortie de"));
    combo(followFamilyList_, "cbParis", 130);
    combo(followTargetList_, "cbPari", 64);

    check(croupierCheck_, "cbNext2");
    label(croupierLabel_, "Label5", QStringLiteral("Analyser tous les tirages du croupier"));
    combo(croupierFilterList_, "cbCroupier", 130);
    croupierFilterList_->setEditable(true);
    croupierFilterList_->setInsertPolicy(QComboBox::NoInsert);
    croupierFilterList_->setMaxVisibleItems(10);

    // With the croupier filter and the others: only one wheel's draws, only the spins of one
    // direction.
    check(wheelCheck_, "cbNext3");
    label(wheelLabel_, "Label6", QStringLiteral("Roue"));
    combo(wheelFilterList_, "cbWheel", 110);
    wheelFilterList_->setEditable(true);
    wheelFilterList_->setInsertPolicy(QComboBox::NoInsert);
    wheelFilterList_->setMaxVisibleItems(10);
    check(directionCheck_, "cbNext4");
    label(directionLabel_, "Label7", QStringLiteral("Lancé"));
    combo(directionList_, "cbDirection", 140);

    // Rows that flow with their texts, so that every caption shows whole in both languages.
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(8, 0, 8, 4);
    rows->setSpacing(2);
    auto row = [rows](std::initializer_list<QWidget*> widgets,
                      std::initializer_list<QWidget*> right = {}) {
        auto* line = new QHBoxLayout;
        line->setSpacing(5);
        for (QWidget* w : widgets) line->addWidget(w);
        line->addStretch(1);
        for (QWidget* w : right) line->addWidget(w);
        rows->addLayout(line);
    };
    row({modeTitle_, modeButtonBar_}, {analysedCountLabel_});
    row({rangeCheck_, rangeLabel_, rangeStartEdit_, rangeToLabel_, rangeEndEdit_});
    row({lastCheck_, lastPrefixLabel_, lastCountEdit_, lastSuffixLabel_}, {stepLabel_, stepList_});
    // The direction filter at the right, as the step above it: the croupier row has no room
    // left for its texts whole.
    row({followCheck_, followLabel_, followFamilyList_, followTargetList_},
        {directionCheck_, directionLabel_, directionList_});
    row({croupierCheck_, croupierLabel_, croupierFilterList_, wheelCheck_, wheelLabel_,
         wheelFilterList_});

    // A click on a row's text ticks its box, as on the box itself.
    const std::pair<QLabel*, QCheckBox*> captions[] = {
        {rangeLabel_, rangeCheck_},     {rangeToLabel_, rangeCheck_},
        {lastPrefixLabel_, lastCheck_}, {lastSuffixLabel_, lastCheck_},
        {followLabel_, followCheck_},   {croupierLabel_, croupierCheck_},
        {wheelLabel_, wheelCheck_},     {directionLabel_, directionCheck_}};
    for (const auto& [caption, box] : captions) {
        caption->setBuddy(box);
        caption->installEventFilter(this);
        captionBoxes_.emplace_back(caption, box);
    }

    FillFixedLists();
}

bool AnalysisPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        for (const auto& [caption, box] : captionBoxes_)
            if (caption == watched) {
                box->click();
                return true;
            }
    return QWidget::eventFilter(watched, event);
}

void AnalysisPanel::FillFixedLists() {
    const BlockAll blocked{stepList_, followFamilyList_, directionList_};
    directionList_->clear();
    directionList_->addItem(QStringLiteral("\u21bb ") + Text(TextId::Clockwise));
    directionList_->addItem(QStringLiteral("\u21ba ") + Text(TextId::Anticlockwise));
    stepList_->clear();
    for (int i = 0; i < stepEntryCount; ++i) stepList_->addItem(Text(StepEntry(i)));
    followFamilyList_->clear();
    for (int i = 0; i < followFamilyCount; ++i) followFamilyList_->addItem(Text(FamilyEntry(i)));
    targetListFor_.reset();
}

void AnalysisPanel::ConnectHandlers() {
    connect(rangeCheck_, &QCheckBox::clicked, this, [this] { OnRangeModeClicked(rangeCheck_); });
    connect(lastCheck_, &QCheckBox::clicked, this, [this] { OnRangeModeClicked(lastCheck_); });
    connect(followCheck_, &QCheckBox::clicked, this, [this] { OnFilterModeClicked(followCheck_); });
    connect(croupierCheck_, &QCheckBox::clicked, this,
            [this] { OnFilterModeClicked(croupierCheck_); });
    connect(rangeStartEdit_, &QSpinBox::valueChanged, this, &AnalysisPanel::Edit);
    connect(followTargetList_, &QComboBox::currentIndexChanged, this, &AnalysisPanel::Edit);
    connect(rangeEndEdit_, &QSpinBox::valueChanged, this, &AnalysisPanel::Edit);
    connect(lastCountEdit_, &QSpinBox::valueChanged, this, &AnalysisPanel::Edit);
    connect(stepList_, &QComboBox::currentIndexChanged, this, &AnalysisPanel::Edit);
    connect(followFamilyList_, &QComboBox::currentIndexChanged, this,
            &AnalysisPanel::OnFollowFamilyChanged);
    connect(croupierFilterList_, &QComboBox::currentTextChanged, this, &AnalysisPanel::Edit);
    connect(wheelCheck_, &QCheckBox::clicked, this, &AnalysisPanel::Edit);
    connect(wheelFilterList_, &QComboBox::currentTextChanged, this, &AnalysisPanel::Edit);
    connect(directionCheck_, &QCheckBox::clicked, this, &AnalysisPanel::Edit);
    connect(directionList_, &QComboBox::currentIndexChanged, this, &AnalysisPanel::Edit);
    connect(session_, &GameSession::wheelsChanged, this, &AnalysisPanel::FillWheelList);
    connect(settings_, &AnalysisSettings::changed, this, &AnalysisPanel::ShowSettings);
    // A croupier created or read from a game file can be filtered on at once.
    connect(session_, &GameSession::croupiersChanged, this, &AnalysisPanel::FillCroupierList);
}

void AnalysisPanel::ApplyCaptions() {
    modeTitle_->setText(Text(TextId::StatisticsTitle));
    rangeLabel_->setText(Text(TextId::RangeFrom));
    rangeToLabel_->setText(Text(TextId::RangeTo));
    lastPrefixLabel_->setText(Text(TextId::LastPrefix));
    lastSuffixLabel_->setText(Text(TextId::LastSuffix));
    followLabel_->setText(Text(TextId::FollowCaption));
    croupierLabel_->setText(Text(TextId::CroupierCaption));
    wheelLabel_->setText(Text(TextId::WheelLabel));
    directionLabel_->setText(Text(TextId::DirectionCaption));
    stepLabel_->setText(Text(TextId::StepCaption));
    FillFixedLists();
    // The count's label is sized anew for the captions of the language.
    analysedCountLabel_->setMinimumSize(0, 0);
    countSizedFor_ = 0;
    ShowSettings();
}

void AnalysisPanel::FillCroupierList() {
    FillCroupierBox(croupierFilterList_, session_->croupiers());
}

void AnalysisPanel::FillWheelList() {
    FillWheelBox(wheelFilterList_, session_->wheels());
}

void AnalysisPanel::FillTargetList(std::optional<FollowFamily> family) {
    followTargetList_->clear();
    followTargetList_->addItem(QString());
    if (family)
        for (const std::string& entry : TargetEntries(*family, session_->kind()))
            followTargetList_->addItem(TargetText(entry));
    targetListFor_.emplace(family, session_->kind());
}

AnalysisControls AnalysisPanel::Controls() const {
    AnalysisControls c;
    c.useRange = rangeCheck_->isChecked();
    c.rangeStart = rangeStartEdit_->value();
    c.rangeEnd = rangeEndEdit_->value();
    c.useLast = lastCheck_->isChecked();
    c.lastCount = lastCountEdit_->value();
    c.stepEntry = Selected(stepList_);
    c.useFollowing = followCheck_->isChecked();
    c.followFamily = FollowFamilyAt(followFamilyList_->currentIndex());
    c.followEntry = Selected(followTargetList_);
    c.useCroupier = croupierCheck_->isChecked();
    c.croupierName = croupierFilterList_->currentText().toStdString();
    c.useWheel = wheelCheck_->isChecked();
    c.wheelName = wheelFilterList_->currentText().toStdString();
    c.useDirection = directionCheck_->isChecked();
    c.direction = directionList_->currentIndex() == 1 ? SpinDirection::Anticlockwise
                                                      : SpinDirection::Clockwise;
    return c;
}

void AnalysisPanel::ShowSettings() {
    const AnalysisControls& c = settings_->controls();
    const BlockAll blocked{
        rangeCheck_,         rangeStartEdit_, rangeEndEdit_,     lastCheck_,        lastCountEdit_,
        stepList_,           followCheck_,    followFamilyList_, followTargetList_, croupierCheck_,
        croupierFilterList_, wheelCheck_,     wheelFilterList_,  directionCheck_,   directionList_};
    // The range boxes reach the newest draw, however long the game.
    const int maximum = RangeMaximum(session_->drawCount());
    rangeStartEdit_->setMaximum(maximum);
    rangeEndEdit_->setMaximum(maximum);
    const auto setValue = [](QSpinBox* box, int value) {
        if (box->value() != value) box->setValue(value);
    };
    const auto select = [](QComboBox* box, std::optional<int> index) {
        const int shown = index && *index < box->count() ? *index : -1;
        if (box->currentIndex() != shown) box->setCurrentIndex(shown);
    };
    rangeCheck_->setChecked(c.useRange);
    setValue(rangeStartEdit_, c.rangeStart);
    setValue(rangeEndEdit_, c.rangeEnd);
    lastCheck_->setChecked(c.useLast);
    setValue(lastCountEdit_, c.lastCount);
    select(stepList_, c.stepEntry);
    followCheck_->setChecked(c.useFollowing);
    select(followFamilyList_,
           c.followFamily ? std::optional(FollowFamilyIndex(*c.followFamily)) : std::nullopt);
    // The target entries depend on the family and the kind of roulette.
    if (targetListFor_ != std::pair(c.followFamily, session_->kind()))
        FillTargetList(c.followFamily);
    select(followTargetList_, c.followEntry);
    croupierCheck_->setChecked(c.useCroupier);
    const QString filter = QString::fromStdString(c.croupierName);
    if (croupierFilterList_->currentText() != filter) {
        const int entry =
            filter.isEmpty() ? 0 : croupierFilterList_->findText(filter, Qt::MatchExactly);
        croupierFilterList_->setCurrentIndex(entry);
        croupierFilterList_->setEditText(filter);
    }
    wheelCheck_->setChecked(c.useWheel);
    const QString wheel = QString::fromStdString(c.wheelName);
    if (wheelFilterList_->currentText() != wheel) {
        const int entry = wheel.isEmpty() ? 0 : wheelFilterList_->findText(wheel, Qt::MatchExactly);
        wheelFilterList_->setCurrentIndex(entry);
        wheelFilterList_->setEditText(wheel);
    }
    directionCheck_->setChecked(c.useDirection);
    select(directionList_, c.direction == SpinDirection::Anticlockwise ? 1 : 0);
    HighlightModeButton(settings_->statMode());
    ShowAnalysedCount(Labelled(Text(TextId::AnalysedCount), CountText(settings_->analysedCount())));
}

void AnalysisPanel::ShowAnalysedCount(const QString& text) {
    // The count changes at every draw. Held at a fixed size, room made at once for a count of
    // seven digits, the label is repainted alone instead of laying the window out again; it
    // hugs the right edge. Its size is worked out only when a longer text comes.
    analysedCountLabel_->setText(text);
    if (text.size() <= countSizedFor_) return;
    const QString roomyText = Labelled(Text(TextId::AnalysedCount), CountText(8888888));
    const int roomy = analysedCountLabel_->fontMetrics().horizontalAdvance(roomyText);
    const QSize held = analysedCountLabel_->minimumSize();
    const QSize needed = analysedCountLabel_->sizeHint();
    const int width = std::max({held.width(), needed.width(), roomy});
    if (width != held.width() || needed.height() != held.height())
        analysedCountLabel_->setFixedSize(width, needed.height());
    countSizedFor_ = std::max(text.size(), roomyText.size());
}

void AnalysisPanel::HighlightModeButton(int n) {
    for (int k = 1; k <= statModeCount; ++k) {
        QToolButton* b = modeButtons_[static_cast<std::size_t>(k - 1)];
        const bool current = k == n;
        if (b->property("current").isValid() && b->property("current").toBool() == current)
            continue;
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

void AnalysisPanel::Edit() {
    settings_->Edit(Controls());
}

void AnalysisPanel::OnRangeModeClicked(QCheckBox* clicked) {
    // Exactly one of the two is checked; a click on the checked one leaves it checked.
    AnalysisControls c = Controls();
    c.useRange = clicked == rangeCheck_;
    c.useLast = clicked == lastCheck_;
    settings_->Edit(c);
}

void AnalysisPanel::OnFilterModeClicked(QCheckBox* clicked) {
    // At most one of the two is checked: the clicked one keeps what the click gave it.
    AnalysisControls c = Controls();
    (clicked == followCheck_ ? c.useCroupier : c.useFollowing) = false;
    settings_->Edit(c);
}

void AnalysisPanel::OnFollowFamilyChanged() {
    // A new family starts from the empty target.
    AnalysisControls c = Controls();
    c.followEntry = 0;
    settings_->Edit(c);
}

}  // namespace spinalyst
