#include "calc/number_text.h"

#include <QTest>
#include <bit>
#include <limits>
#include <string>

// Texts far longer than anything typed by hand, as a paste can bring them.
class TestHostileInput : public QObject {
    Q_OBJECT

private slots:
    void longMantissaShiftsTheExponent_data();
    void longMantissaShiftsTheExponent();
};

void TestHostileInput::longMantissaShiftsTheExponent_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    const std::string zeros(200000, '0');
    const std::string nines(30, '9');
    const auto row = [](const char* name, const std::string& text, double expected) {
        QTest::newRow(name) << QByteArray::fromStdString(text) << expected;
    };
    // The digits move the point by 200000 places; the exponent moves it back.
    row("leading zeros cancel a large exponent", "0." + zeros + "1e200000", 0.1);
    row("trailing zeros cancel a large negative exponent", "1" + zeros + "e-199990", 1e10);
    row("saturated exponent outweighs leading zeros", "0." + zeros + "1e" + nines,
        std::numeric_limits<double>::infinity());
    row("saturated negative exponent outweighs trailing zeros", "1" + zeros + "e-" + nines, 0.0);
}

void TestHostileInput::longMantissaShiftsTheExponent() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    const double value = calc::parseNumber(text.toStdString());
    QCOMPARE(std::bit_cast<quint64>(value), std::bit_cast<quint64>(expected));
}

QTEST_APPLESS_MAIN(TestHostileInput)
#include "tst_hostile_input.moc"
