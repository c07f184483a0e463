#pragma once

#include <QMainWindow>

namespace ui {

class AirStateDialog;
class DuctRunWindow;
class Form1;
class SizingWindow;

// The program's window: the calculator as its client area, under a menu bar that opens the
// tools around it. A tool window is built when it is first opened and talks to the
// calculator only through the calculator's signal and controls.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);

    Form1* calculator() const { return calculator_; }

private:
    void createMenus();
    void showSizing();
    void showAirState();
    void showDuctRun();
    void showAbout();

    Form1* calculator_;
    SizingWindow* sizing_ = nullptr;
    AirStateDialog* airState_ = nullptr;
    DuctRunWindow* ductRun_ = nullptr;
};

} // namespace ui
