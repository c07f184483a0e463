// The program's start as main.cpp makes it: what waits until the first frame is painted.

#include "files/file_access.h"
#include "files/project_file.h"
#include "ui/main_window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    // A copy that a crashed program left is offered once the window has been painted, not
    // before: the check reads the data folder and the copy, which the first frame does not
    // show. Discarding it removes it.
    void offersRecoveryAfterTheFirstFrame() {
        const QString folder =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
        QDir(folder).removeRecursively();
        QVERIFY(QDir().mkpath(folder));
        const QString left = folder + "/left.ductsys";
        QCOMPARE(files::writeFileAtomically(left, files::projectBytes(files::Project{})),
                 std::nullopt);

        ui::MainWindow window;
        PaintCounter counter;
        window.installEventFilter(&counter);
        int paintsBeforeOffer = -1;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box && box->isVisible()) {
                paintsBeforeOffer = counter.paints;
                QTest::mouseClick(
                    box->findChild<QAbstractButton*>(QStringLiteral("discardRecovery")),
                    Qt::LeftButton);
            }
        });
        poll.start(10);
        window.show();
        window.offerRecoveryAfterFirstPaint();
        QTRY_VERIFY(!QFile::exists(left));
        QVERIFY(paintsBeforeOffer > 0);
    }
};

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ductcalc-tests"));
    QStandardPaths::setTestModeEnabled(true);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
