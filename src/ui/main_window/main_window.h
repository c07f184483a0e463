#pragma once

#include "calc/report.h"

#include <QMainWindow>
#include <QPair>
#include <functional>
#include <vector>

namespace ui {

class AirStateDialog;
class DuctRunWindow;
class DuctSystemWindow;
class CalculatorForm;
class SizingWindow;

// The program's window: the calculator as its client area, under a menu bar that opens the
// tools around it. A tool window is built when it is first opened and talks to the
// calculator only through the calculator's accessors and signal.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    using ReportRows = QList<QPair<QString, QString>>;

    explicit MainWindow(QWidget* parent = nullptr);

    CalculatorForm* calculator() const { return calculator_; }

    // Rows to follow the ten results in the copied results and the calculation sheet, asked
    // for each time (an open tool window's totals; none while it is closed).
    void addReportRows(std::function<ReportRows()> source);
    // The calculator's inputs and results, then the rows of every source.
    calc::Report report() const;

    // Opens a duct system file in the system window.
    void openSystemFile(const QString& path);
    // Offers to restore the unsaved duct system that a program which ended abnormally left.
    void offerRecovery();
    // The same once the window has painted its first frame: the check reads the data folder,
    // and a copy left there whole, which the first frame does not show.
    void offerRecoveryAfterFirstPaint();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void createEditMenu();
    void showSizing();
    void showAirState();
    void showDuctRun();
    void showDuctSystem();
    void showAbout();
    void copyResults();
    void exportReport();
    void showReference();

    CalculatorForm* calculator_;
    SizingWindow* sizing_ = nullptr;
    AirStateDialog* airState_ = nullptr;
    DuctRunWindow* ductRun_ = nullptr;
    DuctSystemWindow* ductSystem_ = nullptr;
    std::vector<std::function<ReportRows()>> reportSources_;
    bool recoveryAfterPaint_ = false;
};

} // namespace ui
