// The sizing window: its rows, limits, recommendation, applying a row and copying rows.

#include "calculator_driver.h"
#include "ui/main_window/main_window.h"
#include "ui/tool_windows/sizing_model.h"
#include "ui/tool_windows/sizing_window.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTableView>

class TestSizing : public QObject {
    Q_OBJECT

private slots:
    void init() {
        d.start();
        window = std::make_unique<ui::SizingWindow>(d.form.get(), nullptr);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        window.reset();
        d.stop();
    }

    // One window, built when first opened and raised when opened again.
    void openedFromTheMenu() {
        ui::MainWindow main;
        QCOMPARE(main.findChildren<ui::SizingWindow*>().size(), 0);
        for (int time = 0; time < 2; ++time) {
            main.findChild<QAction*>("actionSizing")->trigger();
        }
        QCOMPARE(main.findChildren<ui::SizingWindow*>().size(), 1);
    }

    // Every row shows what the calculator shows once the row is applied, for every shape,
    // with the rows sorted by area and the aspect limit kept.
    void rowsEqualTheCalculatorAfterApplying_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("aspect");
        QTest::addColumn<int>("rows");
        QTest::newRow("circular") << "Option1"
                                  << "4" << 26;
        QTest::newRow("circular, aspect below 1") << "Option1"
                                                  << "0.5" << 26;
        QTest::newRow("rectangular up to 4") << "Option2"
                                             << "4" << 98;
        QTest::newRow("rectangular unlimited") << "Option2"
                                               << "0" << 153;
        QTest::newRow("elliptic up to 2") << "Option6"
                                          << "2" << 62;
    }
    void rowsEqualTheCalculatorAfterApplying() {
        QFETCH(QString, shape);
        QFETCH(QString, aspect);
        QFETCH(int, rows);
        d.type("Text1", "2500");
        d.click(shape);
        type("maxAspect", aspect);
        QCOMPARE(model()->rowCount(), rows);
        for (int row = 0; row < rows; ++row) {
            const calc::SizingRow expected = model()->row(row);
            QVERIFY(expected.aspect <= aspect.toDouble() || aspect == "0" || shape == "Option1");
            // By the product of the shape's sides (the other shapes' are the same in every row),
            // equal products squarer first.
            const auto sidesAndAspect = [](const calc::SizingRow& r) {
                const auto& s = r.state;
                return std::pair(double(s.diam) * s.diam + double(s.rectLong) * s.rectShort +
                                     double(s.ellMajor) * s.ellMinor,
                                 r.aspect);
            };
            QVERIFY(row == 0 || sidesAndAspect(model()->row(row - 1)) <= sidesAndAspect(expected));
            table()->selectRow(row);
            QTest::mouseClick(window->findChild<QPushButton*>("sizingApply"), Qt::LeftButton);
            QStringList texts;
            for (const std::string& text : expected.texts) {
                texts << QString::fromStdString(text);
            }
            QCOMPARE(d.results(), texts);
        }
    }

    void recommendation_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("velocity");
        QTest::addColumn<QString>("friction");
        QTest::addColumn<QString>("size");
        QTest::newRow("both limits") << "Option1"
                                     << "3600"
                                     << "8"
                                     << "1.5"
                                     << "φ 450";
        QTest::newRow("velocity only") << "Option1"
                                       << "3600"
                                       << "8"
                                       << "0"
                                       << "φ 400";
        QTest::newRow("no limit") << "Option1"
                                  << "3600"
                                  << "0"
                                  << "0"
                                  << "φ 100";
        QTest::newRow("rectangular") << "Option2"
                                     << "3600"
                                     << "8"
                                     << "1.5"
                                     << " 630 * 250";
        QTest::newRow("none fits") << "Option1"
                                   << "1e6"
                                   << "8"
                                   << "1.5"
                                   << "";
        QTest::newRow("no flow") << "Option1"
                                 << "0"
                                 << "8"
                                 << "1.5"
                                 << "";
    }
    void recommendation() {
        QFETCH(QString, shape);
        QFETCH(QString, flow);
        QFETCH(QString, velocity);
        QFETCH(QString, friction);
        QFETCH(QString, size);
        d.click(shape);
        d.type("Text1", flow);
        type("maxVelocity", velocity);
        type("maxFriction", friction);
        const auto recommended = model()->recommended();
        QCOMPARE(recommended ? QString::fromStdString(model()->row(*recommended).texts[2]) : "",
                 size);
        if (recommended) {
            QCOMPARE(table()->selectionModel()->selectedRows().value(0).row(), *recommended);
        }
        const bool off = velocity == "0";
        QCOMPARE(window->findChild<QDoubleSpinBox*>("maxVelocity")->text(),
                 off ? QString::fromUtf8("不限") : velocity + ".0");
    }

    // A double-click or Enter on a row picks its size from the lists.
    void applyByMouseAndKey() {
        d.click("Check1");
        d.click("Option2");
        d.type("Text1", "3600");
        const QModelIndex index = model()->index(5, 0);
        table()->scrollTo(index);
        // A double-click starts as a click: QTest sends only its second half.
        const QPoint cell = table()->visualRect(index).center();
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(table()->viewport(), Qt::LeftButton, {}, cell);
        QVERIFY(!d.selected("Check1"));
        QCOMPARE(d.result(calc::ResultRow::Size), QString::fromStdString(model()->row(5).texts[2]));

        table()->setFocus();
        table()->selectRow(0);
        QTest::keyClick(table(), Qt::Key_Down);
        QTest::keyClick(table(), Qt::Key_Return);
        QCOMPARE(d.result(calc::ResultRow::Size), QString::fromStdString(model()->row(1).texts[2]));

        // With several rows selected, Enter and 应用 take the row the user is on, which stays
        // selected.
        QPushButton* apply = window->findChild<QPushButton*>("sizingApply");
        for (const bool byKey : {true, false}) {
            d.choose("Combo3", "120");
            table()->selectRow(2);
            const QPoint fourth = table()->visualRect(model()->index(4, 0)).center();
            QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::ControlModifier, fourth);
            QCOMPARE(table()->selectionModel()->selectedRows().size(), 2);
            byKey ? QTest::keyClick(table(), Qt::Key_Return)
                  : QTest::mouseClick(apply, Qt::LeftButton);
            QCOMPARE(d.result(calc::ResultRow::Size),
                     QString::fromStdString(model()->row(4).texts[2]));
            QCOMPARE(table()->selectionModel()->selectedRows().value(0).row(), 4);
        }
    }

    // A limit stepped by the keys applies as the box shows it, as if typed.
    void steppedLimitsApplyAsShown() {
        d.click("Option2");
        d.type("Text1", "3600");
        const auto rowsAndMatches = [this] {
            int matches = 0;
            for (int row = 0; row < model()->rowCount(); ++row) {
                matches += model()->row(row).meetsLimits;
            }
            return std::pair(model()->rowCount(), matches);
        };
        for (const auto& [limit, start] :
             {std::pair("maxAspect", "13.2"), {"maxVelocity", "7.3"}, {"maxFriction", "1.3"}}) {
            auto* box = window->findChild<QDoubleSpinBox*>(limit);
            type(limit, start);
            QTest::keyClick(box, Qt::Key_PageDown);
            const auto stepped = rowsAndMatches();
            type(limit, box->text());
            QCOMPARE(rowsAndMatches(), stepped);
        }
    }

    // The selected rows, with the header, paste into a spreadsheet.
    void copy() {
        d.type("Text1", "3600");
        table()->setFocus();
        table()->selectRow(0);
        QTest::keyClick(table(), Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString::fromUtf8(
                     "尺寸\t当量直径 m\t风速 m/s\t比摩阻 Pa/m\t比摩阻 (C-W) Pa/m\t动压 Pa\t雷诺数\n"
                     "φ 100\t.1\t127.3241\t2154.387\t2181\t9759.271\t845445.3\n"
                     "φ 120\t.12\t88.41949\t826.4518\t840.8\t4706.44\t704537.8\n"));
    }

private:
    QTableView* table() { return window->findChild<QTableView*>("sizingTable"); }
    ui::SizingModel* model() { return static_cast<ui::SizingModel*>(table()->model()); }
    void type(const char* limit, const QString& value) {
        auto* box = window->findChild<QDoubleSpinBox*>(limit);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, value);
        QTest::keyClick(box, Qt::Key_Tab);
    }

    CalculatorDriver d;
    std::unique_ptr<ui::SizingWindow> window;
};

QTEST_MAIN(TestSizing)
#include "tst_sizing.moc"
