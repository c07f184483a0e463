#include "ui/main_window/error_box.h"

#include <QMessageBox>

namespace ui {

void showErrorBox(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::NoIcon, QString::fromUtf8("错误提示"), message,
                    QMessageBox::NoButton, parent);
    // The messages tell the user to press "确定", so the button says so in every locale.
    box.addButton(QString::fromUtf8("确定"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace ui
