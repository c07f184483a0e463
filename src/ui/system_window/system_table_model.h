#pragma once

#include "system/system_table.h"

#include <QAbstractTableModel>

namespace ui {

class SystemDocument;

// The duct system as a table: one row per segment in the document's order, which is the tree's,
// the input cells as typed (editable; each edit is an undo step), then the computed figures,
// read only.
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

    // The tree lines in front of a row's 编号, one per level below the top.
    const std::vector<bool>& treeLines(int row) const { return treeLines_[std::size_t(row)]; }

signals:
    // A typed cell was not taken, for the reason given.
    void cellRefused(const QString& reason);

private:
    void followMovedRows(const std::vector<std::size_t>& rowOf);
    void readOutline();
    QString shownText(int row, int column) const;
    QVariant foreground(int row, int column) const;
    QVariant background(int row, int column) const;
    QString toolTip(int row, int column) const;

    SystemDocument* document_;
    std::vector<std::vector<bool>> treeLines_;
};

} // namespace ui
