// The flow box and its unit list.

#include "calculator_driver.h"

class TestForm1Flow : public QObject {
    Q_OBJECT

private slots:
    void init() { d.start(); }
    void cleanup() { d.stop(); }

    // From a flow of 5 m3/h, so a zero flow shows a recalculation. "=" pastes the text.
    void entry_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<QString>("flow");
        const char* rows[][3] = {{"-12", "12", " 12"},
                                 {"=-0.5", "0.5", " .5"},
                                 {"=-1.5e2", "150", " 150"},
                                 {"", "", " 0"},
                                 {"-", "-", " 0"},
                                 {"abc", "abc", " 0"},
                                 {"=-0", "-0", " 0"},
                                 {"12abc", "12abc", " 12"},
                                 {" 1 000", " 1 000", " 1000"},
                                 {"=-3.5e38", "3.5E+38", "溢出"}};
        for (const auto& [keys, boxText, flow] : rows) {
            // An overflowed flow reads "溢出" without its unit.
            const QString caption = QString::fromUtf8(flow);
            QTest::addRow("'%s'", keys)
                << keys << boxText << (caption.startsWith(' ') ? caption + " m3/h" : caption);
        }
    }
    void entry() {
        QFETCH(QString, keys);
        QFETCH(QString, boxText);
        QFETCH(QString, flow);
        d.type("Text1", "5");
        d.type("Text1", keys);
        if (keys.contains('-') && !boxText.startsWith('-')) { // the minus was refused
            EXPECT_ONE_MESSAGE(d, QString::fromUtf8("空气流量不得小于0，"
                                                    "点击确定按钮后重新输入空气流量！"));
            QCOMPARE(d.focused(), d.get("Text1"));
        } else {
            QVERIFY(d.messages.isEmpty());
        }
        QCOMPARE(d.text("Text1"), boxText);
        QCOMPARE(d.label("Label10"), flow);
        QCOMPARE(d.label("Label6"), QString::fromUtf8("φ 100"));
    }

    // The number is read in the unit chosen last; the box keeps its text.
    void units_data() {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("units");
        QTest::addColumn<QString>("result");
        const char* rows[][3] = {
            {"100", "", " 100"},         {"100", "m3/min", " 6000"}, {"1", "m3/s", " 3600"},
            {"100", "l/min", " 6"},      {"1", "l/min", " .06"},     {"1", "l/s", " 3.6"},
            {"100", "Am.GPM", " 22.71"}, {"1", "Am.GPS", " 13.626"}, {"100", "En.GPM", " 27.276"},
            {"1", "En.GPS", " 16.3656"}, {"100", "CFM", " 169.9"},   {"100", "CFM m3/h", " 100"}};
        for (const auto& [flow, units, result] : rows) {
            QTest::addRow("%s %s", flow, units) << flow << units << QString(result) + " m3/h";
        }
    }
    void units() {
        QFETCH(QString, flow);
        QFETCH(QString, units);
        QFETCH(QString, result);
        d.type("Text1", flow);
        for (const QString& unit : units.split(' ', Qt::SkipEmptyParts)) {
            d.choose("Combo1", unit);
        }
        QCOMPARE(d.label("Label10"), result);
        QCOMPARE(d.text("Text1"), flow);
        QCOMPARE(d.label("Label6"), QString::fromUtf8("φ 100"));
    }

private:
    CalculatorDriver d;
};

QTEST_MAIN(TestForm1Flow)
#include "tst_form1_flow.moc"
