#pragma once

#include <QWidget>
#include <optional>

#include "core/draws/frozen_set.h"
#include "core/stats/freeze_confirm.h"
#include "core/stats/power_planner.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace spinalyst {

class GameSession;

// Freezing a set of pockets and its figures since. The set to freeze is the leading pocket
// until the player picks the leading 5-sector or types pockets of their own; the freeze itself
// is the session's, so that it goes with the game.
class FreezePanel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FreezePanel)

public:
    explicit FreezePanel(GameSession* session, QWidget* parent = nullptr);

    // The plan names the leaders to suggest; the confirmation is the frozen set's figures.
    void Show(RouletteKind kind, const PowerPlan& plan, const std::optional<FrozenSet>& freeze,
              const std::optional<Confirmation>& confirmation);
    void ApplyCaptions();

    QLineEdit* setEdit() const { return setEdit_; }

private:
    enum class Suggestion { LeadingPocket, LeadingSector, Typed };

    void Suggest(Suggestion suggestion);
    void FillSuggestion();
    void OnFreeze();

    GameSession* session_;
    RouletteKind kind_ = defaultKind;
    PowerPlan plan_;
    std::optional<FrozenSet> freeze_;
    std::optional<Confirmation> confirmation_;
    Suggestion suggestion_ = Suggestion::LeadingPocket;

    QGroupBox* box_ = nullptr;
    QLabel* setLabel_ = nullptr;
    QLineEdit* setEdit_ = nullptr;
    QPushButton* leadingPocket_ = nullptr;
    QPushButton* leadingSector_ = nullptr;
    QPushButton* freezeButton_ = nullptr;
    QPushButton* clearButton_ = nullptr;
    QLabel* message_ = nullptr;
    QLabel* frozen_ = nullptr;
    // Name and value of each figure.
    QLabel* figureNames_[6] = {};
    QLabel* figures_[6] = {};
};

}  // namespace spinalyst
