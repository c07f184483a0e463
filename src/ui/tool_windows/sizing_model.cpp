#include "ui/tool_windows/sizing_model.h"

#include "calc/colebrook_line.h"
#include "ui/core_text.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>
#include <optional>

namespace ui {

namespace {

struct Column {
    const char* header;
    std::optional<calc::ResultRow> result; // none: the Colebrook-White reference loss
    const char* unit; // the unit the result text ends with, shown in the header instead
};

constexpr Column columns[] = {
    {"尺寸", calc::ResultRow::Size, ""},
    {"当量直径 m", calc::ResultRow::EquivalentDiameter, " m"},
    {"风速 m/s", calc::ResultRow::Velocity, " m/s"},
    {"比摩阻 Pa/m", calc::ResultRow::FrictionLoss, " Pa/m"},
    {"比摩阻 (C-W) Pa/m", std::nullopt, ""},
    {"动压 Pa", calc::ResultRow::DynamicPressure, " Pa"},
    {"雷诺数", calc::ResultRow::ReynoldsNumber, ""},
};

QString cell(const calc::SizingRow& row, const Column& column) {
    if (!column.result) {
        const std::string loss = calc::colebrookLossText(row.state);
        return loss.empty() ? QString::fromUtf8("—") : qString(loss);
    }
    return qString(calc::cellText(row.texts[calc::index(*column.result)], column.unit));
}

} // namespace

SizingModel::SizingModel(const QFont& font, QObject* parent)
    : QAbstractTableModel(parent)
    , bold_(font) {
    bold_.setBold(true);
}

void SizingModel::setRows(std::vector<calc::SizingRow> rows, bool onlyMatching) {
    beginResetModel();
    if (onlyMatching) {
        std::erase_if(rows, [](const calc::SizingRow& row) { return !row.meetsLimits; });
    }
    rows_ = std::move(rows);
    const auto recommended = calc::recommendedRow(rows_);
    recommended_ = recommended ? std::optional<int>(int(*recommended)) : std::nullopt;
    endResetModel();
}

int SizingModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int SizingModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(std::size(columns));
}

QVariant SizingModel::data(const QModelIndex& index, int role) const {
    const calc::SizingRow& sizing = row(index.row());
    const Column& column = columns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
        return cell(sizing, column);
    case Qt::TextAlignmentRole:
        return index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ForegroundRole:
        if (!sizing.meetsLimits) {
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        }
        return {};
    case Qt::FontRole:
        return index.row() == recommended_ ? QVariant(bold_) : QVariant();
    default:
        return {};
    }
}

QVariant SizingModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal) {
        return QString::fromUtf8(columns[section].header);
    }
    return section == recommended_ ? QString::fromUtf8("推荐") : QString::number(section + 1);
}

} // namespace ui
