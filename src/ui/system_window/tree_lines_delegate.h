#pragma once

#include <QStyledItemDelegate>

namespace ui {

class SystemTableModel;

// The 编号 cells with the tree's lines in front, as a file manager draws folders: a line
// from each segment to its upstream row above, on through the rows of its later siblings.
// Past a few levels the indent stops growing, so that the 编号 stays in sight.
class TreeLinesDelegate : public QStyledItemDelegate {
public:
    TreeLinesDelegate(const SystemTableModel* model, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    static constexpr int maxLevels = 6;

private:
    // The cell's width taken by its lines.
    int indent(const QStyleOptionViewItem& option, const QModelIndex& index) const;

    const SystemTableModel* model_;
};

} // namespace ui
