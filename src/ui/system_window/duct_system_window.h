#pragma once

#include "ui/system_window/recovery_copy.h"

#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <optional>
#include <vector>

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
    RecoveryCopy* recovery() const { return recovery_; }
    // The file the system was last saved to or opened from; empty for a new system.
    const QString& filePath() const { return filePath_; }

    // Opens a project file in place of the system, or says why it cannot; the system is
    // left as it was then. Does not ask about unsaved changes.
    bool openFile(const QString& path);
    bool saveTo(const QString& path);
    // Asks whether to save unsaved changes: false if the user cancels or saving fails.
    bool maybeSave();
    // Takes the unsaved work a program that ended abnormally left, as modified.
    void restore(const RecoveryCopy::Left& left);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <class Slot>
    QAction* addMenuAction(QMenu* menu, const char* name, const char* text,
                           const QKeySequence& shortcut, Slot slot) {
        QAction* action = menu->addAction(QString::fromUtf8(text), this, slot);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        return action;
    }
    void fitColumns();
    void createMenus();
    void createFileMenu();
    void newSystem();
    void openChosenFile();
    bool save();
    bool saveAs();
    bool confirm(QMessageBox::Icon icon, const char* title, const QString& text,
                 std::pair<const char*, const char*> goAndName, const char* cancelName);
    bool exportIncomplete(const char* title);
    void exportAs(const char* title, const char* filter, QLatin1String suffix);
    void showRecentFiles();
    void openRecentFile(const QString& path);
    void setFilePath(const QString& path);
    void commitTypedCell();
    void addSegment();
    void addBranch();
    // Opens the segment's fittings; their sum becomes its Σζ.
    void editFittings(int row);
    void deleteSegments();
    void clearCells();
    void showRefusal(const QString& reason);
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
    RecoveryCopy* recovery_;
    QMenu* recentMenu_ = nullptr;
    QString filePath_;
};

} // namespace ui
