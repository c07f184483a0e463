#include "ui/tool_windows/tool_fields.h"

#include "calc/number_text.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>

namespace ui {

void nameToolWindow(QWidget* window, const char* name, const char* title,
                    const QWidget* calculator) {
    window->setObjectName(QString::fromLatin1(name));
    window->setWindowTitle(QString::fromUtf8(title));
    window->setFont(calculator->font());
}

QDoubleSpinBox* createNumberInput(const char* name, const char* caption, double minimum,
                                  double maximum, int decimals, double value) {
    auto* input = new QDoubleSpinBox;
    input->setObjectName(QString::fromLatin1(name));
    input->setAccessibleName(QString::fromUtf8(caption));
    // Numbers read and written with a decimal point whatever the regional settings, as in
    // the calculator.
    input->setLocale(QLocale::c());
    input->setDecimals(decimals);
    input->setRange(minimum, maximum);
    input->setValue(value);
    return input;
}

double shownValue(const QDoubleSpinBox* input) {
    return QString::number(input->value(), 'f', input->decimals()).toDouble();
}

QLabel* createValueOutput(const char* name, const char* caption) {
    auto* output = new QLabel;
    output->setObjectName(QString::fromLatin1(name));
    output->setAccessibleName(QString::fromUtf8(caption));
    output->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return output;
}

QFormLayout* captionedForm(std::initializer_list<QWidget*> fields) {
    auto* form = new QFormLayout;
    for (QWidget* field : fields) {
        form->addRow(field->accessibleName(), field);
    }
    return form;
}

QString plainText(double value) {
    return QString::fromStdString(calc::formatPlain(static_cast<float>(value)));
}

QString resultText(const calc::ResultTexts& texts, calc::ResultRow row) {
    return QString::fromStdString(texts[calc::index(row)]).trimmed();
}

} // namespace ui
