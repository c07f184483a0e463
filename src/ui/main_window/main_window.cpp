#include "ui/main_window/main_window.h"

#include "calc/colebrook_line.h"
#include "files/system_report.h"
#include "ui/calculator/calculator_form.h"
#include "ui/calculator/picture_box.h"
#include "ui/core_text.h"
#include "ui/main_window/error_box.h"
#include "ui/main_window/report_sheet.h"
#include "ui/main_window/tool_placement.h"
#include "ui/system_window/duct_system_window.h"
#include "ui/tool_windows/air_state_dialog.h"
#include "ui/tool_windows/duct_run_window.h"
#include "ui/tool_windows/sizing_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <algorithm>

namespace ui {

namespace {

// Raises the tool window if it exists; otherwise builds it beside the calculator, clear of
// the tool windows already open.
template <class ToolWindow>
void showTool(ToolWindow*& window, CalculatorForm* calculator, QWidget* owner,
              std::initializer_list<const QWidget*> tools) {
    if (!window) {
        window = new ToolWindow(calculator, owner);
        QList<QRect> open;
        for (const QWidget* tool : tools) {
            if (tool && tool->isVisible()) {
                open << tool->frameGeometry();
            }
        }
        // The size it opens at: a window not sized by its constructor takes its polished size
        // hint on showing, and until then reports a placeholder size. Its frame is taken to
        // be as thick as the owner's.
        window->ensurePolished();
        const QSize size =
            window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
        const QSize frame = size + owner->frameGeometry().size() - owner->size();
        const QScreen* screen = owner->screen();
        window->move(toolWindowPlace(frame, owner->frameGeometry(), open,
                                     screen ? screen->availableGeometry() : QRect()));
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , calculator_(new CalculatorForm) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(calculator_->windowTitle());
    setWindowIcon(calculator_->windowIcon());
    setFont(calculator_->font());
    setCentralWidget(calculator_);
    createMenus();
    // The duct run's losses belong to the results while its window is open.
    addReportRows([this] {
        return ductRun_ && ductRun_->isVisible() ? ductRun_->reportRows() : ReportRows{};
    });
    connect(calculator_, &CalculatorForm::recalculated, this, &MainWindow::showReference);
    showReference();
    // The calculator keeps its fixed client area; the menu bar adds its own height.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(QString::fromUtf8("文件(&F)"));
    QAction* exportReport =
        file->addAction(QString::fromUtf8("导出计算书(&E)…"), this, &MainWindow::exportReport);
    exportReport->setObjectName(QStringLiteral("actionExportReport"));
    exportReport->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file->addSeparator();
    QAction* quit = file->addAction(QString::fromUtf8("退出(&X)"), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("actionQuit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    createEditMenu();

    QMenu* tools = menuBar()->addMenu(QString::fromUtf8("工具(&T)"));
    QAction* sizing =
        tools->addAction(QString::fromUtf8("风管选型(&S)…"), this, &MainWindow::showSizing);
    sizing->setObjectName(QStringLiteral("actionSizing"));
    sizing->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QAction* airState =
        tools->addAction(QString::fromUtf8("空气物性(&A)…"), this, &MainWindow::showAirState);
    airState->setObjectName(QStringLiteral("actionAirState"));
    airState->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    QAction* ductRun =
        tools->addAction(QString::fromUtf8("管段阻力(&R)…"), this, &MainWindow::showDuctRun);
    ductRun->setObjectName(QStringLiteral("actionDuctRun"));
    ductRun->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    QAction* ductSystem =
        tools->addAction(QString::fromUtf8("管网水力计算(&N)…"), this, &MainWindow::showDuctSystem);
    ductSystem->setObjectName(QStringLiteral("actionDuctSystem"));
    ductSystem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));

    QMenu* help = menuBar()->addMenu(QString::fromUtf8("帮助(&H)"));
    QAction* about =
        help->addAction(QString::fromUtf8("关于风速计算(&A)"), this, &MainWindow::showAbout);
    about->setObjectName(QStringLiteral("actionAbout"));
}

// Copying is also offered on the results frame's own context menu.
void MainWindow::createEditMenu() {
    QMenu* edit = menuBar()->addMenu(QString::fromUtf8("编辑(&E)"));
    QAction* copy =
        edit->addAction(QString::fromUtf8("复制计算结果(&C)"), this, &MainWindow::copyResults);
    copy->setObjectName(QStringLiteral("actionCopyResults"));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    QWidget* results = calculator_->resultsFrame();
    results->setContextMenuPolicy(Qt::ActionsContextMenu);
    results->addAction(copy);
}

void MainWindow::addReportRows(std::function<ReportRows()> source) {
    reportSources_.push_back(std::move(source));
}

calc::Report MainWindow::report() const {
    calc::Report report = calc::report(calculator_->state(), calculator_->recalcInputs(),
                                       calculator_->results(), calculator_->reportNames());
    for (const auto& source : reportSources_) {
        for (const auto& [caption, value] : source()) {
            report.results.push_back({caption.toStdString(), value.toStdString()});
        }
    }
    return report;
}

void MainWindow::copyResults() {
    QGuiApplication::clipboard()->setMimeData(reportMimeData(report()));
}

void MainWindow::exportReport() {
    const QString suggested = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                              QString::fromUtf8("/风管计算书.pdf");
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromUtf8("导出计算书"), suggested, QString::fromUtf8("PDF 文件 (*.pdf)"));
    if (path.isEmpty()) {
        return;
    }
    const PictureBox& box = calculator_->formulaPicture(calculator_->recalcInputs().formula);
    // Drawn at print resolution: some 400 dots per inch at its size on the sheet.
    const SheetArt art{box.picture(5), calculator_->font()};
    const QString error = writeReportPdf(path, report(), art);
    if (!error.isEmpty()) {
        showErrorBox(this, QString::fromUtf8("计算书未能保存到 %1：%2")
                               .arg(QDir::toNativeSeparators(path), error));
    }
}

// The friction loss and its caption carry the Colebrook-White reference as their tool tip.
void MainWindow::showReference() {
    calculator_->setResultToolTip(calc::ResultRow::FrictionLoss,
                                  qString(calc::colebrookLine(calculator_->state())));
}

void MainWindow::showSizing() {
    showTool(sizing_, calculator_, this, {sizing_, airState_, ductRun_, ductSystem_});
}

void MainWindow::showAirState() {
    showTool(airState_, calculator_, this, {sizing_, airState_, ductRun_, ductSystem_});
}

void MainWindow::showDuctRun() {
    showTool(ductRun_, calculator_, this, {sizing_, airState_, ductRun_, ductSystem_});
}

void MainWindow::showDuctSystem() {
    showTool(ductSystem_, calculator_, this, {sizing_, airState_, ductRun_, ductSystem_});
}

void MainWindow::openSystemFile(const QString& path) {
    showDuctSystem();
    ductSystem_->openFile(path);
}

void MainWindow::offerRecovery() {
    const auto left = RecoveryCopy::leftBehind();
    if (!left) {
        return;
    }
    const QString name = files::systemFileName(left->filePath);
    QMessageBox box(
        QMessageBox::Question, QString::fromUtf8("恢复管网"),
        QString::fromUtf8("程序上次意外结束，管网“%1”有未保存的修改。是否恢复？").arg(name),
        QMessageBox::NoButton, this);
    QPushButton* restore = box.addButton(QString::fromUtf8("恢复"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QString::fromUtf8("丢弃"), QMessageBox::DestructiveRole);
    restore->setObjectName(QStringLiteral("restoreRecovery"));
    discard->setObjectName(QStringLiteral("discardRecovery"));
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == discard) {
        RecoveryCopy::removeLeft(*left);
    } else if (box.clickedButton() == restore) {
        showDuctSystem();
        ductSystem_->restore(*left);
    }
}

void MainWindow::offerRecoveryAfterFirstPaint() {
    recoveryAfterPaint_ = true;
}

bool MainWindow::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Paint && recoveryAfterPaint_) {
        recoveryAfterPaint_ = false;
        // Queued: the frame being painted reaches the screen first.
        QMetaObject::invokeMethod(this, &MainWindow::offerRecovery, Qt::QueuedConnection);
    }
    return handled;
}

// Quitting closes the duct system first, which asks about its unsaved changes.
void MainWindow::closeEvent(QCloseEvent* event) {
    if (ductSystem_ && !ductSystem_->close()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void MainWindow::showAbout() {
    QMessageBox::about(this, QString::fromUtf8("关于风速计算"),
                       QString::fromUtf8("<p><b>风速计算</b> %1</p>"
                                         "<p>通风管道的水力计算：风速、雷诺数、比摩阻与动压。</p>"
                                         "<p>Qt %2</p>")
                           .arg(files::programVersion(), QString::fromLatin1(qVersion())));
}

} // namespace ui
