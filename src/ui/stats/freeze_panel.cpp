#include "ui/stats/freeze_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/game_session.h"
#include "ui/common/texts.h"
#include "ui/stats/play_texts.h"

namespace spinalyst {

namespace {
// The figures' names and the objectNames of their values, in their order on the page.
constexpr TextId figureNameIds[] = {TextId::FigureDraws,  TextId::FigureHits,
                                    TextId::FigureP,      TextId::FigureEvidence,
                                    TextId::FigureReturn, TextId::FigureKelly};
constexpr const char* figureObjectNames[] = {"lbFrozenDraws",    "lbFrozenHits",   "lbFrozenP",
                                             "lbFrozenEvidence", "lbFrozenReturn", "lbFrozenKelly"};
constexpr int figureCount = 6;
}  // namespace

FreezePanel::FreezePanel(GameSession* session, QWidget* parent)
    : QWidget(parent), session_(session) {
    box_ = new QGroupBox(this);
    box_->setObjectName("gbFreeze");
    setLabel_ = new QLabel(box_);
    setEdit_ = new QLineEdit(box_);
    setEdit_->setObjectName("edFreezeSet");
    setLabel_->setBuddy(setEdit_);
    leadingPocket_ = new QPushButton(box_);
    leadingPocket_->setObjectName("btnLeadingPocket");
    leadingSector_ = new QPushButton(box_);
    leadingSector_->setObjectName("btnLeadingSector");
    freezeButton_ = new QPushButton(box_);
    freezeButton_->setObjectName("btnFreeze");
    clearButton_ = new QPushButton(box_);
    clearButton_->setObjectName("btnClearFreeze");
    message_ = new QLabel(box_);
    message_->setObjectName("lbFreezeMessage");
    message_->setWordWrap(true);
    message_->setStyleSheet("color: rgb(192, 0, 0)");
    message_->hide();
    frozen_ = new QLabel(box_);
    frozen_->setObjectName("lbFrozen");
    frozen_->setWordWrap(true);

    auto* controls = new QHBoxLayout;
    controls->addWidget(setLabel_);
    controls->addWidget(setEdit_, 1);
    controls->addWidget(leadingPocket_);
    controls->addWidget(leadingSector_);
    controls->addWidget(freezeButton_);
    controls->addWidget(clearButton_);
    // Two columns of figures, each a name and its value.
    auto* figures = new QGridLayout;
    figures->setHorizontalSpacing(12);
    for (int i = 0; i < figureCount; ++i) {
        figureNames_[i] = new QLabel(box_);
        figures_[i] = new QLabel(box_);
        figures_[i]->setObjectName(figureObjectNames[i]);
        figures_[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int row = i % 3, column = i / 3 * 2;
        figures->addWidget(figureNames_[i], row, column);
        figures->addWidget(figures_[i], row, column + 1);
    }
    figures->setColumnStretch(1, 1);
    figures->setColumnStretch(3, 2);
    auto* inBox = new QVBoxLayout(box_);
    inBox->addLayout(controls);
    inBox->addWidget(message_);
    inBox->addWidget(frozen_);
    inBox->addLayout(figures);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(box_);

    connect(leadingPocket_, &QPushButton::clicked, this,
            [this] { Suggest(Suggestion::LeadingPocket); });
    connect(leadingSector_, &QPushButton::clicked, this,
            [this] { Suggest(Suggestion::LeadingSector); });
    connect(setEdit_, &QLineEdit::textEdited, this, [this] {
        suggestion_ = Suggestion::Typed;
        message_->hide();
    });
    connect(setEdit_, &QLineEdit::returnPressed, this, &FreezePanel::OnFreeze);
    connect(freezeButton_, &QPushButton::clicked, this, &FreezePanel::OnFreeze);
    connect(clearButton_, &QPushButton::clicked, this, [this] {
        if (session_) session_->ClearFreeze();
    });
    ApplyCaptions();
}

void FreezePanel::ApplyCaptions() {
    box_->setTitle(Text(TextId::FreezeGroup));
    setLabel_->setText(Text(TextId::FreezeSetLabel));
    leadingPocket_->setText(Text(TextId::LeadingPocketButton));
    leadingSector_->setText(Text(TextId::LeadingSectorButton));
    freezeButton_->setText(Text(TextId::FreezeButton));
    clearButton_->setText(Text(TextId::ClearFreezeButton));
    message_->setText(Text(TextId::FreezeSetInvalid));
    for (int i = 0; i < figureCount; ++i) figureNames_[i]->setText(Text(figureNameIds[i]));
    Show(kind_, plan_, freeze_, confirmation_);
}

void FreezePanel::Show(RouletteKind kind, const PowerPlan& plan,
                       const std::optional<FrozenSet>& freeze,
                       const std::optional<Confirmation>& confirmation) {
    if (kind != kind_) suggestion_ = Suggestion::LeadingPocket;
    kind_ = kind;
    plan_ = plan;
    freeze_ = freeze;
    confirmation_ = confirmation;
    FillSuggestion();
    const bool hasDraws = plan.drawCount > 0;
    freezeButton_->setEnabled(session_ != nullptr &&
                              (hasDraws || suggestion_ == Suggestion::Typed));
    leadingPocket_->setEnabled(hasDraws);
    leadingSector_->setEnabled(hasDraws);
    clearButton_->setEnabled(session_ != nullptr && freeze.has_value());

    std::optional<ConfirmationTexts> words;
    if (freeze && confirmation) words = ConfirmationWords(*freeze, *confirmation);
    frozen_->setText(words ? words->frozen : Text(TextId::NothingFrozen));
    const QString values[figureCount] = {
        words ? words->draws : QString(), words ? words->hits : QString(),
        words ? words->p : QString(),     words ? words->evidence : QString(),
        words ? words->ret : QString(),   words ? words->kelly : QString()};
    for (int i = 0; i < figureCount; ++i) {
        figures_[i]->setText(values[i]);
        figureNames_[i]->setVisible(words.has_value());
        figures_[i]->setVisible(words.has_value());
    }
}

void FreezePanel::Suggest(Suggestion suggestion) {
    suggestion_ = suggestion;
    message_->hide();
    FillSuggestion();
}

void FreezePanel::FillSuggestion() {
    if (suggestion_ == Suggestion::Typed) return;
    // The first size is the single pocket, the third the sector of 5.
    const std::size_t at = suggestion_ == Suggestion::LeadingPocket ? 0 : 2;
    const QString text = at < plan_.sizes.size() ? SetText(plan_.sizes[at].leader) : QString();
    if (setEdit_->text() != text) setEdit_->setText(text);
}

void FreezePanel::OnFreeze() {
    if (!session_) return;
    const auto pockets = ParsePocketList(setEdit_->text().toStdString(), kind_);
    if (!pockets || !session_->FreezePockets(*pockets)) {
        message_->show();
        return;
    }
    message_->hide();
}

}  // namespace spinalyst
