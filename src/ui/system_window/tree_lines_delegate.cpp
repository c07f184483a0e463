#include "ui/system_window/tree_lines_delegate.h"

#include "ui/system_window/system_table_model.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace ui {

namespace {

int levelWidth(const QStyleOptionViewItem& option) {
    return option.fontMetrics.horizontalAdvance(QLatin1Char('M'));
}

} // namespace

TreeLinesDelegate::TreeLinesDelegate(const SystemTableModel* model, QObject* parent)
    : QStyledItemDelegate(parent)
    , model_(model) {}

int TreeLinesDelegate::indent(const QStyleOptionViewItem& option, const QModelIndex& index) const {
    const int levels = std::min(int(model_->treeLines(index.row()).size()), maxLevels);
    return levels * levelWidth(option);
}

void TreeLinesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const std::vector<bool>& lines = model_->treeLines(index.row());
    const int shown = std::min(int(lines.size()), maxLevels);
    // The cell's background under the lines, then the cell itself beside them.
    QStyleOptionViewItem whole = option;
    initStyleOption(&whole, index);
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &whole, painter, widget);
    QStyleOptionViewItem beside = option;
    beside.rect.setLeft(option.rect.left() + indent(option, index));
    QStyledItemDelegate::paint(painter, beside, index);
    if (shown == 0) {
        return;
    }
    const int step = levelWidth(option);
    const QRect cell = option.rect;
    const int middle = cell.center().y();
    painter->save();
    painter->setPen(QPen(option.palette.color(QPalette::Mid), 1));
    // The ancestors' levels that still fit; deeper ones fold into the last level shown,
    // whose line is dotted then.
    const auto x = [&](int level) { return cell.left() + level * step + step / 2; };
    for (int level = 0; level + 1 < shown; ++level) {
        if (lines[std::size_t(level)]) {
            painter->drawLine(x(level), cell.top(), x(level), cell.bottom());
        }
    }
    if (int(lines.size()) > maxLevels) {
        painter->setPen(QPen(option.palette.color(QPalette::Mid), 1, Qt::DotLine));
    }
    const int own = x(shown - 1);
    painter->drawLine(own, cell.top(), own, lines.back() ? cell.bottom() : middle);
    painter->drawLine(own, middle, cell.left() + shown * step, middle);
    painter->restore();
}

QSize TreeLinesDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(indent(option, index), 0);
}

// Typing into the 编号 starts beside its lines.
void TreeLinesDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
    QStyleOptionViewItem beside = option;
    beside.rect.setLeft(option.rect.left() + indent(option, index));
    QStyledItemDelegate::updateEditorGeometry(editor, beside, index);
}

} // namespace ui
