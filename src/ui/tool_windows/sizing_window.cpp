#include "ui/tool_windows/sizing_window.h"

#include "calc/report.h"
#include "ui/calculator/calculator_form.h"
#include "ui/core_text.h"
#include "ui/tool_windows/sizing_model.h"
#include "ui/tool_windows/tool_fields.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace ui {

SizingWindow::SizingWindow(CalculatorForm* calculator, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , calculator_(calculator) {
    nameToolWindow(this, "SizingWindow", "风管选型", calculator);

    const calc::SizingLimits start;
    maxVelocity_ = createLimit("maxVelocity", "最大风速 m/s", start.maxVelocity, 100, 0.5);
    maxFriction_ = createLimit("maxFriction", "最大比摩阻 Pa/m", start.maxFriction, 100, 0.1);
    maxAspect_ = createLimit("maxAspect", "最大长宽比", start.maxAspect, 40, 1);
    QFormLayout* limits = captionedForm({maxVelocity_, maxFriction_, maxAspect_});
    limits->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    onlyMatching_ = new QCheckBox(QString::fromUtf8("只显示满足条件的尺寸"));
    onlyMatching_->setObjectName(QStringLiteral("onlyMatching"));
    limits->addRow(onlyMatching_);

    conditions_ = new QLabel;
    conditions_->setObjectName(QStringLiteral("sizingConditions"));
    conditions_->setWordWrap(true);

    model_ = new SizingModel(font(), this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("sizingTable"));
    table_->setAccessibleName(QString::fromUtf8("标准尺寸表"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    fitColumns();
    table_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    auto* copy = new QAction(table_);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    table_->addAction(copy);
    connect(copy, &QAction::triggered, this, &SizingWindow::copySelection);

    auto* buttons = new QDialogButtonBox;
    apply_ = buttons->addButton(QString::fromUtf8("应用"), QDialogButtonBox::ApplyRole);
    apply_->setObjectName(QStringLiteral("sizingApply"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(QString::fromUtf8("关闭"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(limits);
    layout->addWidget(conditions_);
    layout->addWidget(table_, 1);
    layout->addWidget(buttons);

    for (QDoubleSpinBox* limit : {maxVelocity_, maxFriction_, maxAspect_}) {
        connect(limit, &QDoubleSpinBox::valueChanged, this, &SizingWindow::refresh);
    }
    connect(onlyMatching_, &QCheckBox::toggled, this, &SizingWindow::refresh);
    connect(table_, &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { applyRow(index.row()); });
    connect(apply_, &QPushButton::clicked, this, &SizingWindow::applySelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(calculator_, &CalculatorForm::recalculated, this, &SizingWindow::refresh);

    resize(760, 560);
    refresh();
}

QDoubleSpinBox* SizingWindow::createLimit(const char* name, const char* caption, double value,
                                          double maximum, double step) {
    QDoubleSpinBox* limit = createNumberInput(name, caption, 0, maximum, 1, value);
    limit->setSingleStep(step);
    // At its minimum a limit is switched off.
    limit->setSpecialValueText(QString::fromUtf8("不限"));
    return limit;
}

// Columns as wide as their longest possible text, set once: measuring every cell again on
// each keystroke would cost more than evaluating every size.
void SizingWindow::fitColumns() {
    const QFontMetrics metrics(table_->font());
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('M'));
    for (int column = 0; column < model_->columnCount(); ++column) {
        const QString header =
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        const QString widest =
            column == 0 ? QString::fromUtf8("长径 4000 短径 4000") : QStringLiteral("8.888888E-08");
        table_->setColumnWidth(
            column, std::max(metrics.horizontalAdvance(header), metrics.horizontalAdvance(widest)) +
                        padding);
    }
}

void SizingWindow::refresh() {
    const calc::RecalcInputs inputs = calculator_->recalcInputs();
    const calc::SizingLimits limits{shownValue(maxVelocity_), shownValue(maxFriction_),
                                    shownValue(maxAspect_)};
    maxAspect_->setEnabled(inputs.shape != calc::DuctShape::Circular);

    const auto picked = pickedRow();
    const auto previousKey = picked ? std::optional(model_->row(*picked).listTexts) : std::nullopt;
    const auto previousRecommendation =
        model_->recommended() ? std::optional(model_->row(*model_->recommended()).listTexts)
                              : std::nullopt;

    model_->setRows(calc::sizingRows(calculator_->state(), inputs, limits),
                    onlyMatching_->isChecked());

    const calc::ResultTexts& shown = calculator_->results();
    if (calculator_->state().flow == 0) {
        conditions_->setText(QString::fromUtf8("请在计算器中输入风量。"));
    } else {
        conditions_->setText(
            QString::fromUtf8("%1，风量 %2，粗糙度 K %3 mm，%4")
                .arg(qString(calc::shapeName(inputs.shape)),
                     resultText(shown, calc::ResultRow::Flow),
                     resultText(shown, calc::ResultRow::Roughness),
                     qString(calc::formulaName(inputs.formula))) +
            (model_->recommended() ? QString() : QString::fromUtf8("；没有满足条件的尺寸。")));
    }

    // A new recommendation is selected; otherwise the row the user had stays selected.
    const auto recommended = model_->recommended();
    const bool recommendationMoved =
        recommended &&
        (!previousRecommendation || model_->row(*recommended).listTexts != *previousRecommendation);
    int keep = -1;
    for (int row = 0; previousKey && row < model_->rowCount(); ++row) {
        if (model_->row(row).listTexts == *previousKey) {
            keep = row;
        }
    }
    selectRow(recommendationMoved || keep < 0 ? recommended.value_or(-1) : keep);
}

void SizingWindow::selectRow(int row) {
    if (row < 0) {
        return;
    }
    const QModelIndex index = model_->index(row, 0);
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

std::optional<int> SizingWindow::pickedRow() const {
    const QItemSelectionModel* selection = table_->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row())) {
        return current.row();
    }
    const auto selected = selection->selectedRows();
    return selected.isEmpty() ? std::nullopt : std::optional(selected.first().row());
}

void SizingWindow::applySelected() {
    if (const auto row = pickedRow()) {
        applyRow(*row);
    }
}

void SizingWindow::applyRow(int row) {
    // A copy: every write into the calculator refreshes the table and replaces its rows.
    const auto listTexts = model_->row(row).listTexts;
    calculator_->pickStandardSize(calculator_->recalcInputs().shape, listTexts);
}

QString SizingWindow::selectionText() const {
    QStringList lines;
    QStringList header;
    for (int column = 0; column < model_->columnCount(); ++column) {
        header << model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
    }
    lines << header.join('\t');
    auto rows = table_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    for (const QModelIndex& row : rows) {
        QStringList cells;
        for (int column = 0; column < model_->columnCount(); ++column) {
            cells << model_->index(row.row(), column).data().toString();
        }
        lines << cells.join('\t');
    }
    return lines.join('\n') + '\n';
}

void SizingWindow::copySelection() const {
    QGuiApplication::clipboard()->setText(selectionText());
}

} // namespace ui
