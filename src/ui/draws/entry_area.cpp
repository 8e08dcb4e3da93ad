#include "ui/draws/entry_area.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "core/draws/random_batch.h"
#include "ui/common/croupier_list.h"
#include "ui/common/game_session.h"
#include "ui/common/texts.h"
#include "ui/draws/croupier_dialog.h"
#include "ui/draws/input_panel.h"

namespace spinalyst {

namespace {
// Restores the cursor whatever happens during a batch.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
}  // namespace

EntryArea::EntryArea(GameSession* session, QWidget* parent) : QWidget(parent), session_(session) {
    setFixedSize(321, 159);
    inputPanel_ = new InputPanel(this);
    inputPanel_->move(8, -2);

    croupierLabel_ = new QLabel(QStringLiteral("Croupier"), this);
    croupierLabel_->setObjectName("lbCroupier");
    croupierLabel_->move(11, 88);
    croupierList_ = new QComboBox(this);
    croupierList_->setObjectName("cbCroupiers");
    croupierList_->setEditable(true);
    croupierList_->setInsertPolicy(QComboBox::NoInsert);
    croupierList_->setMaxVisibleItems(12);
    croupierList_->setGeometry(69, 85, 157, 21);
    newCroupierButton_ = new QPushButton(QStringLiteral("&Nouveau"), this);
    newCroupierButton_->setObjectName("btCroupier");
    newCroupierButton_->setGeometry(232, 85, 83, 21);

    // The wheel row: the wheel box typed in as the croupier box, a wheel added by name, and
    // the direction of the coming spin, which alternates by itself unless told not to.
    wheelLabel_ = new QLabel(QStringLiteral("Roue"), this);
    wheelLabel_->setObjectName("lbWheel");
    wheelLabel_->move(11, 113);
    wheelList_ = new QComboBox(this);
    wheelList_->setObjectName("cbWheels");
    wheelList_->setEditable(true);
    wheelList_->setInsertPolicy(QComboBox::NoInsert);
    wheelList_->setMaxVisibleItems(12);
    wheelList_->setGeometry(69, 110, 101, 21);
    newWheelButton_ = new QPushButton(QStringLiteral("+"), this);
    newWheelButton_->setObjectName("btWheel");
    newWheelButton_->setGeometry(173, 110, 22, 21);
    directionButton_ = new QPushButton(this);
    directionButton_->setObjectName("btDirection");
    directionButton_->setGeometry(198, 110, 34, 21);
    // The keyboard stays with draw entry: Enter must never press it.
    directionButton_->setFocusPolicy(Qt::NoFocus);
    alternateCheck_ = new QCheckBox(QStringLiteral("Alterner"), this);
    alternateCheck_->setObjectName("cbAlternate");
    alternateCheck_->setFocusPolicy(Qt::NoFocus);
    alternateCheck_->setGeometry(237, 110, 80, 21);
    alternateCheck_->setChecked(session_->game().alternating());

    randomButton_ = new QPushButton(QStringLiteral("Tirage(s) aléatoire(s)"), this);
    randomButton_->setObjectName("btRandom");
    randomButton_->setGeometry(8, 135, 131, 21);
    randomCountEdit_ = new QSpinBox(this);
    randomCountEdit_->setObjectName("seNbRand");
    randomCountEdit_->setRange(1, maxRandomBatch);
    randomCountEdit_->setValue(1);
    randomCountEdit_->setGeometry(145, 134, 81, 22);
    undoButton_ = new QPushButton(QStringLiteral("Undo"), this);
    undoButton_->setObjectName("btnUndo");
    undoButton_->setGeometry(232, 135, 83, 21);

    connect(inputPanel_, &InputPanel::pocketClicked, session_, &GameSession::AddDraw);
    const auto rebuildPanel = [this] { inputPanel_->BuildInputPanel(session_->kind()); };
    connect(session_, &GameSession::gameReset, this, rebuildPanel);
    connect(session_, &GameSession::gameReplaced, this, rebuildPanel);
    connect(newCroupierButton_, &QPushButton::clicked, this, &EntryArea::AddCroupier);
    connect(session_, &GameSession::croupiersChanged, this, &EntryArea::FillCroupierList);
    // Only the user's edits choose a croupier; the program's own changes are blocked.
    connect(croupierList_, &QComboBox::currentTextChanged, this, &EntryArea::SelectCroupier);
    connect(newWheelButton_, &QPushButton::clicked, this, &EntryArea::AddWheel);
    connect(session_, &GameSession::wheelsChanged, this, &EntryArea::FillWheelList);
    connect(wheelList_, &QComboBox::currentTextChanged, this, &EntryArea::SelectWheel);
    connect(directionButton_, &QPushButton::clicked, this, &EntryArea::CycleDirection);
    connect(session_, &GameSession::currentDirectionChanged, this, &EntryArea::ShowDirection);
    connect(alternateCheck_, &QCheckBox::toggled, session_, &GameSession::SetAlternating);
    connect(randomButton_, &QPushButton::clicked, this, &EntryArea::DrawRandomBatch);
    connect(undoButton_, &QPushButton::clicked, session_, &GameSession::UndoDraw);
    FillCroupierList();
    FillWheelList();
    ShowDirection();
}

void EntryArea::ApplyCaptions() {
    croupierLabel_->setText(Text(TextId::Croupier));
    croupierLabel_->adjustSize();
    newCroupierButton_->setText(Text(TextId::NewCroupierButton));
    wheelLabel_->setText(Text(TextId::WheelLabel));
    wheelLabel_->adjustSize();
    newWheelButton_->setToolTip(Text(TextId::NewWheelTip));
    alternateCheck_->setText(Text(TextId::AlternateCaption));
    alternateCheck_->setToolTip(Text(TextId::AlternateTip));
    ShowDirection();
    randomButton_->setText(Text(TextId::RandomDraws));
    undoButton_->setText(Text(TextId::Undo));
}

void EntryArea::FillCroupierList() {
    FillCroupierBox(croupierList_, session_->croupiers());
}

void EntryArea::FillWheelList() {
    FillWheelBox(wheelList_, session_->wheels());
}

void EntryArea::AddWheel() {
    const auto name = CroupierDialog::AskName(window(), TextId::NewWheelTitle);
    if (!name) return;
    if (session_->AddWheel(*name) == 0) return;
    if (session_->wheels().lastSaveFailed()) emit problem(Text(TextId::WheelFileNotWritten));
    const QSignalBlocker blocker(wheelList_);
    wheelList_->setEditText(*name);
}

void EntryArea::SelectWheel(const QString& text) {
    session_->SetCurrentWheel(session_->wheels().WheelIndex(text.toStdString()).value_or(0));
}

void EntryArea::CycleDirection() {
    switch (session_->game().currentDirection()) {
        case SpinDirection::Unknown:
            session_->SetCurrentDirection(SpinDirection::Clockwise);
            break;
        case SpinDirection::Clockwise:
            session_->SetCurrentDirection(SpinDirection::Anticlockwise);
            break;
        case SpinDirection::Anticlockwise:
            session_->SetCurrentDirection(SpinDirection::Unknown);
            break;
    }
}

void EntryArea::ShowDirection() {
    const SpinDirection d = session_->game().currentDirection();
    // The arrows turn as the ball does; a dash while no direction is noted.
    directionButton_->setText(d == SpinDirection::Clockwise       ? QStringLiteral("\u21bb")
                              : d == SpinDirection::Anticlockwise ? QStringLiteral("\u21ba")
                                                                  : QStringLiteral("\u2013"));
    const TextId now = d == SpinDirection::Clockwise       ? TextId::Clockwise
                       : d == SpinDirection::Anticlockwise ? TextId::Anticlockwise
                                                           : TextId::DirectionUnknown;
    directionButton_->setToolTip(Text(now) + "\n" + Text(TextId::DirectionButtonTip));
}

void EntryArea::AddCroupier() {
    const auto name = CroupierDialog::AskName(window());
    if (!name) return;
    session_->AddCroupier(*name);
    // Kept in memory either way; the user must know it will not survive a restart.
    if (session_->croupiers().lastSaveFailed()) emit problem(Text(TextId::CroupierFileNotWritten));
    // Shows what was typed, even beyond the 20 characters kept; the croupier is already set.
    const QSignalBlocker blocker(croupierList_);
    croupierList_->setEditText(*name);
}

void EntryArea::SelectCroupier(const QString& text) {
    session_->SetCurrentCroupier(
        session_->croupiers().CroupierIndex(text.toStdString()).value_or(0));
}

void EntryArea::DrawRandomBatch() {
    // The file source is stored but not read: say so rather than draw nothing in silence.
    if (session_->game().randomSource() != randomFromProgram) {
        emit problem(Text(TextId::RandomSourceIsFile));
        return;
    }
    const WaitCursor wait;
    {
        // Random draws carry no croupier; the box stays empty after the batch.
        const QSignalBlocker blocker(croupierList_);
        croupierList_->setCurrentIndex(0);
        croupierList_->setEditText(QString());
    }
    session_->DrawRandomBatch(randomCountEdit_->value());
}

}  // namespace spinalyst
