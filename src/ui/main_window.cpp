#include "ui/main_window.h"

#include "ui/air_state_dialog.h"
#include "ui/duct_run_window.h"
#include "ui/form1.h"
#include "ui/sizing_window.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace ui {

namespace {

// Beside the owner where the screen has room, else as far right as the screen allows.
QPoint besideOwner(const QWidget* window, const QWidget* owner) {
    QPoint place = owner->frameGeometry().topRight() + QPoint(8, 0);
    if (const QScreen* screen = owner->screen()) {
        const QRect room = screen->availableGeometry();
        place.setX(std::max(room.left(), std::min(place.x(), room.right() - window->width())));
    }
    return place;
}

// Raises the tool window if it exists; otherwise builds it beside the calculator.
template <class ToolWindow> void showTool(ToolWindow*& window, Form1* calculator, QWidget* owner) {
    if (!window) {
        window = new ToolWindow(calculator, owner);
        window->move(besideOwner(window, owner));
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , calculator_(new Form1) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(calculator_->windowTitle());
    setWindowIcon(calculator_->windowIcon());
    setFont(calculator_->font());
    setCentralWidget(calculator_);
    createMenus();
    // The calculator keeps its fixed client area; the menu bar adds its own height.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void MainWindow::createMenus() {
    QMenu* file = menuBar()->addMenu(QString::fromUtf8("文件(&F)"));
    QAction* quit = file->addAction(QString::fromUtf8("退出(&X)"), this, &QWidget::close);
    quit->setObjectName(QStringLiteral("actionQuit"));
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

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

    QMenu* help = menuBar()->addMenu(QString::fromUtf8("帮助(&H)"));
    QAction* about =
        help->addAction(QString::fromUtf8("关于风速计算(&A)"), this, &MainWindow::showAbout);
    about->setObjectName(QStringLiteral("actionAbout"));
}

void MainWindow::showSizing() {
    showTool(sizing_, calculator_, this);
}

void MainWindow::showAirState() {
    showTool(airState_, calculator_, this);
}

void MainWindow::showDuctRun() {
    showTool(ductRun_, calculator_, this);
}

void MainWindow::showAbout() {
    QMessageBox::about(this, QString::fromUtf8("关于风速计算"),
                       QString::fromUtf8("<p><b>风速计算</b> %1</p>"
                                         "<p>通风管道的水力计算：风速、雷诺数、比摩阻与动压。</p>"
                                         "<p>Qt %2</p>")
                           .arg(QStringLiteral(DUCTCALC_VERSION), QString::fromLatin1(qVersion())));
}

} // namespace ui
