#pragma once

#include "system/system_table.h"

#include <QAbstractTableModel>

namespace ui {

class SystemDocument;

// The duct system as a table: one row per segment in the document's order, the input cells as
// typed (editable; each edit is an undo step), then the computed figures, read only.
class SystemTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using Computed = ductsys::Computed;
    static constexpr int computedColumn(Computed computed) {
        return ductsys::computedColumn(computed);
    }

    explicit SystemTableModel(SystemDocument* document, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    QString shownText(int row, int column) const;
    QVariant foreground(int row, int column) const;
    QVariant background(int row, int column) const;
    QString toolTip(int row, int column) const;

    SystemDocument* document_;
};

} // namespace ui
