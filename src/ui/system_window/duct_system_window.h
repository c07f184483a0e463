#pragma once

#include <QMainWindow>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QTableView;

namespace ui {

class CalculatorForm;
class SystemDocument;
class SystemTableModel;

// 管网水力计算: a duct system edited as a table of segments from the fan to the outlets, with
// its settings above and a summary below, recalculated on every change.
class DuctSystemWindow : public QMainWindow {
    Q_OBJECT

public:
    DuctSystemWindow(CalculatorForm* calculator, QWidget* parent);

    SystemDocument* document() const { return document_; }

private:
    template <class Slot>
    QAction* addMenuAction(QMenu* menu, const char* name, const char* text,
                           const QKeySequence& shortcut, Slot slot);
    void fitColumns();
    void createMenus();
    void newSystem();
    void addSegment();
    void addBranch();
    void deleteSegments();
    void copyCells();
    void pasteCells();
    std::optional<int> currentRow() const;
    std::vector<int> selectedRows() const;
    void selectSegment(int row);
    void showSummary();

    SystemDocument* document_;
    SystemTableModel* model_;
    QTableView* table_;
    QLabel* summary_;
};

} // namespace ui
