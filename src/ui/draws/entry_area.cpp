#include "draws/entry_area.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/game_session.h"
#include "app/texts.h"
#include "draws/croupier_dialog.h"
#include "draws/croupier_list.h"
#include "draws/input_panel.h"
#include "draws/random_batch.h"

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
    pnlSaisie = new InputPanel(this);
    pnlSaisie->move(8, -2);

    lbCroupier = new QLabel(QStringLiteral("Croupier"), this);
    lbCroupier->setObjectName("lbCroupier");
    lbCroupier->move(11, 88);
    cbCroupiers = new QComboBox(this);
    cbCroupiers->setObjectName("cbCroupiers");
    cbCroupiers->setEditable(true);
    cbCroupiers->setInsertPolicy(QComboBox::NoInsert);
    cbCroupiers->setMaxVisibleItems(12);
    cbCroupiers->setGeometry(69, 85, 157, 21);
    btCroupier = new QPushButton(QStringLiteral("&Nouveau"), this);
    btCroupier->setObjectName("btCroupier");
    btCroupier->setGeometry(232, 85, 83, 21);

    btRandom = new QPushButton(QStringLiteral("Tirage(s) aléatoire(s)"), this);
    btRandom->setObjectName("btRandom");
    btRandom->setGeometry(8, 110, 131, 21);
    seNbRand = new QSpinBox(this);
    seNbRand->setObjectName("seNbRand");
    seNbRand->setRange(1, maxRandomBatch);
    seNbRand->setValue(1);
    seNbRand->setGeometry(145, 109, 81, 22);
    btnUndo = new QPushButton(QStringLiteral("Undo"), this);
    btnUndo->setObjectName("btnUndo");
    btnUndo->setGeometry(232, 110, 83, 21);

    connect(pnlSaisie, &InputPanel::pocketClicked, session_, &GameSession::AddDraw);
    connect(session_, &GameSession::gameReset, this,
            [this] { pnlSaisie->BuildInputPanel(session_->kind()); });
    connect(btCroupier, &QPushButton::clicked, this, &EntryArea::AddCroupier);
    // Only the user's edits choose a croupier; the program's own changes are blocked.
    connect(cbCroupiers, &QComboBox::currentTextChanged, this, &EntryArea::SelectCroupier);
    connect(btRandom, &QPushButton::clicked, this, &EntryArea::DrawRandomBatch);
    connect(btnUndo, &QPushButton::clicked, session_, &GameSession::UndoDraw);
    FillCroupierList();
}

void EntryArea::ApplyCaptions() {
    lbCroupier->setText(Text(TextId::Croupier));
    lbCroupier->adjustSize();
    btCroupier->setText(Text(TextId::NewCroupierButton));
    btRandom->setText(Text(TextId::RandomDraws));
    btnUndo->setText(Text(TextId::Undo));
}

void EntryArea::FillCroupierList() {
    FillCroupierBox(cbCroupiers, session_->croupiers());
}

void EntryArea::AddCroupier() {
    const auto name = TdlgNewCroupier::AskName(window());
    if (!name) return;
    session_->AddCroupier(*name);
    // Kept in memory either way; the user must know it will not survive a restart.
    if (session_->croupiers().lastSaveFailed()) emit problem(Text(TextId::CroupierFileNotWritten));
    FillCroupierList();
    // Shows what was typed, even beyond the 20 characters kept; the croupier is already set.
    const QSignalBlocker blocker(cbCroupiers);
    cbCroupiers->setEditText(*name);
}

void EntryArea::SelectCroupier(const QString& text) {
    session_->game().SetCurrentCroupier(
        session_->croupiers().CroupierIndex(text.toStdString()).value_or(0));
}

void EntryArea::DrawRandomBatch() {
    const WaitCursor wait;
    {
        // Random draws carry no croupier; the box stays empty after the batch.
        const QSignalBlocker blocker(cbCroupiers);
        cbCroupiers->setCurrentIndex(0);
        cbCroupiers->setEditText(QString());
    }
    session_->DrawRandomBatch(seNbRand->value());
}

}  // namespace spinalyst
