#include "ui/system_window/fittings_dialog.h"

#include "files/fitting_library.h"
#include "system/duct_system.h"
#include "system/system_table.h"
#include "ui/core_text.h"
#include "ui/system_window/choice_delegate.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ui {

namespace {

// The coefficient's line and its source, which may take two lines.
constexpr int messageLines = 3;

QString number(double value) {
    return qString(ductsys::figureText(value));
}

QString parametersText(const ductsys::FittingEntry& entry) {
    QStringList parts;
    for (const auto& [name, value] : entry.parameters) {
        parts << qString(name) + QLatin1Char('=') + QString::number(value);
    }
    return parts.join(QStringLiteral("，"));
}

// The entry's parameters in the order of the fitting's; one it lacks at its default.
std::vector<double> parameterValues(const fittings::Fitting& fitting,
                                    const ductsys::FittingEntry& entry) {
    std::vector<double> values;
    for (const fittings::Parameter& parameter : fitting.parameters) {
        const auto given = std::find_if(entry.parameters.begin(), entry.parameters.end(),
                                        [&](const auto& p) { return p.first == parameter.name; });
        values.push_back(given == entry.parameters.end() ? parameter.defaultValue : given->second);
    }
    return values;
}

} // namespace

// The entry's coefficient on the velocity it is published on, evaluated again from its
// parameters; empty for a fitting this library does not have.
QString FittingsDialog::publishedText(const fittings::Fitting* fitting,
                                      const ductsys::FittingEntry& entry) const {
    if (!fitting) {
        return {};
    }
    const auto zeta = fittings::evaluate(*fitting, parameterValues(*fitting, entry), flow_);
    return std::holds_alternative<fittings::Zeta>(zeta)
               ? number(std::get<fittings::Zeta>(zeta).published)
               : QString();
}

FittingsDialog::FittingsDialog(const QString& segment, std::vector<ductsys::FittingEntry> entries,
                               const fittings::SegmentFlow& flow, QWidget* parent)
    : QDialog(parent)
    , entries_(std::move(entries))
    , flow_(flow) {
    setObjectName(QStringLiteral("FittingsDialog"));
    setWindowTitle(QString::fromUtf8("管件 - 管段 %1").arg(segment));

    list_ = new QTableWidget(0, 6);
    list_->setObjectName(QStringLiteral("fittingsList"));
    list_->setHorizontalHeaderLabels({QString::fromUtf8("管件"), QString::fromUtf8("参数"),
                                      QString::fromUtf8("数量"), QString::fromUtf8("ζ（参考风速）"),
                                      QString::fromUtf8("ζ（本管段）"), QString::fromUtf8("来源")});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->horizontalHeader()->setStretchLastSection(true);

    type_ = new QComboBox;
    type_->setObjectName(QStringLiteral("fittingType"));
    type_->setAccessibleName(QString::fromUtf8("管件"));
    for (const fittings::Fitting& fitting : files::fittingLibrary()) {
        type_->addItem(qString(fitting.group) + QString::fromUtf8(" — ") + qString(fitting.name),
                       qString(fitting.id));
    }
    openListBelow(type_);
    parameters_ = new QFormLayout;
    count_ = new QSpinBox;
    count_->setObjectName(QStringLiteral("fittingCount"));
    count_->setAccessibleName(QString::fromUtf8("数量"));
    count_->setRange(1, 99);
    zeta_ = new QLabel;
    zeta_->setObjectName(QStringLiteral("fittingZeta"));
    zeta_->setWordWrap(true);
    // Room for the longest message, so that the panel keeps its height while values are
    // typed and the message turns from the coefficient to why there is none.
    zeta_->setFixedHeight(messageLines * zeta_->fontMetrics().lineSpacing());
    zeta_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* add = new QPushButton(QString::fromUtf8("添加(&A)"));
    add->setObjectName(QStringLiteral("addFitting"));
    update_ = new QPushButton(QString::fromUtf8("更新(&U)"));
    update_->setObjectName(QStringLiteral("updateFitting"));
    update_->setEnabled(false);
    auto* remove = new QPushButton(QString::fromUtf8("删除(&D)"));
    remove->setObjectName(QStringLiteral("removeFitting"));
    sum_ = new QLabel;
    sum_->setObjectName(QStringLiteral("fittingsSum"));

    auto* chooser = new QFormLayout;
    chooser->addRow(QString::fromUtf8("管件"), type_);
    chooser->addRow(parameters_);
    chooser->addRow(QString::fromUtf8("数量"), count_);
    chooser->addRow(zeta_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(update_);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(sum_);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->button(QDialogButtonBox::Ok)->setText(QString::fromUtf8("确定"));
    box->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    layout->addLayout(chooser);
    layout->addWidget(box);

    connect(type_, &QComboBox::currentIndexChanged, this, &FittingsDialog::showParameters);
    connect(count_, &QSpinBox::valueChanged, this, &FittingsDialog::showZeta);
    connect(add, &QPushButton::clicked, this, &FittingsDialog::addChosen);
    connect(update_, &QPushButton::clicked, this, &FittingsDialog::updateSelected);
    // Keys move between the entries as well; a click on the current one loads it again.
    connect(list_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous) {
                if (row != previous) {
                    loadEntry(row);
                }
            });
    connect(list_, &QTableWidget::cellClicked, this, &FittingsDialog::loadEntry);
    connect(remove, &QPushButton::clicked, this, &FittingsDialog::removeSelected);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showParameters();
    showEntries();
    resize(760, 480);
}

