// The duct system window's files: new, open, recent, save, export, and the question about
// unsaved changes before any of them drops the system.

#include "exports/command_line.h"
#include "files/file_access.h"
#include "files/system_report.h"
#include "system/system_table.h"
#include "ui/system_window/duct_system_window.h"
#include "ui/system_window/system_document.h"
#include "ui/system_window/system_table_model.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QCloseEvent>
#include <QDate>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTableView>

namespace ui {

namespace {

const QLatin1String recentKey("recentSystemFiles");
constexpr int recentCount = 8;
const QLatin1String projectSuffix(".ductsys");

QString projectFilter() {
    return QString::fromUtf8("管网文件 (*.ductsys)");
}

QStringList recentFiles() {
    return QSettings().value(recentKey).toStringList();
}

void setRecentFiles(const QStringList& paths) {
    QSettings().setValue(recentKey, paths);
}

void rememberFile(const QString& path) {
    QStringList paths = recentFiles();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths.removeAll(absolute);
    paths.prepend(absolute);
    setRecentFiles(paths.mid(0, recentCount));
}

// The path as typed in a save dialog, with the suffix added when left out.
QString withSuffix(QString path, QLatin1String suffix) {
    if (!path.isEmpty() && !path.endsWith(suffix, Qt::CaseInsensitive)) {
        path += suffix;
    }
    return path;
}

} // namespace

void DuctSystemWindow::createFileMenu() {
    QMenu* file = menuBar()->addMenu(QString::fromUtf8("文件(&F)"));
    addMenuAction(file, "actionSystemNew", "新建(&N)", QKeySequence::New,
                  &DuctSystemWindow::newSystem);
    addMenuAction(file, "actionSystemOpen", "打开(&O)…", QKeySequence::Open,
                  &DuctSystemWindow::openChosenFile);
    recentMenu_ = file->addMenu(QString::fromUtf8("最近打开的文件(&R)"));
    recentMenu_->setObjectName(QStringLiteral("menuRecentSystems"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &DuctSystemWindow::showRecentFiles);
    file->addSeparator();
    addMenuAction(file, "actionSystemSave", "保存(&S)", QKeySequence::Save,
                  &DuctSystemWindow::save);
    addMenuAction(file, "actionSystemSaveAs", "另存为(&A)…",
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &DuctSystemWindow::saveAs);
    addMenuAction(file, "actionSystemExportCsv", "导出 CSV(&E)…", {},
                  [this] { exportAs("导出 CSV", "CSV 文件 (*.csv)", QLatin1String(".csv")); });
    addMenuAction(file, "actionSystemExportXlsx", "导出 Excel(&X)…", {}, [this] {
        exportAs("导出 Excel", "Excel 工作簿 (*.xlsx)", QLatin1String(".xlsx"));
    });
    addMenuAction(file, "actionSystemExportPdf", "导出计算书 PDF(&P)…", {},
                  [this] { exportAs("导出计算书", "PDF 文件 (*.pdf)", QLatin1String(".pdf")); });
    file->addSeparator();
    addMenuAction(file, "actionSystemClose", "关闭(&C)", {}, &QWidget::close);
}

void DuctSystemWindow::setFilePath(const QString& path) {
    filePath_ = path;
    recovery_->setFilePath(path);
    const QString name = files::systemFileName(path);
    setWindowTitle(QString::fromUtf8("管网水力计算 - %1[*]").arg(name));
}

// A cell being typed into is part of the system the user sees, so it is in what is saved or
// asked about; its editor stays open.
void DuctSystemWindow::commitTypedCell() {
    const QModelIndex index = table_->currentIndex();
    if (QWidget* editor = table_->indexWidget(index)) {
        table_->itemDelegateForIndex(index)->setModelData(editor, model_, index);
    }
}

bool DuctSystemWindow::maybeSave() {
    commitTypedCell();
    if (!document_->isModified()) {
        return true;
    }
    QMessageBox box(QMessageBox::Warning, windowTitle().remove(QStringLiteral("[*]")),
                    QString::fromUtf8("管网有未保存的修改。是否保存？"), QMessageBox::NoButton,
                    this);
    QPushButton* saveButton = box.addButton(QString::fromUtf8("保存"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QString::fromUtf8("不保存"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QString::fromUtf8("取消"), QMessageBox::RejectRole);
    saveButton->setObjectName(QStringLiteral("saveChanges"));
    discard->setObjectName(QStringLiteral("discardChanges"));
    cancel->setObjectName(QStringLiteral("cancelClosing"));
    box.setDefaultButton(saveButton);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == saveButton) {
        return save();
    }
    return box.clickedButton() == discard;
}

// Closing the window closes the system: changes the user gives up are not kept for the next
// time it opens.
void DuctSystemWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    if (document_->isModified()) {
        document_->clear();
        setFilePath({});
    }
    event->accept();
}

void DuctSystemWindow::newSystem() {
    if (maybeSave()) {
        document_->clear();
        setFilePath({});
    }
}

void DuctSystemWindow::openChosenFile() {
    if (!maybeSave()) {
        return;
    }
    const QString folder = filePath_.isEmpty()
                               ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                               : QFileInfo(filePath_).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(this, QString::fromUtf8("打开管网"), folder, projectFilter());
    if (!path.isEmpty()) {
        openFile(path);
    }
}

bool DuctSystemWindow::openFile(const QString& path) {
    auto read = files::openProjectFile(path);
    if (const QString* reason = std::get_if<QString>(&read)) {
        QMessageBox::warning(
            this, QString::fromUtf8("打开管网"),
            QString::fromUtf8("无法打开 %1：\n%2").arg(QDir::toNativeSeparators(path), *reason));
        return false;
    }
    document_->load(std::move(std::get<files::Project>(read)));
    setFilePath(QFileInfo(path).absoluteFilePath());
    rememberFile(path);
    return true;
}

void DuctSystemWindow::showRecentFiles() {
    recentMenu_->clear();
    const QStringList paths = recentFiles();
    for (int i = 0; i < paths.size(); ++i) {
        QAction* action = recentMenu_->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(paths[i])));
        action->setObjectName(QStringLiteral("actionRecentSystem%1").arg(i + 1));
        connect(action, &QAction::triggered, this,
                [this, path = paths[i]] { openRecentFile(path); });
    }
    recentMenu_->setEnabled(!paths.isEmpty());
}

