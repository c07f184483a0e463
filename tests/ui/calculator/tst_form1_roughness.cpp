// Roughness: material options, value-box clicks, scroll bars and the custom entry held to
// 0.01..10 mm.

#include "calculator_driver.h"

#include <map>

namespace {
QString option(int index) {
    return QStringLiteral("Option3(%1)").arg(index);
}
} // namespace

class TestForm1Roughness : public QObject {
    Q_OBJECT

private slots:
    void init() { d.start(); }
    void cleanup() { d.stop(); }

    // Selecting an entry by its option or its value box loads the entry's value.
    void selectEntry_data() {
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("entry");
        QTest::addColumn<float>("rough");
        QTest::addColumn<QString>("caption");
        const float values[] = {0.16f, 0.03f, 1.0f, 1.5f, 1.0f, 5.0f, 2.0f, 0.6f, 10.0f};
        const char* captions[] = {" .16", " .03", " 1", " 1.5", " 1", " 5", " 2", " .6", " 10"};
        for (int i = 0; i < 9; ++i) {
            const QString box = QStringLiteral("Text%1").arg(i + 5);
            for (const QString& click : {option(i), box}) {
                QTest::newRow(qPrintable(click)) << click << i << values[i] << captions[i];
            }
        }
    }
    void selectEntry() {
        QFETCH(QString, click);
        QFETCH(int, entry);
        QFETCH(float, rough);
        QFETCH(QString, caption);
        d.click(option(entry == 3 ? 2 : 3));
        d.click(click);
        QVERIFY(d.selected(option(entry)));
        QCOMPARE(bits(d.state().rough), bits(rough));
        QCOMPARE(d.label("Label13"), caption);
    }

    // A click on the box of the entry already selected only recalculates: a custom "0",
    // passed over when typed, must not replace the roughness in use.
    void clickSelectedValueBox() {
        d.type("Text13", "5");
        d.type("Text13", "0");
        d.markResultsStale();
        d.click("Text13");
        QVERIFY(d.recalculatedSinceMark());
        QCOMPARE(bits(d.state().rough), bits(5.0f));
    }

    // Each arrow click moves a bar by one. The slider fills the whole trough of a bar this
    // narrow, leaving nothing to click, so page steps go through the keys ("<" page up,
    // which lowers a scroll bar; ">" page down). "L" and "R" are the Left and Right keys.
    void scrollBar_data() {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<float>("rough");
        const struct {
            const char *bar, *moves;
            int entry;
            const char *box, *text;
            float rough;
        } rows[] = {{"HScroll6", "---------------", 5, "Text10", "3.5", 3.5f},
                    {"HScroll6", "++++++++++", 5, "Text10", "6", 6.0f},
                    {"HScroll2", "--", 1, "Text6", "0.01", 0.01f},
                    {"HScroll1", "++", 0, "Text5", "0.18", 0.18f},
                    {"HScroll1", "-", 0, "Text5", "0.15", 0.15f},
                    {"HScroll7", "+", 6, "Text11", "2.1", 2.1f},
                    {"HScroll8", "++++", 7, "Text12", "1", 1.0f},
                    {"HScroll8", "-", 7, "Text12", "0.5", 0.5f},
                    {"HScroll7", "<", 6, "Text11", "1.9", 1.9f},
                    {"HScroll6", ">>", 5, "Text10", "5.2", 5.2f},
                    {"HScroll6", "R", 5, "Text10", "5.1", 5.1f},
                    {"HScroll1", "L", 0, "Text5", "0.15", 0.15f},
                    {"HScroll2", "RR", 1, "Text6", "0.05", 0.05f},
                    {"HScroll7", "L", 6, "Text11", "1.9", 1.9f},
                    {"HScroll8", "RL", 7, "Text12", "0.6", 0.6f}};
        for (const auto& r : rows) {
            QTest::addRow("%s %s", r.bar, r.moves)
                << r.bar << r.moves << r.entry << r.box << r.text << r.rough;
        }
    }
    void scrollBar() {
        QFETCH(QString, bar);
        QFETCH(QString, moves);
        QFETCH(int, entry);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(float, rough);
        d.click(option(3));
        for (const QChar move : moves) {
            if (move == '+' || move == '-') {
                d.clickArrow(bar, move == '+' ? QStyle::SC_ScrollBarAddLine
                                              : QStyle::SC_ScrollBarSubLine);
            } else {
                const std::map<QChar, Qt::Key> keys = {{'<', Qt::Key_PageUp},
                                                       {'>', Qt::Key_PageDown},
                                                       {'L', Qt::Key_Left},
                                                       {'R', Qt::Key_Right}};
                d.get(bar)->setFocus(Qt::TabFocusReason);
                QTest::keyClick(d.get(bar), keys.at(move));
            }
        }
        QCOMPARE(d.text(box), text);
        QVERIFY(d.selected(option(entry)));
        QCOMPARE(bits(d.state().rough), bits(rough));
        QCOMPARE(d.label("Label13"), QString(" " + text).replace(" 0.", " ."));
        QCOMPARE(d.focused(), d.get("Text1"));
    }

