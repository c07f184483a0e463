// The duct system window's files as a user handles them: the file dialogs, the question about
// unsaved changes, refusals, recent files, and unsaved work that outlives the program.

#include "files/project_file.h"
#include "system_window/system_table_keys.h"
#include "ui/main_window/main_window.h"
#include "ui/system_window/duct_system_window.h"
#include "ui/system_window/system_document.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

using ductsys::Column;

namespace {

QString recoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QLatin1String("/recovery");
}

struct Answer {
    QString text;     // a file's path (empty for the one suggested), or a button's object name
                      // (empty for the only one)
    QString* message; // where the message box's text goes, if anywhere
};

QList<Answer> answers;

// Answers the modal dialog showing, if an answer waits: types the path into a file dialog,
// or clicks the named button of a message box.
void answerDialog() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (answers.isEmpty() || !dialog || !dialog->isVisible()) {
        return;
    }
    const Answer answer = answers.takeFirst();
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
        // Set, not typed: typing would open the completer's list, which takes the Enter.
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!answer.text.isEmpty()) {
            name->setText(answer.text);
        }
        QTest::keyClick(name, Qt::Key_Return);
    } else if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        if (answer.message) {
            *answer.message = box->text();
        }
        QTest::mouseClick(answer.text.isEmpty() ? box->buttons().value(0)
                                                : box->findChild<QAbstractButton*>(answer.text),
                          Qt::LeftButton);
    }
}

// Answers modal dialogs in the order they show, one answer each.
void answerNext(const QString& text, QString* message = nullptr) {
    static QTimer poll;
    static const bool connected = QObject::connect(&poll, &QTimer::timeout, answerDialog);
    Q_UNUSED(connected);
    answers << Answer{text, message};
    poll.start(10);
}

