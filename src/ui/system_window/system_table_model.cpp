#include "ui/system_window/system_table_model.h"

#include "calc/number_text.h"
#include "calc/sizing.h"
#include "ui/core_text.h"
#include "ui/system_window/system_document.h"

#include <QBrush>
#include <QFont>
#include <array>

namespace ui {

using ductsys::Column;

namespace {

constexpr std::array<const char*, Column::ColumnCount> inputHeaders{
    "编号", "上游管段", "类型", "风量 m3/h", "长度 m", "形状", "尺寸", "Σζ", "末端阻力 Pa", "备注"};
constexpr std::array<const char*, SystemTableModel::ComputedCount> computedHeaders{
    "当量直径 m",    "风速 m/s",    "比摩阻 Pa/m", "动压 Pa",   "摩擦阻力 R·L Pa",
    "局部阻力 Z Pa", "管段阻力 Pa", "累计阻力 Pa", "不平衡率 %"};

// A figure as the calculator's tables show it.
QString figureText(float value) {
    return qString(calc::cellText(calc::formatResult(value), ""));
}

const QColor badCell(255, 200, 200);
const QColor overLimit(255, 225, 160);
const QColor criticalTint(230, 240, 255);

} // namespace

int SystemTableModel::computedColumn(Computed computed) {
    return int(Column::ColumnCount) + int(computed);
}

SystemTableModel::SystemTableModel(SystemDocument* document, QObject* parent)
    : QAbstractTableModel(parent)
    , document_(document) {
    connect(document_, &SystemDocument::rowsAboutToChange, this,
            &SystemTableModel::beginResetModel);
    connect(document_, &SystemDocument::rowsChanged, this, &SystemTableModel::endResetModel);
    connect(document_, &SystemDocument::calculated, this, [this] {
        if (rowCount() > 0) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
    });
}

int SystemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(document_->segments().size());
}

int SystemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(Column::ColumnCount) + int(ComputedCount);
}

QVariant SystemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    return QString::fromUtf8(section < Column::ColumnCount
                                 ? inputHeaders[std::size_t(section)]
                                 : computedHeaders[std::size_t(section - Column::ColumnCount)]);
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
        return column >= Column::Flow && column != Column::Shape && column != Column::Note
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
    if (text != document_->cell(index.row(), Column(index.column()))) {
        document_->setCell(index.row(), Column(index.column()), text);
    }
    return true;
}

// What a cell shows: the input as typed, with what the calculation made of an empty or
// automatic input beside it; the 编号 indented by the segment's depth so the tree reads.
QString SystemTableModel::shownText(int row, int column) const {
    if (column >= Column::ColumnCount) {
        return computedText(row, Computed(column - Column::ColumnCount));
    }
    const auto& result = document_->result().segments[std::size_t(row)];
    const QString typed = document_->cell(row, Column(column));
    switch (column) {
    case Column::Id:
        return result.depth == 0
                   ? typed
                   : QString(2 * (result.depth - 1), ' ') + QString::fromUtf8("└ ") + typed;
    case Column::Kind:
        return typed.trimmed().isEmpty() ? qString(ductsys::kindName(result.kind)) : typed;
    case Column::Flow:
        return result.flowIsSum ? figureText(result.flow) : typed;
    case Column::Size:
        return result.computed && typed.trimmed() == qString(ductsys::autoSize)
                   ? typed + ' ' + qString(result.sizeText)
                   : typed;
    default:
        return typed;
    }
}

QString SystemTableModel::computedText(int row, Computed computed) const {
    const auto& result = document_->result().segments[std::size_t(row)];
    if (computed == Imbalance) {
        return result.imbalance ? figureText(float(*result.imbalance)) : QString();
    }
    if (!result.computed) {
        return {};
    }
    const auto& figures = result.figures;
    const std::array<float, Imbalance> values{figures.equivalentDiameter, figures.velocity,
                                              figures.frictionLoss,       figures.dynamicPressure,
                                              float(result.friction),     float(result.local),
                                              float(result.total),        float(result.cumulative)};
    return figureText(values[std::size_t(computed)]);
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
    if (result.badColumn && *result.badColumn == column) {
        return QBrush(badCell);
    }
    if ((column == computedColumn(Velocity) && result.overVelocity) ||
        (column == computedColumn(Imbalance) && result.overBalance)) {
        return QBrush(overLimit);
    }
    return result.onCriticalPath ? QVariant(QBrush(criticalTint)) : QVariant();
}

QString SystemTableModel::toolTip(int row, int column) const {
    const auto& result = document_->result().segments[std::size_t(row)];
    if (result.badColumn && *result.badColumn == column) {
        return QString::fromUtf8(result.problem.c_str());
    }
    if (column == computedColumn(Velocity) && result.overVelocity) {
        return QString::fromUtf8("超过%1的最大风速 %2 m/s")
            .arg(qString(ductsys::kindName(result.kind)))
            .arg(ductsys::velocityMaxima[std::size_t(result.kind)]);
    }
    if (column == computedColumn(Imbalance) && result.overBalance) {
        return QString::fromUtf8("超过平衡限值 %1 %").arg(document_->settings().balanceLimit);
    }
    return {};
}

} // namespace ui
