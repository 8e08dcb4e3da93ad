#pragma once

#include <QStringList>
#include <array>
#include <optional>
#include <vector>

#include "core/stats/slot_stats.h"
#include "ui/stats/captioned_model.h"

namespace spinalyst {

// One grid of the wheel page: a few key columns (a distance, an interval's gap, or the five
// pockets of a neighbourhood), then hits, current wait and longest wait. Rows stay in the
// order of what they stand for; the grid's proxy sorts them, so each row keeps its own
// figures whatever the user's sort.
class WheelGridModel final : public CaptionedModel {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WheelGridModel)

public:
    // The numbers a proxy sorts by: the key itself, or the figure.
    static constexpr int sortRole = Qt::UserRole;
    static constexpr int maxKeyColumns = 5;

    struct Row {
        // What the row stands for (distance, interval or pocket); rows come in its order.
        int id = 0;
        std::array<int, maxKeyColumns> keys{};
        // Empty cells until the first refresh of the game.
        std::optional<SlotStats> figures;
    };

    struct Layout {
        int keyColumns = 1;
        // Keys are pockets, shown as the table names them ("00").
        bool pocketKeys = false;
        // No hits and no longest wait show as an empty cell rather than "0".
        bool blankZeros = false;
        // A key column drawn bold in its pocket's colour, or -1.
        int pocketColumn = -1;
    };

    explicit WheelGridModel(Layout layout, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Rows whose id is gone leave, new ids come in at their place, and the others take their
    // new figures where they are, so the view keeps its selection and scroll position.
    void SetRows(std::vector<Row> rows);
    const Row& row(int r) const { return rows_[static_cast<std::size_t>(r)]; }

private:
    Layout layout_;
    std::vector<Row> rows_;
};

}  // namespace spinalyst
