#pragma once

class QString;
class QWidget;

namespace ui {

// The program's error message: modal over the parent, titled "错误提示", no icon, and the one
// button "确定".
void showErrorBox(QWidget* parent, const QString& message);

} // namespace ui
