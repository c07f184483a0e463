#pragma once

#include "calc/sizing.h"

#include <QAbstractTableModel>
#include <QFont>
#include <optional>
#include <vector>

namespace ui {

// The sizing table: one row per standard size, its texts those of the calculator's results
// with that size. Rows that break a limit are greyed; the recommended one is bold and its
// row header reads "推荐".
class SizingModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // The recommended row is shown in this font, bold.
    SizingModel(const QFont& font, QObject* parent);

    // Replaces the rows; with onlyMatching, the rows that break a limit are left out.
    void setRows(std::vector<calc::SizingRow> rows, bool onlyMatching);

    const calc::SizingRow& row(int index) const { return rows_[std::size_t(index)]; }
    std::optional<int> recommended() const { return recommended_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<calc::SizingRow> rows_;
    std::optional<int> recommended_;
    QFont bold_;
};

} // namespace ui