void DuctSystemWindow::openRecentFile(const QString& path) {
    if (!QFileInfo::exists(path)) {
        QStringList paths = recentFiles();
        paths.removeAll(path);
        setRecentFiles(paths);
        QMessageBox::information(this, QString::fromUtf8("最近打开的文件"),
                                 QString::fromUtf8("%1 已不存在，已从最近打开的文件中移除。")
                                     .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (maybeSave()) {
        openFile(path);
    }
}

bool DuctSystemWindow::save() {
    return filePath_.isEmpty() ? saveAs() : saveTo(filePath_);
}

bool DuctSystemWindow::saveAs() {
    const QString suggested =
        filePath_.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                                  QString::fromUtf8("/管网") + projectSuffix
                            : filePath_;
    const QString path = withSuffix(
        QFileDialog::getSaveFileName(this, QString::fromUtf8("另存为"), suggested, projectFilter()),
        projectSuffix);
    return !path.isEmpty() && saveTo(path);
}

bool DuctSystemWindow::saveTo(const QString& path) {
    commitTypedCell();
    if (const auto reason =
            files::writeFileAtomically(path, files::projectBytes(document_->project()))) {
        QMessageBox::warning(
            this, QString::fromUtf8("保存管网"),
            QString::fromUtf8("无法保存 %1：\n%2").arg(QDir::toNativeSeparators(path), *reason));
        return false;
    }
    setFilePath(QFileInfo(path).absoluteFilePath());
    document_->undoStack()->setClean();
    rememberFile(path);
    return true;
}

// An incomplete system is exported only when the user says so; its sheets say it.
bool DuctSystemWindow::exportIncomplete(const char* title) {
    commitTypedCell();
    if (document_->result().complete()) {
        return true;
    }
    return confirm(QMessageBox::Warning, title,
                   QString::fromStdString(
                       ductsys::incompleteText(document_->segments(), document_->result())) +
                       QString::fromUtf8("。\n仍要导出吗？导出的表格将标明“计算不完整”。"),
                   {"导出", "exportIncomplete"}, "cancelExport");
}

// A file of the system in another format, named after the system's file.
void DuctSystemWindow::exportAs(const char* title, const char* filter, QLatin1String suffix) {
    if (!exportIncomplete(title)) {
        return;
    }
    const QString base =
        filePath_.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                  QString::fromUtf8("/管网")
            : QFileInfo(filePath_).dir().filePath(QFileInfo(filePath_).completeBaseName());
    const QString path =
        withSuffix(QFileDialog::getSaveFileName(this, QString::fromUtf8(title), base + suffix,
                                                QString::fromUtf8(filter)),
                   suffix);
    if (path.isEmpty()) {
        return;
    }
    commitTypedCell();
    const files::SystemReport report{files::systemName(filePath_), QDate::currentDate(),
                                     document_->segments(), document_->settings(),
                                     document_->result()};
    if (const auto reason = exports::writeSystemAs(path, report)) {
        QMessageBox::warning(
            this, QString::fromUtf8(title),
            QString::fromUtf8("无法写入 %1：\n%2").arg(QDir::toNativeSeparators(path), *reason));
    }
}

void DuctSystemWindow::restore(const RecoveryCopy::Left& left) {
    document_->load(left.project);
    document_->undoStack()->resetClean();
    setFilePath(left.filePath);
    // The work is in this program's own copy before the one left behind goes.
    recovery_->write();
    RecoveryCopy::removeLeft(left);
}

} // namespace ui
