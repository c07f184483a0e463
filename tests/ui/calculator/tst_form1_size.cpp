// Duct shape and size: shown and enabled size controls, typed-size validation, and the
// switch between standard and typed sizes.

#include "calculator_driver.h"

namespace {
QString u(const char* text) {
    return QString::fromUtf8(text);
}
} // namespace

class TestForm1Size : public QObject {
    Q_OBJECT

private slots:
    void init() { d.start(); }
    void cleanup() { d.stop(); }

    // The source shows, the shape enables, independently of which was clicked last.
    void shownAndEnabled_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("shape");
        QTest::addColumn<QString>("size");
        const char* rows[][3] = {{"Option2 Option1", "0", "φ 100"},
                                 {"Option2", "1", " 1000 * 1000"},
                                 {"Option6", "2", "长径 1000 短径 800"},
                                 {"Check1", "0", "φ 100"},
                                 {"Check1 Option2", "1", " 1000 * 1000"},
                                 {"Option6 Check1", "2", "长径 1000 短径 800"},
                                 {"Option2 Check1 Check1", "1", " 1000 * 1000"}};
        for (const auto& [clicks, shape, size] : rows) {
            QTest::newRow(clicks) << clicks << QByteArray(shape).toInt() << u(size);
        }
    }
    void shownAndEnabled() {
        QFETCH(QString, clicks);
        QFETCH(int, shape);
        QFETCH(QString, size);
        for (const QString& name : clicks.split(' ')) {
            d.click(name);
        }
        const bool typed = clicks.count("Check1") % 2 == 1;
        QCOMPARE(d.selected("Check1"), typed);
        QVERIFY(d.selected(QStringList{"Option1", "Option2", "Option6"}[shape]));
        const char* pairs[][2] = {{"Combo2", "Text2"},
                                  {"Combo3", "Text3"},
                                  {"Combo4", "Text4"},
                                  {"Combo5", "Text14"},
                                  {"Combo6", "Text15"}};
        const int shapeOfSlot[] = {0, 1, 1, 2, 2};
        for (int slot = 0; slot < 5; ++slot) {
            for (int control : {0, 1}) {
                QWidget* widget = d.get(pairs[slot][control]);
                QCOMPARE(widget->isVisible(), typed == (control == 1));
                QCOMPARE(widget->isEnabled(), shapeOfSlot[slot] == shape);
            }
        }
        QCOMPARE(d.label("Label6"), size);
    }

    // Refused, corrected (validated again, nested, without a second message), focus back.
    void negativeSize_data() {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("corrected");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("message");
        const char* rows[][6] = {
            {"Option1", "Text2", "-5", "5", "φ 5", "圆形风管直径"},
            {"Option1", "Text2", "=-3.5e38", "3.5E+38", "φ溢出", "圆形风管直径"},
            {"Option2", "Text3", "=-250", "250", " 250 * 1000", "矩形风管长边"},
            {"Option2", "Text4", "=-0.5", "0.5", " 1000 * .5", "矩形风管短边"},
            {"Option6", "Text14", "=-123.456789", "123.4568", "长径 123.4568 短径 800", "椭圆长径"},
            {"Option6", "Text15", "=-12mm", "12", "长径 1000 短径 12", "椭圆短径"}};
        for (const auto& r : rows) {
            QTest::addRow("%s %s", r[1], r[2])
                << r[0] << r[1] << r[2] << r[3] << u(r[4])
                << u(r[5]) + u("不得小于0，点击确定按钮后重新输入！");
        }
    }
    void negativeSize() {
        QFETCH(QString, shape);
        QFETCH(QString, box);
        QFETCH(QString, keys);
        QFETCH(QString, corrected);
        QFETCH(QString, size);
        QFETCH(QString, message);
        d.click("Check1");
        d.click(shape);
        d.type(box, keys);
        EXPECT_ONE_MESSAGE(d, message);
        QCOMPARE(d.text(box), corrected);
        QCOMPARE(d.label("Label6"), size);
        QCOMPARE(d.focused(), d.get(box));
    }

    // A typed size that reads as 0 is passed over: no message, no recalculation, the text
    // stays; the next recalculation that another input starts takes it as 0. Any other
    // recalculates at once.
    void typedSize_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("size");
        const char* rows[][2] = {{"", ""},         {"0", ""},      {"0.000", ""}, {"-0", ""},
                                 {"-", ""},        {".", ""},      {"mm12", ""},  {"0.5", "φ .5"},
                                 {"12mm", "φ 12"}, {"1 2", "φ 12"}};
        for (const auto& [keys, size] : rows) {
            QTest::addRow("'%s'", keys) << keys << u(size);
        }
    }
    void typedSize() {
        QFETCH(QString, keys);
        QFETCH(QString, size);
        d.click("Check1");
        d.markResultsStale();
        d.type("Text2", keys);
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(d.text("Text2"), keys);
        QCOMPARE(d.recalculatedSinceMark(), !size.isEmpty());
        QCOMPARE(d.label("Label6"), size.isEmpty() ? u("φ 100") : size);
        if (size.isEmpty()) {
            d.type("Text1", "7");
            QCOMPARE(d.label("Label6"), u("φ 0"));
            QCOMPARE(d.label("Label7"), u("请输入风管尺寸"));
        }
    }

    // A list and its box keep their own values; the switch decides which one counts.
    void sourceSwitch() {
        d.choose("Combo2", "250");
        QCOMPARE(d.label("Label6"), u("φ 250"));
        d.click("Check1");
        QCOMPARE(d.label("Label6"), u("φ 100"));
        d.click("Check1");
        QCOMPARE(d.label("Label6"), u("φ 250"));
        d.click("Option2");
        d.choose("Combo4", "500");
        d.type("Text1", "1800");
        QCOMPARE(d.label("Label6"), QString(" 1000 * 500"));
        QCOMPARE(d.label("Label7"), QString(" 1 m/s"));
        QCOMPARE(d.label("Label17"), QString(" .6666667 m"));
    }

    // Choosing the entry a list already shows is a click too; a changed entry runs once.
    void choosingAListEntryRecalculates_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("entry already shown") << "100";
        QTest::newRow("another entry") << "120";
    }
    void choosingAListEntryRecalculates() {
        QFETCH(QString, entry);
        d.markResultsStale();
        QVERIFY(!d.recalculatedSinceMark());
        d.choose("Combo2", entry);
        QVERIFY(d.recalculatedSinceMark());
        QCOMPARE(d.label("Label6"), u("φ ") + entry);
    }

private:
    CalculatorDriver d;
};

QTEST_MAIN(TestForm1Size)
#include "tst_form1_size.moc"
