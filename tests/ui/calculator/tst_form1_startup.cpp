// The window as it opens: frame, control states, texts, lists and the first results.

#include "calculator_driver.h"

class TestForm1Startup : public QObject {
    Q_OBJECT

private slots:
    void init() { d.start(); }
    void cleanup() { d.stop(); }

    void window() {
        QCOMPARE(d.form->windowTitle(), QString::fromUtf8("风速计算"));
        QCOMPARE(d.form->minimumSize(), QSize(697, 442));
        QCOMPARE(d.form->maximumSize(), QSize(697, 442));
        QVERIFY(!(d.form->windowFlags() &
                  (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        const QList<QSize> iconSizes = d.form->windowIcon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(16, 16)) && iconSizes.contains(QSize(32, 32)));
    }

    // flowFactor is set only by the selection of "m3/h"; writing "10" into Text13, which
    // already holds it, must not select the custom entry.
    void state() {
        const calc::CalculatorState& s = d.state();
        const float values[] = {s.flowFactor, s.rough,     s.visc,     s.dens,     s.diam,
                                s.rectLong,   s.rectShort, s.ellMajor, s.ellMinor, s.flow};
        const float expected[] = {1, 0.16f, 0.00001506f, 1.204f, 100, 1000, 1000, 1000, 800, 0};
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(bits(values[i]), bits(expected[i]));
        }
        QVERIFY(d.selected("Option1") && d.selected("Option3(0)") && d.selected("Option4"));
        QVERIFY(!d.selected("Check1"));
        QCOMPARE(d.results(), QString::fromUtf8(" .16| 0 m3/h|φ 100| .1 m| 1.204 kg/m3| "
                                                "1.506E-05 m2/s| 0 m/s| 0| 0 Pa/m| 0 Pa")
                                  .split('|'));
    }

    // Lists shown, boxes hidden, only the circular duct's pair enabled; every text set.
    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("readOnly");
        const struct {
            const char *name, *text;
            bool shown, enabled, readOnly;
        } rows[] = {{"Combo1", "m3/h", 1, 1, 0},      {"Combo2", "100", 1, 1, 0},
                    {"Combo3", "1000", 1, 0, 0},      {"Combo4", "1000", 1, 0, 0},
                    {"Combo5", "1000", 1, 0, 0},      {"Combo6", "800", 1, 0, 0},
                    {"Text2", "100", 0, 1, 0},        {"Text3", "1000", 0, 0, 0},
                    {"Text4", "1000", 0, 0, 0},       {"Text14", "1000", 0, 0, 0},
                    {"Text15", "800", 0, 0, 0},       {"Text1", "0", 1, 1, 0},
                    {"Text5", "0.16", 1, 1, 1},       {"Text6", "0.03", 1, 1, 1},
                    {"Text7", "1.0", 1, 1, 1},        {"Text8", "1.5", 1, 1, 1},
                    {"Text9", "1.0", 1, 1, 1},        {"Text10", "5", 1, 1, 1},
                    {"Text11", "2", 1, 1, 1},         {"Text12", "0.6", 1, 1, 1},
                    {"Text13", "10", 1, 1, 0},        {"Text16", "1.204", 1, 1, 0},
                    {"Text17", "0.00001506", 1, 1, 0}};
        for (const auto& r : rows) {
            QTest::newRow(r.name) << r.name << r.text << r.shown << r.enabled << r.readOnly;
        }
    }
    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, shown);
        QFETCH(bool, enabled);
        QFETCH(bool, readOnly);
        QWidget* control = d.get(name);
        QCOMPARE(control->isVisible(), shown);
        QCOMPARE(control->isEnabled(), enabled);
        if (const auto* list = qobject_cast<QComboBox*>(control)) {
            QCOMPARE(list->currentText(), text);
        } else {
            QCOMPARE(d.text(name), text);
            QCOMPARE(d.get<QLineEdit>(name)->isReadOnly(), readOnly);
        }
    }

    // In the order of the standard sizes, not sorted as text.
    void lists() {
        const QString sides = "120 160 200 250 320 400 500 630 800 1000 1250 1600 2000 2500 "
                              "3000 3500 4000";
        const QString lists[][2] = {
            {"Combo1", "m3/h m3/min m3/s l/min l/s Am.GPM Am.GPS En.GPM En.GPS CFM"},
            {"Combo2", "100 120 140 160 180 200 220 250 280 320 360 400 450 500 560 630 700 "
                       "800 900 1000 1120 1250 1400 1600 1800 2000"},
            {"Combo3", sides},
            {"Combo4", sides},
            {"Combo5", sides},
            {"Combo6", sides}};
        for (const auto& [name, items] : lists) {
            const auto* list = d.get<QComboBox>(name);
            QStringList shown;
            for (int i = 0; i < list->count(); ++i) {
                shown << list->itemText(i);
            }
            QCOMPARE(shown, items.split(' '));
            QVERIFY(!list->isEditable());
        }
    }

private:
    CalculatorDriver d;
};

QTEST_MAIN(TestForm1Startup)
#include "tst_form1_startup.moc"
