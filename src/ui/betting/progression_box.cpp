#include "ui/betting/progression_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/betting/money.h"
#include "core/betting/table_plan.h"
#include "ui/common/app_settings.h"
#include "ui/common/format.h"
#include "ui/common/game_session.h"
#include "ui/common/look.h"
#include "ui/common/texts.h"

namespace spinalyst {

namespace {

// Rows packed close: below them the state of the session needs four lines at the
// window's smallest height.
constexpr int fieldHeight = 19;

TextId EndText(SessionEnd end) {
    switch (end) {
        case SessionEnd::Win:
            return TextId::PlanEndWin;
        case SessionEnd::Loss:
            return TextId::PlanEndLoss;
        case SessionEnd::Ruin:
            return TextId::PlanEndRuin;
        case SessionEnd::Limit:
            return TextId::PlanEndLimit;
        default:
            return TextId::PlanEndSpins;
    }
}

TextId ErrorText(PlanError error) {
    switch (error) {
        case PlanError::NoBets:
        case PlanError::BadBet:
            return TextId::PlanErrorNoBets;
        case PlanError::BadLine:
        case PlanError::BadSequence:
            return TextId::PlanErrorEntries;
        case PlanError::BadAmount:
        case PlanError::BadMaxSpins:
            return TextId::PlanErrorAmount;
        case PlanError::LaPartageNotFrench:
            return TextId::PlanErrorLaPartage;
        case PlanError::BaseAboveTableMax:
            return TextId::PlanErrorBaseAboveMax;
        case PlanError::StartAboveTableMax:
            return TextId::PlanErrorStartAboveMax;
        case PlanError::BankrollBelowFirstStake:
            return TextId::PlanErrorBankroll;
    }
    return TextId::PlanErrorAmount;
}

}  // namespace

ProgressionBox::ProgressionBox(GameSession* session, AppSettings* settings, QWidget* parent)
    : QGroupBox(parent), session_(session), settings_(settings) {
    setObjectName("gbProgression");
    setFont(FaceAtPixels(11));
    progression_ = new QComboBox(this);
    progression_->setObjectName("cbProgression");
    for (int i = 0; i <= static_cast<int>(allProgressions.size()); ++i) progression_->addItem({});
    entries_ = new QLineEdit(this);
    entries_->setObjectName("edProgressionEntries");
    advanceOn_ = new QComboBox(this);
    advanceOn_->setObjectName("cbAdvanceOn");
    advanceOn_->addItem({});
    advanceOn_->addItem({});
    bankrollCaption_ = new QLabel(this);
    bankroll_ = AmountEdit("edBankroll");
    tableMaxCaption_ = new QLabel(this);
    tableMax_ = AmountEdit("edTableMax");
    atLimit_ = new QComboBox(this);
    atLimit_->setObjectName("cbAtLimit");
    for (int i = 0; i < 3; ++i) atLimit_->addItem({});
    stopWinCaption_ = new QLabel(this);
    stopWin_ = AmountEdit("edStopWin");
    stopLossCaption_ = new QLabel(this);
    stopLoss_ = AmountEdit("edStopLoss");
    laPartage_ = new QCheckBox(this);
    laPartage_->setObjectName("cbLaPartage");
    start_ = new QPushButton(this);
    start_->setObjectName("btStartSession");
    stop_ = new QPushButton(this);
    stop_->setObjectName("btStopPlan");
    state_ = new QLabel(this);
    state_->setObjectName("lbPlanState");
    state_->setWordWrap(true);
    state_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    state_->setTextFormat(Qt::PlainText);
    for (QWidget* w : std::initializer_list<QWidget*>{progression_, entries_, advanceOn_, atLimit_,
                                                      start_, stop_})
        w->setFixedHeight(fieldHeight + 2);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 0, 4, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(0);
    grid->addWidget(progression_, 0, 0, 1, 2);
    grid->addWidget(entries_, 1, 0);
    grid->addWidget(advanceOn_, 1, 1);
    grid->addWidget(bankrollCaption_, 2, 0);
    grid->addWidget(bankroll_, 2, 1);
    grid->addWidget(tableMaxCaption_, 3, 0);
    grid->addWidget(tableMax_, 3, 1);
    grid->addWidget(atLimit_, 4, 0, 1, 2);
    grid->addWidget(stopWinCaption_, 5, 0);
    grid->addWidget(stopWin_, 5, 1);
    grid->addWidget(stopLossCaption_, 6, 0);
    grid->addWidget(stopLoss_, 6, 1);
    grid->addWidget(laPartage_, 7, 0, 1, 2);
    grid->addWidget(start_, 8, 0);
    grid->addWidget(stop_, 8, 1);
    grid->addWidget(state_, 9, 0, 1, 2);
    grid->setRowStretch(9, 1);

    LoadSettings();
    ApplyCaptions();

    const auto edited = [this] {
        problem_.clear();
        ShowEntriesFor();
        SaveSettings();
        ShowState();
    };
    for (QComboBox* box : {progression_, advanceOn_, atLimit_})
        connect(box, &QComboBox::currentIndexChanged, this, edited);
    for (QLineEdit* edit : {entries_, bankroll_, tableMax_, stopWin_, stopLoss_})
        connect(edit, &QLineEdit::editingFinished, this, edited);
    connect(laPartage_, &QCheckBox::toggled, this, edited);
    connect(settings_, &AppSettings::planChanged, this, &ProgressionBox::OnPlanChanged);
    connect(start_, &QPushButton::clicked, this, &ProgressionBox::OnStart);
    connect(stop_, &QPushButton::clicked, this, [this] {
        problem_.clear();
        session_->StopPlan();
    });
}

QLineEdit* ProgressionBox::AmountEdit(const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedHeight(fieldHeight);
    edit->setMaximumWidth(100);
    return edit;
}

void ProgressionBox::ApplyCaptions() {
    setTitle(Text(TextId::ProgressionTitle));
    progression_->setItemText(0, Text(TextId::ProgressionNone));
    for (std::size_t i = 0; i < allProgressions.size(); ++i)
        progression_->setItemText(static_cast<int>(i) + 1, ProgressionCaption(allProgressions[i]));
    advanceOn_->setItemText(0, Text(TextId::AdvanceOnLoss));
    advanceOn_->setItemText(1, Text(TextId::AdvanceOnWin));
    bankrollCaption_->setText(Text(TextId::BankrollCaption));
    tableMaxCaption_->setText(Text(TextId::TableMaxCaption));
    atLimit_->setItemText(0, Text(TextId::AtLimitReset));
    atLimit_->setItemText(1, Text(TextId::AtLimitCap));
    atLimit_->setItemText(2, Text(TextId::AtLimitStop));
    stopWinCaption_->setText(Text(TextId::StopWinCaption));
    stopLossCaption_->setText(Text(TextId::StopLossCaption));
    laPartage_->setText(Text(TextId::LaPartageCaption));
    start_->setText(Text(TextId::StartSession));
    stop_->setText(Text(TextId::StopPlan));
    ShowState();
}

void ProgressionBox::LoadSettings() {
    const PlanSettings s = settings_->plan();
    shown_ = s;
    const QSignalBlocker blockers[] = {QSignalBlocker(progression_), QSignalBlocker(advanceOn_),
                                       QSignalBlocker(atLimit_), QSignalBlocker(laPartage_)};
    progression_->setCurrentIndex(s.progression ? static_cast<int>(*s.progression) + 1 : 0);
    heldEntries_ = s.entries;
    advanceOn_->setCurrentIndex(s.entries.advanceOn == AdvanceOn::Win ? 1 : 0);
    bankroll_->setText(AmountFieldText(s.rules.bankroll));
    tableMax_->setText(AmountFieldText(s.rules.tableMax));
    atLimit_->setCurrentIndex(static_cast<int>(s.rules.atLimit));
    stopWin_->setText(AmountFieldText(s.rules.stopWin));
    stopLoss_->setText(AmountFieldText(s.rules.stopLoss));
    laPartage_->setChecked(s.rules.laPartage);
    ShowEntriesFor();
}

void ProgressionBox::ShowEntriesFor() {
    // One field serves the line and the sequence: each keeps its own entries.
    const int index = progression_->currentIndex();
    const auto kind = index > 0
                          ? std::optional(allProgressions[static_cast<std::size_t>(index - 1)])
                          : std::nullopt;
    const bool line = kind == Progression::Labouchere;
    const bool sequence = kind == Progression::Sequence;
    const QString shown =
        QString::fromStdString(EntriesText(sequence ? heldEntries_.sequence : heldEntries_.line));
    if (entries_->property("forSequence").toBool() != sequence || entries_->text().isEmpty())
        entries_->setText(shown);
    entries_->setProperty("forSequence", sequence);
    entries_->setVisible(line || sequence);
    advanceOn_->setVisible(sequence);
}

std::optional<PlanSettings> ProgressionBox::ReadBox() {
    PlanSettings s = settings_->plan();
    const int index = progression_->currentIndex();
    s.progression = index > 0 ? std::optional(allProgressions[static_cast<std::size_t>(index - 1)])
                              : std::nullopt;
    s.entries = heldEntries_;
    if (s.progression == Progression::Labouchere || s.progression == Progression::Sequence) {
        const auto entries = ParseEntries(entries_->text().toStdString());
        if (!entries) {
            problem_ = Text(TextId::PlanErrorEntries);
            return std::nullopt;
        }
        (s.progression == Progression::Sequence ? s.entries.sequence : s.entries.line) = *entries;
    }
    s.entries.advanceOn = advanceOn_->currentIndex() == 1 ? AdvanceOn::Win : AdvanceOn::Loss;
    const std::pair<QLineEdit*, std::optional<Cents>*> amounts[] = {{bankroll_, &s.rules.bankroll},
                                                                    {tableMax_, &s.rules.tableMax},
                                                                    {stopWin_, &s.rules.stopWin},
                                                                    {stopLoss_, &s.rules.stopLoss}};
    for (const auto& [edit, value] : amounts) {
        const auto read = ReadAmountField(edit->text());
        if (!read) {
            problem_ = Text(TextId::PlanErrorAmount);
            return std::nullopt;
        }
        *value = *read;
    }
    s.rules.atLimit = static_cast<AtLimit>(atLimit_->currentIndex());
    s.rules.laPartage = laPartage_->isChecked();
    return s;
}

void ProgressionBox::SaveSettings() {
    const auto s = ReadBox();
    if (!s) return;
    heldEntries_ = s->entries;
    shown_ = *s;
    settings_->SetPlan(*s);
}

void ProgressionBox::OnPlanChanged() {
    // The box's own edits come back unchanged; a plan opened elsewhere is shown.
    const PlanSettings s = settings_->plan();
    if (s.progression == shown_.progression && s.entries == shown_.entries &&
        s.rules == shown_.rules)
        return;
    problem_.clear();
    entries_->clear();
    LoadSettings();
    ShowState();
}

void ProgressionBox::OnStart() {
    problem_.clear();
    const auto s = ReadBox();
    if (s && s->progression) {
        ProgressionSettings progression = s->entries;
        progression.kind = *s->progression;
        if (const auto error =
                session_->StartPlan(progression, RulesForKind(s->rules, session_->kind())))
            problem_ = Text(ErrorText(*error));
    }
    ShowState();
}

void ProgressionBox::ShowState() {
    const LivePlay& live = session_->ledger().live();
    const bool running = live.running();
    const bool chosen = progression_->currentIndex() > 0;
    start_->setEnabled(chosen && !running);
    stop_->setEnabled(live.active());
    laPartage_->setEnabled(session_->kind() == RouletteKind::French);
    for (QWidget* w : std::initializer_list<QWidget*>{progression_, entries_, advanceOn_, bankroll_,
                                                      tableMax_, atLimit_, stopWin_, stopLoss_})
        w->setEnabled(!running);
    QString text = problem_;
    if (text.isEmpty() && live.session()) {
        const StrategySession& s = *live.session();
        if (running) {
            text = TextWith(TextId::PlanNextSpin, QString::number(s.units()),
                            AmountText(s.nextStake()));
            // The session's balance only when no bankroll tells it: the box has room for
            // three lines.
            if (const auto left = s.bankrollLeft())
                text += '\n' + TextWith(TextId::PlanBankrollLeft, AmountText(*left));
            else
                text += '\n' + TextWith(TextId::PlanSessionBalance, AmountText(s.balance()));
        } else {
            text = Text(EndText(s.end())) + '\n' +
                   TextWith(TextId::PlanSessionBalance, AmountText(s.balance())) + '\n' +
                   Text(TextId::PlanWaiting);
        }
    }
    state_->setText(text);
}

}  // namespace spinalyst