const fittings::Fitting& FittingsDialog::chosen() const {
    return files::fittingLibrary()[std::size_t(type_->currentIndex())];
}

void FittingsDialog::showParameters() {
    while (parameters_->rowCount() > 0) {
        parameters_->removeRow(0);
    }
    boxes_.clear();
    for (const fittings::Parameter& parameter : chosen().parameters) {
        auto* box = new QDoubleSpinBox;
        box->setObjectName(QStringLiteral("fittingParameter%1").arg(boxes_.size() + 1));
        box->setAccessibleName(qString(parameter.name));
        box->setRange(-1e6, 1e6);
        box->setDecimals(3);
        box->setValue(parameter.defaultValue);
        connect(box, &QDoubleSpinBox::valueChanged, this, &FittingsDialog::showZeta);
        parameters_->addRow(qString(parameter.name), box);
        boxes_.push_back(box);
    }
    showZeta();
}

std::variant<fittings::Zeta, std::string> FittingsDialog::evaluateChosen() const {
    std::vector<double> values;
    for (const QDoubleSpinBox* box : boxes_) {
        values.push_back(box->value());
    }
    return fittings::evaluate(chosen(), values, flow_);
}

// The chosen fitting's ζ on both velocities, whether it was read between rows, and its
// source; or why there is none.
void FittingsDialog::showZeta() {
    const auto zeta = evaluateChosen();
    if (const auto* refusal = std::get_if<std::string>(&zeta)) {
        zeta_->setText(QString::fromUtf8("无法取值：") + qString(*refusal));
        zeta_->setStyleSheet(QStringLiteral("color: #b00000"));
        return;
    }
    const fittings::Zeta& z = std::get<fittings::Zeta>(zeta);
    zeta_->setStyleSheet(QString());
    zeta_->setText(
        QString::fromUtf8("ζ = %1（%2）；本管段风速上 ζ = %3%4\n来源：%5")
            .arg(number(z.published), qString(chosen().reference), number(z.segment),
                 z.interpolated ? QString::fromUtf8("，由表中相邻两行线性插值") : QString(),
                 qString(chosen().source)));
}

std::optional<ductsys::FittingEntry> FittingsDialog::chosenEntry() const {
    const auto zeta = evaluateChosen();
    if (!std::holds_alternative<fittings::Zeta>(zeta)) {
        return std::nullopt;
    }
    ductsys::FittingEntry entry{
        chosen().id, {}, count_->value(), std::get<fittings::Zeta>(zeta).segment};
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        entry.parameters.emplace_back(chosen().parameters[i].name, boxes_[i]->value());
    }
    return entry;
}

// The new entry becomes the current one, so that 更新 changes what was just added.
void FittingsDialog::addChosen() {
    if (auto entry = chosenEntry()) {
        entries_.push_back(std::move(*entry));
        showEntries();
        list_->setCurrentCell(int(entries_.size()) - 1, 0);
    }
}

void FittingsDialog::updateSelected() {
    const int row = list_->currentRow();
    auto entry = chosenEntry();
    if (row >= 0 && row < int(entries_.size()) && entry) {
        entries_[std::size_t(row)] = std::move(*entry);
        showEntries();
    }
}

// No entry is current afterwards: 更新 must not write over the one that moved into its row.
void FittingsDialog::removeSelected() {
    const int row = list_->currentRow();
    if (row >= 0 && row < int(entries_.size())) {
        list_->setCurrentCell(-1, -1);
        entries_.erase(entries_.begin() + row);
        showEntries();
    }
}

void FittingsDialog::loadEntry(int row) {
    const bool valid = row >= 0 && row < int(entries_.size());
    update_->setEnabled(valid);
    if (!valid) {
        return;
    }
    const ductsys::FittingEntry& entry = entries_[std::size_t(row)];
    const int type = type_->findData(qString(entry.id));
    if (type < 0) {
        return; // a fitting this library does not have: the panel cannot show it
    }
    type_->setCurrentIndex(type);
    const std::vector<double> values = parameterValues(chosen(), entry);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i]->setValue(values[i]);
    }
    count_->setValue(entry.count);
}

void FittingsDialog::showEntries() {
    list_->setRowCount(int(entries_.size()));
    double sum = 0;
    for (std::size_t row = 0; row < entries_.size(); ++row) {
        const ductsys::FittingEntry& entry = entries_[row];
        const fittings::Fitting* fitting = fittings::find(files::fittingLibrary(), entry.id);
        const QStringList cells{fitting ? qString(fitting->name) : qString(entry.id),
                                parametersText(entry),
                                QString::number(entry.count),
                                publishedText(fitting, entry),
                                number(entry.zeta),
                                fitting ? qString(fitting->source) : QString()};
        for (int column = 0; column < cells.size(); ++column) {
            list_->setItem(int(row), column, new QTableWidgetItem(cells[column]));
        }
        sum += entry.count * entry.zeta;
    }
    sum_->setText(QString::fromUtf8("Σζ = %1").arg(number(sum)));
}

} // namespace ui
