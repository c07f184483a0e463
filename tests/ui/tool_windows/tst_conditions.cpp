// The working-condition tools: air properties applied to the calculator, the loss of a run.

#include "calc/air_properties.h"
#include "calculator_driver.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/tool_placement.h"
#include "ui/tool_windows/air_state_dialog.h"
#include "ui/tool_windows/duct_run_window.h"

#include <QDoubleSpinBox>
#include <QPushButton>

class TestConditions : public QObject {
    Q_OBJECT

private slots:
    void init() {
        d.start();
        d.type("Text1", "3600");
    }
    void cleanup() { d.stop(); }

    // Each tool opens once from its shortcut and is raised when opened again.
    void openedByShortcut() {
        ui::MainWindow main;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        for (int time = 0; time < 2; ++time) {
            for (const Qt::Key key : {Qt::Key_A, Qt::Key_R}) {
                main.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&main));
                QTest::keyClick(&main, key, Qt::ControlModifier | Qt::ShiftModifier);
            }
        }
        QCOMPARE(main.findChildren<ui::AirStateDialog*>().size(), 1);
        QCOMPARE(main.findChildren<ui::DuctRunWindow*>().size(), 1);
        // Each opens whole on the screen, at the size it shows.
        for (const QWidget* tool : {static_cast<QWidget*>(main.findChild<ui::AirStateDialog*>()),
                                    static_cast<QWidget*>(main.findChild<ui::DuctRunWindow*>())}) {
            QVERIFY(main.screen()->availableGeometry().contains(tool->frameGeometry()));
        }
    }

    // 应用 changes the calculator exactly as typing the shown texts into its boxes would.
    void applyActsAsTyping_data() {
        // The temperature, the pressure's or the altitude's box and its value, the humidity.
        QTest::addColumn<QStringList>("inputs");
        QTest::newRow("standard") << QStringList{"20", "airAltitude", "0", "0"};
        QTest::newRow("hot") << QStringList{"100", "airPressure", "101.325", "0"};
        QTest::newRow("plateau") << QStringList{"20", "airAltitude", "3650", "60"};
        QTest::newRow("cold, low") << QStringList{"-50", "airPressure", "110", "100"};
        QTest::newRow("smoke, high") << QStringList{"300", "airAltitude", "6000", "100"};
    }
    void applyActsAsTyping() {
        QFETCH(QStringList, inputs);
        ui::AirStateDialog dialog(d.form.get(), nullptr);
        dialog.show();
        type(dialog, "airTemperature", inputs[0]);
        type(dialog, inputs[1], inputs[2]);
        type(dialog, "airHumidity", inputs[3]);
        const double pressure = spinBox(dialog, "airPressure")->value();
        QVERIFY(qAbs(calc::altitudeAtPressure(pressure) - spinBox(dialog, "airAltitude")->value()) <
                1);
        QTest::mouseClick(dialog.findChild<QPushButton*>("airApply"), Qt::LeftButton);

        CalculatorDriver typed;
        typed.start();
        typed.type("Text1", "3600");
        typed.type("Text16", dialog.findChild<QLabel*>("airDensity")->text());
        typed.type("Text17", dialog.findChild<QLabel*>("airViscosity")->text());
        QCOMPARE(d.results(), typed.results());
        QVERIFY(d.messages.isEmpty());
        typed.stop();
    }

    // Keyboard only: Tab runs through the inputs to 应用 and 关闭, each input named aloud.
    void keyboardOnly() {
        ui::AirStateDialog dialog(d.form.get(), nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        spinBox(dialog, "airTemperature")->setFocus(Qt::TabFocusReason);
        QStringList chain;
        for (int step = 0; step < 6; ++step) {
            QWidget* focused = QApplication::focusWidget();
            chain << focused->objectName();
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(chain, QStringList({"airTemperature", "airPressure", "airAltitude", "airHumidity",
                                     "airApply", "airClose"}));
        // Enter presses 应用 from an input, also once the focus has been on the buttons.
        type(dialog, "airAltitude", "3650");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(d.text("Text16"), label(dialog, "airDensity"));
        const ui::DuctRunWindow run(d.form.get(), nullptr);
        for (const QWidget* window : std::initializer_list<const QWidget*>{&dialog, &run}) {
            for (const auto* input : window->findChildren<QAbstractSpinBox*>()) {
                QVERIFY(!input->accessibleName().isEmpty());
            }
        }
    }

    // Tool windows open clear of each other where the screen has room for them, and on it.
    void toolWindowsDoNotCover() {
        for (const QSize screen : {QSize(1920, 1080), QSize(2560, 1440)}) {
            const QRect room({0, 0}, screen - QSize(0, 40));
            const QRect owner(QPoint(), QSize(697, 470));
            QList<QRect> open;
            for (const QSize size : {QSize(360, 330), QSize(330, 280), QSize(760, 560)}) {
                const QRect placed(ui::toolWindowPlace(size, owner.translated(8, 8), open, room),
                                   size);
                QVERIFY(room.contains(placed) && !placed.intersects(owner.translated(8, 8)));
                for (const QRect& other : open) {
                    QVERIFY(!placed.intersects(other));
                }
                open << placed;
            }
        }
    }

    // A metre with Σζ 1 loses the calculator's R and Pd, an overflow included; one longer run.
    void runLosses() {
        ui::DuctRunWindow run(d.form.get(), nullptr);
        type(run, "runLength", "1");
        type(run, "runZeta", "1");
        for (const char* flow : {"1", "3600", "2e5", "1e39"}) {
            d.type("Text1", flow);
            QCOMPARE(label(run, "runFriction"),
                     d.result(calc::ResultRow::FrictionLoss).trimmed().remove("/m"));
            QCOMPARE(label(run, "runLocal"), d.result(calc::ResultRow::DynamicPressure).trimmed());
        }
        d.type("Text1", "3600");
        d.choose("Combo2", "400");
        type(run, "runLength", "25");
        type(run, "runZeta", "2.5");
        QCOMPARE(run.reportRows().last(),
                 (QPair<QString, QString>(QString::fromUtf8("总阻力"), "133.1506 Pa")));
    }

    // Without a duct area the calculator's R and Pd belong to an earlier velocity.
    void noVelocity() {
        ui::DuctRunWindow run(d.form.get(), nullptr);
        d.click("Check1");
        d.type("Text2", "");
        d.type("Text1", "7");
        QCOMPARE(label(run, "runVelocity"), QString::fromUtf8("请输入风管尺寸"));
        QCOMPARE(label(run, "runTotal"), QString::fromUtf8("请输入风管尺寸"));
    }

private:
    static QDoubleSpinBox* spinBox(const QWidget& window, const QString& name) {
        return window.findChild<QDoubleSpinBox*>(name);
    }
    static QString label(const QWidget& window, const char* name) {
        return window.findChild<QLabel*>(name)->text();
    }
    static void type(const QWidget& window, const QString& name, const QString& value) {
        QDoubleSpinBox* box = spinBox(window, name);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, value);
        QTest::keyClick(box, Qt::Key_Tab);
    }

    CalculatorDriver d;
};

QTEST_MAIN(TestConditions)
#include "tst_conditions.moc"