    // A typed custom value selects the custom entry and is held to 0.01..10 while the box
    // keeps what was typed; a negative one is refused and turned positive. "=" pastes.
    void customValue_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("boxText");
        QTest::addColumn<float>("rough");
        QTest::addColumn<QString>("caption");
        const struct {
            const char *keys, *boxText;
            float rough;
            const char* caption;
        } rows[] = {{"0.005", "0.005", 0.01f, " .01"}, {"0.01", "0.01", 0.01f, " .01"},
                    {"25", "25", 10.0f, " 10"},        {"3.25", "3.25", 3.25f, " 3.25"},
                    {"-3", "3", 3.0f, " 3"},           {"=-0.001", "0.001", 0.01f, " .01"},
                    {"=-40", "40", 10.0f, " 10"},      {"=-3.5e38", "3.5E+38", 10.0f, " 10"}};
        for (const auto& r : rows) {
            QTest::newRow(r.keys) << r.keys << r.boxText << r.rough << r.caption;
        }
    }
    void customValue() {
        QFETCH(QString, keys);
        QFETCH(QString, boxText);
        QFETCH(float, rough);
        QFETCH(QString, caption);
        d.type("Text13", keys);
        if (keys.contains('-')) {
            EXPECT_ONE_MESSAGE(d, QString::fromUtf8("表面粗糙度取值范围为0.01至10.00，"
                                                    "点击确定按钮后重新输入！"));
            QCOMPARE(d.focused(), d.get("Text13"));
        } else {
            QVERIFY(d.messages.isEmpty());
        }
        QCOMPARE(d.text("Text13"), boxText);
        QVERIFY(d.selected(option(8)));
        QCOMPARE(bits(d.state().rough), bits(rough));
        QCOMPARE(d.label("Label13"), caption);
    }

    // A custom text read as 0 is passed over: nothing selected, stored or recalculated.
    void customZero_data() {
        QTest::addColumn<QString>("keys");
        for (const char* keys : {"", "-", "0", "0.", "abc"}) {
            QTest::addRow("'%s'", keys) << keys;
        }
    }
    void customZero() {
        QFETCH(QString, keys);
        d.markResultsStale();
        d.type("Text13", keys);
        QVERIFY(d.messages.isEmpty());
        QVERIFY(!d.recalculatedSinceMark());
        QVERIFY(d.selected(option(0)));
        QCOMPARE(bits(d.state().rough), bits(0.16f));
    }

    // Loading the custom box later, by its option or a click on it, applies the same limit
    // as typing: an out-of-range value left in the box never reaches the formulas.
    void customLoadedLater_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("select");
        QTest::addColumn<float>("rough");
        QTest::newRow("25, option") << "25" << option(8) << 10.0f;
        QTest::newRow("25, box click") << "25" << QStringLiteral("Text13") << 10.0f;
        QTest::newRow("0, option") << "0" << option(8) << 0.01f;
        QTest::newRow("empty, box click") << "" << QStringLiteral("Text13") << 0.01f;
    }
    void customLoadedLater() {
        QFETCH(QString, keys);
        QFETCH(QString, select);
        QFETCH(float, rough);
        d.type("Text13", keys);
        d.click(option(2));
        d.click(select);
        QVERIFY(d.selected(option(8)));
        QCOMPARE(bits(d.state().rough), bits(rough));
        QCOMPARE(d.text("Text13"), keys);
    }

private:
    CalculatorDriver d;
};

QTEST_MAIN(TestForm1Roughness)
#include "tst_form1_roughness.moc"
