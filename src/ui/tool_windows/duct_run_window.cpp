#include "ui/tool_windows/duct_run_window.h"

#include "calc/duct_run.h"
#include "ui/calculator/calculator_form.h"
#include "ui/system_window/fittings_dialog.h"
#include "ui/tool_windows/tool_fields.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace ui {

DuctRunWindow::DuctRunWindow(CalculatorForm* calculator, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , calculator_(calculator) {
    nameToolWindow(this, "DuctRunWindow", "管段阻力", calculator);

    length_ = createNumberInput("runLength", "管段长度 m", 0, 100000, 2, 10);
    zeta_ = createNumberInput("runZeta", "局部阻力系数之和 Σζ", 0, 10000, 2, 0);
    size_ = createValueOutput("runSize", "风管尺寸 mm");
    velocity_ = createValueOutput("runVelocity", "风速");
    friction_ = createValueOutput("runFriction", "沿程阻力 R·L");
    local_ = createValueOutput("runLocal", "局部阻力 Σζ·Pd");
    total_ = createValueOutput("runTotal", "总阻力");

    auto* fittings = new QPushButton(QString::fromUtf8("管件(&F)…"));
    fittings->setObjectName(QStringLiteral("runFittings"));

    auto* buttons = new QDialogButtonBox;
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(QString::fromUtf8("关闭"));

    auto* layout = new QVBoxLayout(this);
    QFormLayout* form =
        captionedForm({length_, zeta_, size_, velocity_, friction_, local_, total_});
    form->insertRow(2, QString(), fittings);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(length_, &QDoubleSpinBox::valueChanged, this, &DuctRunWindow::refresh);
    // A typed Σζ stands for itself, as one custom fitting.
    connect(zeta_, &QDoubleSpinBox::valueChanged, this, [this](double typed) {
        zetaValue_ = typed;
        fittings_ = ductsys::typedFittings(ductsys::zetaText(typed));
        refresh();
    });
    connect(fittings, &QPushButton::clicked, this, &DuctRunWindow::editFittings);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(calculator_, &CalculatorForm::recalculated, this, &DuctRunWindow::refresh);
    refresh();
}

void DuctRunWindow::refresh() {
    const calc::ResultTexts& shown = calculator_->results();
    velocity_->setText(resultText(shown, calc::ResultRow::Velocity));
    size_->setText(resultText(shown, calc::ResultRow::Size));
    const calc::DuctRunTexts run =
        calc::ductRunTexts(calculator_->state(), length_->value(), zetaValue_);
    friction_->setText(QString::fromStdString(run.friction));
    local_->setText(QString::fromStdString(run.local));
    total_->setText(QString::fromStdString(run.total));
}

// The fittings of the run at the calculator's duct; their exact sum is the Σζ, which the box
// shows rounded to its decimals.
void DuctRunWindow::editFittings() {
    const calc::CalculatorState& state = calculator_->state();
    FittingsDialog dialog(QString::fromUtf8("（管段阻力）"), fittings_, {state.area, state.dens},
                          this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    fittings_ = dialog.entries();
    zetaValue_ = 0;
    for (const ductsys::FittingEntry& fitting : fittings_) {
        zetaValue_ += fitting.count * fitting.zeta;
    }
    const QSignalBlocker quiet(zeta_);
    zeta_->setValue(zetaValue_);
    refresh();
}

QList<QPair<QString, QString>> DuctRunWindow::reportRows() const {
    return {{QString::fromUtf8("管段长度"), plainText(length_->value()) + QStringLiteral(" m")},
            {QString::fromUtf8("局部阻力系数之和 Σζ"), plainText(zetaValue_)},
            {friction_->accessibleName(), friction_->text()},
            {local_->accessibleName(), local_->text()},
            {total_->accessibleName(), total_->text()}};
}

} // namespace ui
