// Qt's own dialogs speak Chinese as the program does: the file dialogs and the standard
// buttons of the message boxes, with the translations the program installs at start-up.

#include "ui/main_window/qt_translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

bool installed = false;

// The texts a user reads on the dialog's buttons and labels, with their mnemonics ("(&S)")
// taken out.
QStringList shownTexts(const QWidget* dialog) {
    QStringList texts;
    const auto add = [&](const QWidget* widget, QString text) {
        if (widget->isVisibleTo(dialog) && !text.isEmpty()) {
            texts << text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        }
    };
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        add(button, button->text());
        add(button, button->toolTip());
    }
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        add(label, label->text());
    }
    return texts;
}

} // namespace

class TestQtTranslations : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(installed, "qtbase_zh_CN.qm not found"); }

    // Each dialog as the program opens it; its texts are read once it shows, then it is
    // cancelled with Escape.
    void dialogsHaveNoEnglish_data() {
        QTest::addColumn<std::function<void()>>("open");
        QTest::newRow("save file") << std::function<void()>([] {
            QFileDialog::getSaveFileName(nullptr, QString::fromUtf8("导出计算书"), QString(),
                                         QString::fromUtf8("PDF 文件 (*.pdf)"));
        });
        QTest::newRow("open file") << std::function<void()>(
            [] { QFileDialog::getOpenFileName(nullptr, QString::fromUtf8("打开管网")); });
        QTest::newRow("question") << std::function<void()>([] {
            QMessageBox::question(nullptr, QString::fromUtf8("删除管段"),
                                  QString::fromUtf8("一并删除？"));
        });
        QTest::newRow("information") << std::function<void()>([] {
            QMessageBox::information(nullptr, QString::fromUtf8("提示"),
                                     QString::fromUtf8("完成。"));
        });
    }
    void dialogsHaveNoEnglish() {
        QFETCH(std::function<void()>, open);
        QStringList texts;
        QTimer::singleShot(0, [&texts] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            texts = shownTexts(dialog);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        open();
        QVERIFY(!texts.isEmpty());
        const QStringList english =
            texts.filter(QRegularExpression(QStringLiteral("[A-Za-z]{2,}")));
        QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral(" | "))));
    }
};

int main(int argc, char* argv[]) {
    // Qt's own file dialog, which a test can read, also where the system has its own.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    QApplication app(argc, argv);
    installed = ui::installQtTranslations();
    TestQtTranslations test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qt_translations.moc"