// Started again as a child of the test: edits a system until its recovery copy is on disk,
// says "ready" and waits to be killed.
int editUntilKilled() {
    ui::MainWindow main;
    main.show();
    main.findChild<QAction*>(QStringLiteral("actionDuctSystem"))->trigger();
    auto* window = main.findChild<ui::DuctSystemWindow*>();
    window->recovery()->setInterval(50);
    window->findChild<QAction*>(QStringLiteral("actionAddSegment"))->trigger();
    typeCell(window->findChild<QTableView*>(), 0, Column::Flow, QStringLiteral("4321"));
    for (int wait = 0; QDir(recoveryFolder()).entryList({QStringLiteral("*.ductsys")}).isEmpty();
         ++wait) {
        if (wait == 500) {
            return 1;
        }
        QTest::qWait(20);
    }
    std::puts("ready");
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class TestSystemFiles : public QObject {
    Q_OBJECT

    QTemporaryDir folder;
    std::unique_ptr<ui::MainWindow> main;
    ui::DuctSystemWindow* window = nullptr;
    QTableView* table = nullptr;

    QString path(const QString& name) const { return folder.filePath(name); }
    QString cell(int row, int column) const {
        return table->model()->index(row, column).data(Qt::EditRole).toString();
    }
    void trigger(const char* action) {
        window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    }
    QByteArray bytesOf(const QString& file) const {
        QFile read(file);
        return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
    }
    void write(const QString& file, const QByteArray& bytes) const {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    // One segment with its flow typed: an unsaved system.
    void modify(const QString& flow = QStringLiteral("1500")) {
        if (table->model()->rowCount() == 0) {
            trigger("actionAddSegment");
        }
        typeCell(table, 0, Column::Flow, flow);
        QVERIFY(window->isWindowModified());
    }
    void saveAs(const QString& file) {
        answerNext(file);
        trigger("actionSystemSaveAs");
    }

private slots:
    void init() {
        QDir(recoveryFolder()).removeRecursively();
        QSettings().clear();
        main = std::make_unique<ui::MainWindow>();
        main->show();
        main->findChild<QAction*>(QStringLiteral("actionDuctSystem"))->trigger();
        window = main->findChild<ui::DuctSystemWindow*>();
        table = window->findChild<QTableView*>(QStringLiteral("systemTable"));
    }
    void cleanup() { main.reset(); }

    // Saved under a name without its suffix, closed, opened again: the same system, the
    // file's name in the title, and the file first among the recent ones.
    void savesAndOpens() {
        modify();
        saveAs(path(QStringLiteral("风管")));
        const QString saved = path(QStringLiteral("风管.ductsys"));
        QCOMPARE(bytesOf(saved), files::projectBytes(window->document()->project()));
        QCOMPARE(window->windowTitle(), QString::fromUtf8("管网水力计算 - 风管.ductsys[*]"));
        QVERIFY(!window->isWindowModified());
        trigger("actionSystemNew");
        QCOMPARE(table->model()->rowCount(), 0);
        answerNext(saved);
        trigger("actionSystemOpen");
        QCOMPARE(cell(0, Column::Flow), QStringLiteral("1500"));
        QVERIFY(!window->isWindowModified());
        auto* recent = window->findChild<QMenu*>(QStringLiteral("menuRecentSystems"));
        emit recent->aboutToShow();
        QVERIFY(recent->actions().value(0)->text().endsWith(QDir::toNativeSeparators(saved)));
    }

    // The table, the workbook and the calculation sheet from the menu, named as chosen.
    void exportsFromTheMenu_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("suffix");
        QTest::newRow("csv") << "actionSystemExportCsv"
                             << ".csv";
        QTest::newRow("xlsx") << "actionSystemExportXlsx"
                              << ".xlsx";
        QTest::newRow("pdf") << "actionSystemExportPdf"
                             << ".pdf";
    }
    void exportsFromTheMenu() {
        QFETCH(QString, action);
        QFETCH(QString, suffix);
        modify();
        answerNext(path(QStringLiteral("导出")));
        trigger(action.toLatin1().constData());
        QVERIFY(QFileInfo(path(QStringLiteral("导出") + suffix)).size() > 0);
    }

    // An incomplete system is exported only when the user says so, and then marked.
    void asksBeforeExportingAnIncompleteSystem() {
        modify(QStringLiteral("12a"));
        QString asked;
        answerNext(QStringLiteral("cancelExport"), &asked);
        trigger("actionSystemExportCsv");
        QVERIFY2(asked.startsWith(QString::fromUtf8("计算不完整：1 个管段无法计算")),
                 qPrintable(asked));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("不完整.csv"))));
        answerNext(QStringLiteral("exportIncomplete"));
        answerNext(path(QStringLiteral("不完整")));
        trigger("actionSystemExportCsv");
        QVERIFY(QString::fromUtf8(bytesOf(path(QStringLiteral("不完整.csv"))))
                    .section(QLatin1Char('\n'), 0, 0)
                    .contains(QString::fromUtf8("计算不完整")));
    }

    // An export is suggested beside the open file, under its name, whatever its suffix.
    void suggestsTheFilesName() {
        const QString file = path(QStringLiteral("系统.v2.json"));
        write(file, files::projectBytes({}));
        answerNext(file);
        trigger("actionSystemOpen");
        answerNext(QString());
        trigger("actionSystemExportCsv");
        QVERIFY(QFileInfo::exists(path(QStringLiteral("系统.v2.csv"))));
    }

    // Ctrl+S while a cell is being typed into saves what it shows.
    void savesTheCellBeingTyped() {
        modify();
        saveAs(path(QStringLiteral("typing.ductsys")));
        clickCell(table, 0, Column::Note);
        QTest::keyClick(table, Qt::Key_F2);
        typeText(QApplication::focusWidget(), QString::fromUtf8("未按回车"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(bytesOf(path(QStringLiteral("typing.ductsys"))).contains("未按回车"));
    }

    // Closing, 新建 and quitting ask first; 取消 keeps everything, 不保存 drops the changes,
    // 保存 writes them.
    void asksBeforeDroppingChanges_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("action");
        for (const char* action : {"actionSystemClose", "actionSystemNew", "quit"}) {
            for (const char* answer : {"cancelClosing", "discardChanges", "saveChanges"}) {
                QTest::addRow("%s %s", action, answer) << answer << action;
            }
        }
    }
    void asksBeforeDroppingChanges() {
        QFETCH(QString, answer);
        QFETCH(QString, action);
        const QString file = path(answer + action + QStringLiteral(".ductsys"));
        modify(QStringLiteral("100"));
        saveAs(file);
        modify(QStringLiteral("200"));
        const QByteArray unsaved = files::projectBytes(window->document()->project());
        QString question;
        answerNext(answer, &question);
        if (action == QLatin1String("quit")) {
            main->close();
        } else {
            trigger(action.toLatin1().constData());
        }
        QCOMPARE(question, QString::fromUtf8("管网有未保存的修改。是否保存？"));
        const bool cancelled = answer == QLatin1String("cancelClosing");
        QCOMPARE(window->isWindowModified(), cancelled);
        QCOMPARE(main->isVisible(), cancelled || action != QLatin1String("quit"));
        const bool saved = answer == QLatin1String("saveChanges");
        QCOMPARE(table->model()->rowCount() == 1,
                 cancelled || (saved && action != QLatin1String("actionSystemNew")));
        QCOMPARE(bytesOf(file) == unsaved, saved);
    }

    // A bad file or a failed save says why, and the system stays as it was.
    void refusesAndSaysWhy_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("says");
        QTest::newRow("not JSON") << "actionSystemOpen"
                                  << "bad.ductsys"
                                  << QString::fromUtf8("文件不是有效的 JSON：第 1 行第 2 列");
        QTest::newRow("no folder") << "actionSystemSaveAs"
                                   << "missing/x.ductsys" << QString::fromUtf8("文件夹不存在。");
    }
    void refusesAndSaysWhy() {
        QFETCH(QString, action);
        QFETCH(QString, file);
        QFETCH(QString, says);
        write(path(QStringLiteral("bad.ductsys")), "{]");
        modify();
        const QByteArray before = files::projectBytes(window->document()->project());
        if (action == QLatin1String("actionSystemOpen")) {
            answerNext(QStringLiteral("discardChanges"));
        }
        QString message;
        answerNext(path(file));
        answerNext(QString(), &message);
        trigger(action.toLatin1().constData());
        QVERIFY2(message.contains(says), qPrintable(message));
        QCOMPARE(files::projectBytes(window->document()->project()), before);
        QVERIFY(window->isWindowModified());
    }

    // A recent file that is gone drops out of the list, with a note.
    void dropsGoneRecentFile() {
        modify();
        const QString file = path(QStringLiteral("gone.ductsys"));
        saveAs(file);
        QFile::remove(file);
        auto* recent = window->findChild<QMenu*>(QStringLiteral("menuRecentSystems"));
        emit recent->aboutToShow();
        QString note;
        answerNext(QString(), &note);
        recent->actions().value(0)->trigger();
        QVERIFY(note.contains(QDir::toNativeSeparators(file)));
        emit recent->aboutToShow();
        QVERIFY(recent->actions().isEmpty());
    }

    // Random edits, all undone, save the file's bytes again.
    void undoneEditsSaveTheOriginal() {
        modify();
        trigger("actionAddBranch");
        const QString file = path(QStringLiteral("undo.ductsys"));
        saveAs(file);
        const QByteArray original = bytesOf(file);
        QRandomGenerator random(7);
        const QStringList texts{"", "12", "圆形", "630×250", "自动", "x", "-1", "A"};
        for (int edit = 0; edit < 40; ++edit) {
            if (random.bounded(8) == 0) {
                clickCell(table, int(random.bounded(table->model()->rowCount())), Column::Id);
                trigger(random.bounded(2) ? "actionAddSegment" : "actionAddBranch");
            } else {
                typeCell(table, int(random.bounded(table->model()->rowCount())),
                         int(random.bounded(int(Column::ColumnCount))),
                         texts[random.bounded(texts.size())]);
            }
        }
        while (window->isWindowModified()) {
            table->setFocus();
            QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        }
        QFile::remove(file);
        window->saveTo(file);
        QCOMPARE(bytesOf(file), original);
    }

    // Killed with unsaved changes, the program offers them at the next start.
    void restoresAfterKill() {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DUCTCALC_RECOVERY_CHILD"), QStringLiteral("1"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {});
        QByteArray said;
        while (!said.contains("ready") && child.waitForReadyRead(30000)) {
            said += child.readAllStandardOutput();
        }
        QVERIFY2(said.contains("ready"), said.constData());
        child.kill();
        QVERIFY(child.waitForFinished());

        answerNext(QStringLiteral("restoreRecovery"));
        main->offerRecovery();
        QCOMPARE(cell(0, Column::Flow), QStringLiteral("4321"));
        QVERIFY(window->isVisible() && window->isWindowModified());
        QVERIFY(!ui::RecoveryCopy::leftBehind());
    }
};

int main(int argc, char* argv[]) {
    // Qt's own file dialogs, which a test can answer, also where the system has its own.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    // Settings of their own, and named, as Windows keeps none for a nameless organization.
    QCoreApplication::setOrganizationName(QStringLiteral("ductcalc-tests"));
    QStandardPaths::setTestModeEnabled(true);
    if (qEnvironmentVariableIsSet("DUCTCALC_RECOVERY_CHILD")) {
        return editUntilKilled();
    }
    TestSystemFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_system_files.moc"
