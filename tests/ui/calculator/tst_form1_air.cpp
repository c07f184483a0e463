// Air density and viscosity, restoring their defaults, and the friction-factor formula.

#include "calculator_driver.h"
#include "hydraulics/friction.h"
#include "ui/calculator/picture_box.h"

class TestForm1Air : public QObject {
    Q_OBJECT

private slots:
    void init() { d.start(); }
    void cleanup() { d.stop(); }

    // Typed key by key, the value passes through zeros without a message and recalculates
    // from the first non-zero digit on.
    void viscosityKeyByKey() {
        d.type("Text17", "2");
        d.type("Text17", "");
        const QStringList captions =
            QString(" 2| 2| 2| 2| 2| 2| 1E-05| 1.5E-05| 1.5E-05| 1.506E-05").split('|');
        const QString keys = "0.00001506";
        for (int i = 0; i < keys.size(); ++i) {
            QTest::keyClick(d.get("Text17"), keys[i].toLatin1());
            QCOMPARE(d.label("Label24"), captions[i] + " m2/s");
        }
        QVERIFY(d.messages.isEmpty());
        QCOMPARE(bits(d.state().visc), bits(0.00001506f));
    }

    // "-" stores 0 quietly; "-1" is refused: box emptied with the focus in it, the value
    // held as 0, the results left as they were.
    void refused_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("name");
        QTest::newRow("density") << "Text16" << QString::fromUtf8("空气密度");
        QTest::newRow("viscosity") << "Text17" << QString::fromUtf8("空气运动粘滞系数");
    }
    void refused() {
        QFETCH(QString, box);
        QFETCH(QString, name);
        const auto value = [&] { return box == "Text16" ? d.state().dens : d.state().visc; };
        d.type("Text1", "500");
        const QStringList results = d.results();
        d.type(box, "-");
        QCOMPARE(bits(value()), bits(0.0f));
        QVERIFY(d.messages.isEmpty());
        QTest::keyClick(d.get(box), Qt::Key_1);
        EXPECT_ONE_MESSAGE(d, name + QString::fromUtf8("不得小于等于0，点击确定按钮后重新输入") +
                                  name + QString::fromUtf8("！"));
        QCOMPARE(d.text(box), QString());
        QCOMPARE(bits(value()), bits(0.0f));
        QCOMPARE(d.results(), results);
        QCOMPARE(d.focused(), d.get(box));
    }

    void densityWithLetters() {
        d.type("Text16", "1.2kg");
        QCOMPARE(d.label("Label26"), QString(" 1.2 kg/m3"));
    }

    // Both defaults come back and the button recalculates, even when neither text
    // changes: the typed diameter "0", not recalculated when typed, shows it.
    void restoreDefaults_data() {
        QTest::addColumn<QString>("density");
        QTest::addColumn<QString>("viscosity");
        const char* rows[][2] = {{"-1", "-1"}, {"", "abc"}, {"1.204", "0.00001506"}};
        for (const auto& [density, viscosity] : rows) {
            QTest::addRow("'%s' '%s'", density, viscosity) << density << viscosity;
        }
    }
    void restoreDefaults() {
        QFETCH(QString, density);
        QFETCH(QString, viscosity);
        d.type("Text16", "=" + density);
        d.type("Text17", "=" + viscosity);
        d.click("Check1");
        d.type("Text2", "0");
        d.click("Command2");
        QCOMPARE(d.text("Text16"), QString("1.204"));
        QCOMPARE(d.text("Text17"), QString("0.00001506"));
        QCOMPARE(bits(d.state().dens), bits(1.204f));
        QCOMPARE(bits(d.state().visc), bits(0.00001506f));
        QCOMPARE(d.results().mid(2, 5), QString::fromUtf8("φ 0| 0 m| 1.204 kg/m3| 1.506E-05 "
                                                          "m2/s|请输入风管尺寸")
                                            .split('|'));
    }

    // Formula two changes the friction factor and the friction loss only; formula one
    // brings them back; the pictures stay.
    void formulaChoice() {
        d.type("Text1", "1000");
        const QStringList formulaOne = d.results();
        const qint64 picture = d.get<ui::PictureBox>("Picture2")->pixmap().cacheKey();
        const calc::CalculatorState& s = d.state();
        d.click("Option5");
        QCOMPARE(bits(s.lambda),
                 bits(float(*hydraulics::frictionFactorTwo(s.rough, s.dEq, s.reyn))));
        QStringList formulaTwo = d.results();
        QVERIFY(formulaTwo.takeAt(8) != formulaOne[8]);
        QCOMPARE(formulaTwo, formulaOne.mid(0, 8) + formulaOne.mid(9));
        d.click("Option4");
        QCOMPARE(bits(s.lambda),
                 bits(float(*hydraulics::frictionFactorOne(s.rough, s.dEq, s.reyn))));
        QCOMPARE(d.results(), formulaOne);
        QCOMPARE(d.get<ui::PictureBox>("Picture2")->pixmap().cacheKey(), picture);
    }

private:
    CalculatorDriver d;
};

QTEST_MAIN(TestForm1Air)
#include "tst_form1_air.moc"
