// The results out of the window: copied as text and as a table, and as the calculation sheet.

#include "calc/colebrook_line.h"
#include "ui/calculator/calculator_form.h"
#include "ui/main_window/main_window.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTextTable>
#include <QTimer>

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void init() {
        messages.clear();
        window = std::make_unique<ui::MainWindow>();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void copy_data() {
        QTest::addColumn<QString>("click"); // the shape's option, or formula two on a circle
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("text");
        QTest::newRow("circular")
            << "Option5"
            << "360"
            << QString::fromUtf8(
                   "风量\t360 m3/h\n风管\t圆形风管 φ100 mm\n材料\t薄钢板 K = 0.16 mm\n"
                   "阻力系数公式\t公式二\n空气密度\t1.204 kg/m3\n运动粘滞系数\t1.506E-05 m2/s\n"
                   "粗糙度\t.16\n风量\t360 m3/h\n风管尺寸\tφ 100\n当量直径\t.1 m\n"
                   "空气密度\t1.204 kg/m3\n粘滞系数\t1.506E-05 m2/s\n风速\t12.73241 m/s\n"
                   "雷诺数\t84544.52\n比摩阻\t24.29238 Pa/m\n动压\t97.59272 Pa\n");
        QTest::newRow("elliptic")
            << "Option6"
            << "3600"
            << QString::fromUtf8(
                   "风量\t3600 m3/h\n风管\t椭圆形风管 1000 × 800 mm\n材料\t薄钢板 K = 0.16 mm\n"
                   "阻力系数公式\t公式一\n空气密度\t1.204 kg/m3\n运动粘滞系数\t1.506E-05 m2/s\n"
                   "粗糙度\t.16\n风量\t3600 m3/h\n风管尺寸\t长径 1000 短径 800\n"
                   "当量直径\t.8861518 m\n空气密度\t1.204 kg/m3\n粘滞系数\t1.506E-05 m2/s\n"
                   "风速\t1.591551 m/s\n雷诺数\t93649.11\n比摩阻\t.02312981 Pa/m\n"
                   "动压\t1.524886 Pa\n");
    }
    // The inputs, then the ten results as shown; the HTML table holds the same cells.
    void copy() {
        QFETCH(QString, click);
        QFETCH(QString, flow);
        QFETCH(QString, text);
        clickOn(click);
        type("Text1", flow);
        trigger("actionCopyResults");
        const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(copied->text(), text);
        QTextDocument html;
        html.setHtml(copied->html());
        QCOMPARE(qobject_cast<QTextTable*>(html.rootFrame()->childFrames().value(0))->columns(), 2);
        QCOMPARE(html.toPlainText().trimmed(), QString(text).replace('\t', '\n').trimmed());
        const std::string reference = calc::colebrookLine(window->calculator()->state());
        QCOMPARE(label("Label8")->toolTip(), QString::fromStdString(reference));
        QCOMPARE(label("Label11")->toolTip(), label("Label8")->toolTip());
    }
    // The sheet holds every copied caption and value, the open duct run's losses and the
    // reference line; the calculator is left as it was.
    void sheet() {
        trigger("actionDuctRun");
        type("Text1", "1800");
        const calc::ResultTexts shown = window->calculator()->results();
        const QTemporaryDir folder;
        const QString path = folder.filePath(QString::fromUtf8("风管计算书.pdf"));
        answerDialogs(path);
        trigger("actionExportReport");
        QCOMPARE(window->calculator()->results(), shown);
        QVERIFY(QFileInfo(path).size() > 0);
#ifdef Q_OS_WIN
        QSKIP("the sheet is read back with poppler's pdftotext, a program of the Linux build");
#endif
        QProcess reader;
        reader.start("pdftotext", {"-layout", path, "-"});
        QVERIFY(reader.waitForFinished());
        // Blanks are left out: the reader guesses them from the gaps between glyphs.
        const QString sheet = QString::fromUtf8(reader.readAllStandardOutput()).remove(' ');
        trigger("actionCopyResults");
        const QString copied = QGuiApplication::clipboard()->text();
        QVERIFY(copied.contains(QString::fromUtf8("\n管段长度\t10 m\n")));
        for (const QString& cell :
             QString(copied).replace('\t', '\n').split('\n', Qt::SkipEmptyParts)) {
            QVERIFY2(sheet.contains(QString(cell).remove(' ')), qPrintable(cell));
        }
        QVERIFY(sheet.contains(label("Label11")->toolTip().remove(' ')));
    }

    // A folder that cannot be written, or a cancelled dialog, leaves no file; the first says why.
    void unwritable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("under a file") << "file/sheet.pdf"
                                      << "文件夹不存在。";
        QTest::newRow("folder gone") << "gone/sheet.pdf"
                                     << "文件夹不存在。";
        QTest::newRow("cancelled") << ""
                                   << "";
    }
    void unwritable() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QVERIFY(QFile(folder.filePath("file")).open(QIODevice::WriteOnly));
        answerDialogs(name.isEmpty() ? name : folder.filePath(name));
        trigger("actionExportReport");
        QCOMPARE(messages.size(), int(!name.isEmpty()));
        for (const QString& message : messages) {
            QCOMPARE(message, "错误提示|计算书未能保存到 " +
                                  QDir::toNativeSeparators(folder.filePath(name)) + "：" + reason +
                                  "|确定|1");
        }
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"file"});
    }

private:
    // Answers the file dialog with the path, or cancels it for none, and records and closes
    // every message box ("title|text|first button|number of buttons").
    void answerDialogs(const QString& path) {
        auto* timer = new QTimer(window.get());
        connect(timer, &QTimer::timeout, this, [this, path] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                name->setText(path);
                QTest::keyClick(name, path.isEmpty() ? Qt::Key_Escape : Qt::Key_Return);
            } else if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                const QList<QAbstractButton*> buttons = box->buttons();
                messages << box->windowTitle() + '|' + box->text() + '|' + buttons[0]->text() +
                                '|' + QString::number(buttons.size());
                QTest::mouseClick(buttons.value(0), Qt::LeftButton);
            }
        });
        timer->start(20);
    }

    QLabel* label(const char* name) const {
        return window->calculator()->findChild<QLabel*>(name);
    }
    void trigger(const char* action) {
        window->findChild<QAction*>(action)->trigger();
    }
    void clickOn(const QString& name) {
        auto* widget = window->calculator()->findChild<QWidget*>(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    void type(const char* box, const QString& keys) {
        auto* edit = window->calculator()->findChild<QLineEdit*>(box);
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, keys);
    }

    std::unique_ptr<ui::MainWindow> window;
    QStringList messages;
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
