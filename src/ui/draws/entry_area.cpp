#include "ui/draws/entry_area.h"

#include <QApplication>
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
    setFixedSize(321, 134);
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

    randomButton_ = new QPushButton(QStringLiteral("Tirage(s) aléatoire(s)"), this);
    randomButton_->setObjectName("btRandom");
    randomButton_->setGeometry(8, 110, 131, 21);
    randomCountEdit_ = new QSpinBox(this);
    randomCountEdit_->setObjectName("seNbRand");
    randomCountEdit_->setRange(1, maxRandomBatch);
    randomCountEdit_->setValue(1);
    randomCountEdit_->setGeometry(145, 109, 81, 22);
    undoButton_ = new QPushButton(QStringLiteral("Undo"), this);
    undoButton_->setObjectName("btnUndo");
    undoButton_->setGeometry(232, 110, 83, 21);

    connect(inputPanel_, &InputPanel::pocketClicked, session_, &GameSession::AddDraw);
    const auto rebuildPanel = [this] { inputPanel_->BuildInputPanel(session_->kind()); };
    connect(session_, &GameSession::gameReset, this, rebuildPanel);
    connect(session_, &GameSession::gameReplaced, this, rebuildPanel);
    connect(newCroupierButton_, &QPushButton::clicked, this, &EntryArea::AddCroupier);
    connect(session_, &GameSession::croupiersChanged, this, &EntryArea::FillCroupierList);
    // Only the user's edits choose a croupier; the program's own changes are blocked.
    connect(croupierList_, &QComboBox::currentTextChanged, this, &EntryArea::SelectCroupier);
    connect(randomButton_, &QPushButton::clicked, this, &EntryArea::DrawRandomBatch);
    connect(undoButton_, &QPushButton::clicked, session_, &GameSession::UndoDraw);
    FillCroupierList();
}

void EntryArea::ApplyCaptions() {
    croupierLabel_->setText(Text(TextId::Croupier));
    croupierLabel_->adjustSize();
    newCroupierButton_->setText(Text(TextId::NewCroupierButton));
    randomButton_->setText(Text(TextId::RandomDraws));
    undoButton_->setText(Text(TextId::Undo));
}

void EntryArea::FillCroupierList() {
    FillCroupierBox(croupierList_, session_->croupiers());
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
