#include "ui/system_window/system_table_model.h"

#include "files/damper_suggestion.h"
#include "ui/core_text.h"
#include "ui/system_window/system_document.h"

#include <QBrush>
#include <QFont>

namespace ui {

using ductsys::Column;

namespace {

const QColor badCell(255, 200, 200);
const QColor overLimit(255, 225, 160);
const QColor criticalTint(230, 240, 255);

} // namespace

SystemTableModel::SystemTableModel(SystemDocument* document, QObject* parent)
    : QAbstractTableModel(parent)
    , document_(document) {
    connect(document_, &SystemDocument::rowsAboutToChange, this,
            &SystemTableModel::beginResetModel);
    connect(document_, &SystemDocument::rowsChanged, this, [this] {
        readOutline();
        endResetModel();
    });
    connect(document_, &SystemDocument::rowsAboutToMove, this,
            [this] { emit layoutAboutToBeChanged(); });
    connect(document_, &SystemDocument::rowsMoved, this, &SystemTableModel::followMovedRows);
    connect(document_, &SystemDocument::calculated, this, [this] {
        readOutline();
        if (rowCount() > 0) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
    });
    readOutline();
}

// The current cell, the selection and an open editor stay with their segment.
void SystemTableModel::followMovedRows(const std::vector<std::size_t>& rowOf) {
    for (const QModelIndex& old : persistentIndexList()) {
        changePersistentIndex(old, index(int(rowOf[std::size_t(old.row())]), old.column()));
    }
    readOutline();
    emit layoutChanged();
}

void SystemTableModel::readOutline() {
    treeLines_.assign(document_->segments().size(), {});
    for (ductsys::OutlineRow& row : ductsys::outline(document_->result())) {
        treeLines_[row.segment] = std::move(row.lines);
    }
}

int SystemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(document_->segments().size());
}

int SystemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ductsys::tableColumnCount;
}

QVariant SystemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    return qString(ductsys::columnHeader(section));
}

Qt::ItemFlags SystemTableModel::flags(const QModelIndex& index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() < Column::ColumnCount ? flags | Qt::ItemIsEditable : flags;
}

QVariant SystemTableModel::data(const QModelIndex& index, int role) const {
    const int row = index.row();
    const int column = index.column();
    const auto& result = document_->result().segments[std::size_t(row)];
    switch (role) {
    case Qt::DisplayRole:
        return shownText(row, column);
    case Qt::EditRole:
        return column < Column::ColumnCount ? document_->cell(row, Column(column)) : QVariant();
    case Qt::ForegroundRole:
        return foreground(row, column);
    case Qt::BackgroundRole:
        return background(row, column);
    case Qt::ToolTipRole:
        return toolTip(row, column);
    case Qt::FontRole: {
        QFont font;
        font.setBold(result.onCriticalPath);
        return result.onCriticalPath ? QVariant(font) : QVariant();
    }
    case Qt::TextAlignmentRole:
        return ductsys::tableColumn(column).alignRight
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant();
    default:
        return {};
    }
}

bool SystemTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() >= Column::ColumnCount) {
        return false;
    }
    const QString text = value.toString();
    if (text == document_->cell(index.row(), Column(index.column()))) {
        return true;
    }
    if (const auto refused = document_->setCell(index.row(), Column(index.column()), text)) {
        emit cellRefused(*refused);
        return false;
    }
    return true;
}

QString SystemTableModel::shownText(int row, int column) const {
    return qString(
        ductsys::shownText(document_->segments(), document_->result(), std::size_t(row), column));
}

// Grey for a kind taken from the segment's place, blue for a summed flow.
QVariant SystemTableModel::foreground(int row, int column) const {
    const auto& result = document_->result().segments[std::size_t(row)];
    if (column == Column::Kind && document_->cell(row, Column::Kind).trimmed().isEmpty()) {
        return QBrush(Qt::gray);
    }
    if (column == Column::Flow && result.flowIsSum) {
        return QBrush(Qt::blue);
    }
    return {};
}

QVariant SystemTableModel::background(int row, int column) const {
    const auto& result = document_->result().segments[std::size_t(row)];
    if ((result.badColumn && *result.badColumn == column) ||
        (result.warningColumn && *result.warningColumn == column)) {
        return QBrush(badCell);
    }
    if ((column == computedColumn(ductsys::Velocity) && result.overVelocity) ||
        (column == computedColumn(ductsys::Imbalance) && result.overBalance)) {
        return QBrush(overLimit);
    }
    return result.onCriticalPath ? QVariant(QBrush(criticalTint)) : QVariant();
}

QString SystemTableModel::toolTip(int row, int column) const {
    const auto& result = document_->result().segments[std::size_t(row)];
    if (result.badColumn && *result.badColumn == column) {
        return QString::fromStdString(result.problem);
    }
    if (result.warningColumn && *result.warningColumn == column) {
        return QString::fromStdString(result.warning);
    }
    if (column == Column::Id && result.upstream) {
        return QString::fromUtf8("第 %1 级，上游管段 %2")
            .arg(treeLines(row).size())
            .arg(document_->cell(int(*result.upstream), Column::Id));
    }
    if (column == computedColumn(ductsys::Velocity) && result.overVelocity) {
        return QString::fromUtf8("超过%1的最大风速 %2 m/s")
            .arg(qString(ductsys::kindName(result.kind)))
            .arg(ductsys::velocityMaxima[std::size_t(result.kind)]);
    }
    if (column == computedColumn(ductsys::Imbalance) && result.overBalance) {
        QString tip =
            QString::fromUtf8("超过平衡限值 %1 %").arg(document_->settings().balanceLimit);
        for (const ductsys::BalanceRow& branch : document_->result().balance) {
            if (branch.branch == std::size_t(row)) {
                if (const auto& damper = branch.damper) {
                    tip += QString::fromUtf8("\n需加阻力 %1 Pa，")
                               .arg(qString(ductsys::figureText(damper->pressure))) +
                           files::damperText(*damper);
                }
            }
        }
        return tip;
    }
    return {};
}

} // namespace ui
