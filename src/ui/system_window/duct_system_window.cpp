#include "ui/system_window/duct_system_window.h"

#include "ui/calculator/calculator_form.h"
#include "ui/core_text.h"
#include "ui/system_window/choice_delegate.h"
#include "ui/system_window/fittings_dialog.h"
#include "ui/system_window/system_document.h"
#include "ui/system_window/system_settings_panel.h"
#include "ui/system_window/system_table_model.h"
#include "ui/system_window/tree_lines_delegate.h"
#include "ui/tool_windows/tool_fields.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <set>

namespace ui {

using ductsys::Column;

namespace {

constexpr int refusalShownMs = 10000;

// A double-click on a Σζ cell opens the segment's fittings; typing into it still edits the
// number.
class ZetaDelegate : public QStyledItemDelegate {
public:
    ZetaDelegate(std::function<void(int row)> open, QObject* parent)
        : QStyledItemDelegate(parent)
        , open_(std::move(open)) {}

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (event->type() == QEvent::MouseButtonDblClick) {
            open_(index.row());
            return true;
        }
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    }

private:
    std::function<void(int row)> open_;
};

} // namespace

DuctSystemWindow::DuctSystemWindow(CalculatorForm* calculator, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , document_(new SystemDocument(this)) {
    // Titled by its file, a new system's at first.
    nameToolWindow(this, "DuctSystemWindow", "", calculator);
    recovery_ = new RecoveryCopy(document_, this);
    setFilePath({});

    model_ = new SystemTableModel(document_, this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("systemTable"));
    table_->setAccessibleName(QString::fromUtf8("管段表"));
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    fitColumns();
    table_->setItemDelegateForColumn(
        Column::Zeta, new ZetaDelegate([this](int row) { editFittings(row); }, this));
    table_->setItemDelegateForColumn(Column::Kind, kindChoices(this));
    table_->setItemDelegateForColumn(Column::Shape, shapeChoices(this));
    table_->setItemDelegateForColumn(Column::Id, new TreeLinesDelegate(model_, this));
    connect(model_, &SystemTableModel::cellRefused, this, &DuctSystemWindow::showRefusal);
    statusBar()->setObjectName(QStringLiteral("systemStatus"));

    summary_ = new QLabel;
    summary_->setObjectName(QStringLiteral("systemSummary"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->installEventFilter(this);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(new SystemSettingsPanel(document_, calculator));
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    setCentralWidget(central);
    createMenus();

    connect(document_->undoStack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    connect(document_, &SystemDocument::calculated, this, &DuctSystemWindow::showSummary);
    showSummary();
    // Wide enough for every column, but within the screen at any scale.
    const QSize wide(1640, 640);
    const QScreen* screen = calculator->screen();
    resize(screen ? wide.boundedTo(screen->availableGeometry().size() * 0.9) : wide);
}

// Columns as wide as their header or their widest usual text, set once and then the user's
// to change: fitting them to the contents on every edit would measure every cell of a large
// system each time.
void DuctSystemWindow::fitColumns() {
    const QFontMetrics metrics(table_->font());
    const int padding = 2 * metrics.horizontalAdvance(QLatin1Char('M'));
    // In the order of the input columns; a computed column fits the usual 7 digits and a sign
    // (an exponent may need a wider column, which the user can drag).
    static const std::array<const char*, Column::ColumnCount> inputSamples{
        "└└└ 1234", "1234",           "末端支管", "123456.7", "1234.5",
        "椭圆形",   "自动 1250×1250", "12.5",     "1234.5",   "风机出口总管道"};
    const auto widest = [](int column) {
        return QString::fromUtf8(column < Column::ColumnCount ? inputSamples[std::size_t(column)]
                                                              : "-8888.888");
    };
    for (int column = 0; column < model_->columnCount(); ++column) {
        const QString header =
            model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        table_->setColumnWidth(column, std::max(metrics.horizontalAdvance(header),
                                                metrics.horizontalAdvance(widest(column))) +
                                           padding);
    }
}

void DuctSystemWindow::createMenus() {
    createFileMenu();
    QMenu* edit = menuBar()->addMenu(QString::fromUtf8("编辑(&E)"));
    QAction* undo = document_->undoStack()->createUndoAction(this, QString::fromUtf8("撤销"));
    undo->setObjectName(QStringLiteral("actionSystemUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = document_->undoStack()->createRedoAction(this, QString::fromUtf8("重做"));
    redo->setObjectName(QStringLiteral("actionSystemRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    edit->addActions({undo, redo});
    edit->addSeparator();
    addMenuAction(edit, "actionAddSegment", "添加管段(&A)", {}, &DuctSystemWindow::addSegment);
    addMenuAction(edit, "actionAddBranch", "添加支管(&B)", {}, &DuctSystemWindow::addBranch);
    addMenuAction(edit, "actionEditFittings", "管件(&F)…", QKeySequence(Qt::CTRL | Qt::Key_K),
                  [this] {
                      if (const auto row = currentRow()) {
                          editFittings(*row);
                      }
                  });
    // Keys a cell editor needs as well: they act on cells and segments only while the table
    // itself has the focus, not an open editor, be it a line or a list.
    const auto tableAction = [this, edit](const char* name, const char* text,
                                          const QList<QKeySequence>& keys,
                                          void (DuctSystemWindow::*slot)()) {
        QAction* action = addMenuAction(edit, name, text, {}, slot);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        table_->addAction(action);
    };
    // Del and Backspace clear cells, as in a spreadsheet; a segment goes with Ctrl+Del.
    tableAction("actionClearCells", "清除内容(&L)", {QKeySequence::Delete, Qt::Key_Backspace},
                &DuctSystemWindow::clearCells);
    tableAction("actionDeleteSegment", "删除管段(&D)", {Qt::CTRL | Qt::Key_Delete},
                &DuctSystemWindow::deleteSegments);
    edit->addSeparator();
    tableAction("actionSystemCopy", "复制(&C)", QKeySequence::keyBindings(QKeySequence::Copy),
                &DuctSystemWindow::copyCells);
    tableAction("actionSystemPaste", "粘贴(&P)", QKeySequence::keyBindings(QKeySequence::Paste),
                &DuctSystemWindow::pasteCells);
}

void DuctSystemWindow::editFittings(int row) {
    const auto& result = document_->result().segments[std::size_t(row)];
    const fittings::SegmentFlow flow{result.computed ? calc::sectionArea(result.section) : 0.0,
                                     document_->settings().density};
    FittingsDialog dialog(document_->cell(row, Column::Id),
                          document_->segments()[std::size_t(row)].fittings, flow, this);
    if (dialog.exec() == QDialog::Accepted) {
        document_->setFittings(row, dialog.entries());
    }
}

std::optional<int> DuctSystemWindow::currentRow() const {
    const QModelIndex current = table_->currentIndex();
    return current.isValid() ? std::optional(current.row()) : std::nullopt;
}

std::vector<int> DuctSystemWindow::selectedRows() const {
    std::set<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    return {rows.begin(), rows.end()};
}

void DuctSystemWindow::selectSegment(int row) {
    table_->setCurrentIndex(model_->index(row, Column::Flow));
    table_->setFocus();
}

void DuctSystemWindow::addSegment() {
    selectSegment(document_->addSegment(currentRow()));
}

void DuctSystemWindow::addBranch() {
    const auto beside = currentRow();
    selectSegment(beside ? document_->addBranch(*beside) : document_->addSegment(std::nullopt));
}

void DuctSystemWindow::deleteSegments() {
    const std::vector<int> rows = selectedRows();
    if (rows.empty()) {
        return; // no undo step, and no modified mark, for deleting nothing
    }
    const std::size_t downstream = document_->withDownstream(rows).size() - rows.size();
    if (downstream > 0 &&
        !confirm(QMessageBox::Question, "删除管段",
                 QString::fromUtf8("所选管段的下游还有 %1 个管段，一并删除？").arg(downstream),
                 {"删除", "confirmDelete"}, "cancelDelete")) {
        return;
    }
    document_->deleteSegments(rows);
}

// A question whose answer the user must give: 取消 is its default.
bool DuctSystemWindow::confirm(QMessageBox::Icon icon, const char* title, const QString& text,
                               std::pair<const char*, const char*> goAndName,
                               const char* cancelName) {
    QMessageBox box(icon, QString::fromUtf8(title), text, QMessageBox::NoButton, this);
    QPushButton* go = box.addButton(QString::fromUtf8(goAndName.first), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QString::fromUtf8("取消"), QMessageBox::RejectRole);
    go->setObjectName(QString::fromLatin1(goAndName.second));
    cancel->setObjectName(QString::fromLatin1(cancelName));
    // Focus would make the first button the default again.
    box.setDefaultButton(cancel);
    cancel->setFocus();
    box.exec();
    return box.clickedButton() == go;
}

void DuctSystemWindow::clearCells() {
    std::vector<std::pair<int, Column>> cells;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) {
        if (index.column() < Column::ColumnCount) {
            cells.emplace_back(index.row(), Column(index.column()));
        }
    }
    document_->clearCells(cells);
}

// In the status bar, as a spreadsheet tells of a refused entry without stopping the typing.
void DuctSystemWindow::showRefusal(const QString& reason) {
    QApplication::beep();
    statusBar()->showMessage(reason, refusalShownMs);
}

// A double-click on the summary of an incomplete system goes to the cell to mend first.
bool DuctSystemWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto first = document_->result().firstProblem;
    if (watched == summary_ && event->type() == QEvent::MouseButtonDblClick && first) {
        const auto column = document_->result().segments[*first].badColumn;
        table_->setCurrentIndex(model_->index(int(*first), column ? *column : Column::Upstream));
        table_->setFocus();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// The selected cells' bounding block, one line per row; input cells as typed.
void DuctSystemWindow::copyCells() {
    const QModelIndexList selected = table_->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        return;
    }
    const auto [top, bottom] = std::minmax_element(
        selected.begin(), selected.end(), [](auto& a, auto& b) { return a.row() < b.row(); });
    const auto [left, right] = std::minmax_element(
        selected.begin(), selected.end(), [](auto& a, auto& b) { return a.column() < b.column(); });
    QStringList lines;
    for (int row = top->row(); row <= bottom->row(); ++row) {
        QStringList cells;
        for (int column = left->column(); column <= right->column(); ++column) {
            const QModelIndex index = model_->index(row, column);
            cells << (table_->selectionModel()->isSelected(index)
                          ? index
                                .data(column < Column::ColumnCount ? Qt::EditRole : Qt::DisplayRole)
                                .toString()
                          : QString());
        }
        lines << cells.join('\t');
    }
    QGuiApplication::clipboard()->setText(lines.join('\n'));
}

void DuctSystemWindow::pasteCells() {
    QString text = QGuiApplication::clipboard()->text();
    text.remove('\r');
    if (text.endsWith('\n')) {
        text.chop(1);
    }
    const QModelIndex current = table_->currentIndex();
    if (text.isEmpty() || (current.isValid() && current.column() >= Column::ColumnCount)) {
        return;
    }
    QList<QStringList> block;
    for (const QString& line : text.split('\n')) {
        block << line.split('\t');
    }
    const int row = current.isValid() ? current.row() : model_->rowCount();
    const int column = current.isValid() ? current.column() : 0;
    document_->paste(row, column, block);
    table_->setCurrentIndex(model_->index(row, column));
}

void DuctSystemWindow::showSummary() {
    const ductsys::SystemResult& result = document_->result();
    const auto& segments = document_->segments();
    if (segments.empty()) {
        summary_->setText(QString::fromUtf8("尚无管段：用“编辑 → 添加管段”从风机开始。"));
        return;
    }
    QStringList parts;
    if (!result.complete()) {
        // What is known still helps, but the critical path and the fan's pressure are not.
        parts << qString(ductsys::incompleteText(segments, result));
        if (result.totalFlow) {
            parts << QString::fromUtf8("总风量 %1 m3/h")
                         .arg(qString(ductsys::figureText(*result.totalFlow)));
        }
    } else {
        QStringList path;
        for (const std::size_t segment : result.criticalPath) {
            path << document_->cell(int(segment), Column::Id);
        }
        parts << QString::fromUtf8("总风量 %1 m3/h；最不利环路 %2，阻力 %3 Pa；超过平衡限值的支管 %4 个")
                     .arg(qString(ductsys::figureText(result.totalFlow)),
                          path.isEmpty() ? QString::fromUtf8("无")
                                         : path.join(QString::fromUtf8("→")),
                          qString(ductsys::figureText(result.fanPressure)))
                     .arg(result.branchesOverLimit);
    }
    if (const std::string warnings = ductsys::warningsText(segments, result); !warnings.empty()) {
        parts << qString(warnings);
    }
    summary_->setText(parts.join(QString::fromUtf8("；")));
    summary_->setToolTip(result.firstProblem ? QString::fromUtf8("双击转到有问题的单元格")
                                             : QString());
}

} // namespace ui
