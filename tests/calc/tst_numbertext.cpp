#include "calc/number_text.h"

#include <QTest>
#include <bit>
#include <cmath>
#include <limits>

using calc::formatPlain;
using calc::formatResult;
using calc::parseNumber;

class TestNumberText : public QObject {
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void format_data();
    void format();
    void absoluteText_data();
    void absoluteText();
};

void TestNumberText::parse_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");

    const double inf = std::numeric_limits<double>::infinity();
    const double tiniest = std::numeric_limits<double>::denorm_min();

    // Blanks, tabs and line feeds are skipped wherever they stand.
    QTest::newRow("blank between digits") << QByteArray(" 1 2") << 12.0;
    QTest::newRow("tab and line feed") << QByteArray("\t1\n2 ") << 12.0;
    QTest::newRow("blank after sign") << QByteArray(" - 3") << -3.0;
    QTest::newRow("blank in exponent") << QByteArray("1e 5") << 1e5;
    QTest::newRow("thousands blank") << QByteArray(" 1 000") << 1000.0;

    // The longest leading number; the rest is ignored.
    QTest::newRow("plus sign") << QByteArray("+7") << 7.0;
    QTest::newRow("trailing letters") << QByteArray("12abc") << 12.0;
    QTest::newRow("second point") << QByteArray("1.5.3") << 1.5;
    QTest::newRow("comma") << QByteArray("1,5") << 1.0;
    QTest::newRow("no digit before point") << QByteArray(".5") << 0.5;
    QTest::newRow("no digit after point") << QByteArray("5.") << 5.0;
    QTest::newRow("leading zeros") << QByteArray("00012.50") << 12.5;
    QTest::newRow("e without digits") << QByteArray("1e") << 1.0;
    QTest::newRow("e+ without digits") << QByteArray("1e+") << 1.0;
    QTest::newRow("E- without digits") << QByteArray("1E-x") << 1.0;
    QTest::newRow("signed exponent") << QByteArray("-1.5e2") << -150.0;
    QTest::newRow("point and negative exponent") << QByteArray("-.5e-1") << -0.05;

    // No number at the start reads 0; only ASCII digits count.
    QTest::newRow("sign alone") << QByteArray("-") << 0.0;
    QTest::newRow("point alone") << QByteArray(".") << 0.0;
    QTest::newRow("empty") << QByteArray("") << 0.0;
    QTest::newRow("letters") << QByteArray("abc") << 0.0;
    QTest::newRow("exponent alone") << QByteArray("e5") << 0.0;
    QTest::newRow("full-width digits") << QByteArray("１２") << 0.0;
    QTest::newRow("minus zero") << QByteArray("-0") << -0.0;

    // Range: beyond a double is infinity, below it zero, whatever the exponent's length.
    QTest::newRow("beyond float") << QByteArray("1E+39") << 1e39;
    QTest::newRow("largest double")
        << QByteArray("1.7976931348623157e308") << std::numeric_limits<double>::max();
    QTest::newRow("beyond double") << QByteArray("1.8e308") << inf;
    QTest::newRow("huge exponent") << QByteArray("1e99999") << inf;
    QTest::newRow("huge negative") << QByteArray("-1e99999") << -inf;
    QTest::newRow("exponent beyond int64") << QByteArray("1e99999999999999999999") << inf;
    QTest::newRow("tiny exponent") << QByteArray("1e-99999") << 0.0;
    QTest::newRow("below half the tiniest") << QByteArray("2.4e-324") << 0.0;
    QTest::newRow("above half the tiniest") << QByteArray("2.5e-324") << tiniest;

    // Correct rounding of digits beyond a double's precision: 2^53 + 1 and 1 + 2^-53 are
    // ties that go to even; one more digit tips them up.
    QTest::newRow("integer tie") << QByteArray("9007199254740993.000000000") << 9007199254740992.0;
    QTest::newRow("above integer tie")
        << QByteArray("9007199254740993.000000001") << 9007199254740994.0;
    QTest::newRow("fraction tie") << QByteArray(
                                         "1.00000000000000011102230246251565404236316680908203125")
                                  << 1.0;
    QTest::newRow("above fraction tie")
        << QByteArray("1.000000000000000111022302462515654042363166809082031251")
        << std::nextafter(1.0, 2.0);

    // Texts of 10,000 characters.
    QTest::newRow("10000 nines") << QByteArray(10000, '9') << inf;
    QTest::newRow("10000 thirds") << "3." + QByteArray(9998, '3') << 10.0 / 3.0;
    QTest::newRow("10000 digits scaled back") << "1" + QByteArray(9993, '0') + "e-9993" << 1.0;
    QTest::newRow("10000 zeros after point") << "0." + QByteArray(9997, '0') + "1" << 0.0;
    QTest::newRow("9999 blanks") << QByteArray(9999, ' ') + "7" << 7.0;
}

void TestNumberText::parse() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);

    const double actual = parseNumber(std::string_view(text.constData(), text.size()));
    // Bit patterns: distinguishes -0 from 0 and one unit in the last place.
    QCOMPARE(std::bit_cast<quint64>(actual), std::bit_cast<quint64>(expected));
}

void TestNumberText::format_data() {
    QTest::addColumn<float>("x");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("plain");

    // Caption rules: a blank for non-negative numbers, no "0" before the point.
    QTest::newRow("0") << 0.0f << " 0"
                       << "0";
    QTest::newRow("100") << 100.0f << " 100"
                         << "100";
    QTest::newRow("0.1") << 0.1f << " .1"
                         << "0.1";
    QTest::newRow("0.16") << 0.16f << " .16"
                          << "0.16";
    QTest::newRow("1.204") << 1.204f << " 1.204"
                           << "1.204";
    QTest::newRow("0.00001506") << 0.00001506f << " 1.506E-05"
                                << "1.506E-05";
    QTest::newRow("0.00001") << 0.00001f << " 1E-05"
                             << "1E-05";
    QTest::newRow("1234567") << 1234567.0f << " 1234567"
                             << "1234567";
    QTest::newRow("12345678") << 12345678.0f << " 1.234568E+07"
                              << "1.234568E+07";
    QTest::newRow("1/3") << 1.0f / 3.0f << " .3333333"
                         << "0.3333333";
    QTest::newRow("-0.5") << -0.5f << "-.5"
                          << "-0.5";
    QTest::newRow("0.5") << 0.5f << " .5"
                         << "0.5";
    QTest::newRow("12") << 12.0f << " 12"
                        << "12";
    QTest::newRow("150") << 150.0f << " 150"
                         << "150";
    QTest::newRow("123.456789") << 123.456789f << " 123.4568"
                                << "123.4568";

    // Rounding from the float's exact value, ties away from zero (printf would give
    // 845445.2 and 1.234566E+07).
    QTest::newRow("tie 845445.25") << 845445.25f << " 845445.3"
                                   << "845445.3";
    QTest::newRow("tie -845445.25") << -845445.25f << "-845445.3"
                                    << "-845445.3";
    QTest::newRow("tie 44267.375") << 44267.375f << " 44267.38"
                                   << "44267.38";
    QTest::newRow("tie 12345665") << 12345665.0f << " 1.234567E+07"
                                  << "1.234567E+07";
    // The float is 1.00000047...: its shortest text 1.0000005 would round up again.
    QTest::newRow("no double rounding") << 1.0000005f << " 1"
                                        << "1";

    // Carries, and the notation decided after rounding.
    QTest::newRow("carry through six nines") << 0.7f << " .7"
                                             << "0.7"; // 0.699999988
    QTest::newRow("carry to next decade") << 0.01f << " .01"
                                          << "0.01"; // 0.00999999978
    // 0.0001f is 9.99999975E-05: rounded, it is 1E-04 and so positional.
    QTest::newRow("0.0001") << 0.0001f << " .0001"
                            << "0.0001";
    QTest::newRow("9999999.5 is 1E+07") << 9999999.5f << " 1E+07"
                                        << "1E+07";
    QTest::newRow("9999999") << 9999999.0f << " 9999999"
                             << "9999999";
    QTest::newRow("float below 0.0001") << std::nextafter(0.0001f, 0.0f) << " 9.999999E-05"
                                        << "9.999999E-05";
    QTest::newRow("0.00012345678") << 0.00012345678f << " .0001234568"
                                   << "0.0001234568";
    QTest::newRow("0.00009") << 0.00009f << " 9E-05"
                             << "9E-05";
    QTest::newRow("1E+30") << 1e30f << " 1E+30"
                           << "1E+30";
    QTest::newRow("largest float") << std::numeric_limits<float>::max() << " 3.402823E+38"
                                   << "3.402823E+38";
    QTest::newRow("tiniest float") << std::numeric_limits<float>::denorm_min() << " 1.401298E-45"
                                   << "1.401298E-45";

    // Minus zero is not negative; a value that is not a number is never shown as one.
    QTest::newRow("minus zero") << -0.0f << " 0"
                                << "0";
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << "溢出"
                              << "";
    QTest::newRow("minus infinity") << -std::numeric_limits<float>::infinity() << "溢出"
                                    << "";
    QTest::newRow("NaN") << std::numeric_limits<float>::quiet_NaN() << "溢出"
                         << "";
}

void TestNumberText::format() {
    QFETCH(float, x);
    QFETCH(QString, result);
    QFETCH(QString, plain);

    QCOMPARE(QString::fromStdString(formatResult(x)), result);
    QCOMPARE(QString::fromStdString(formatPlain(x)), plain);
}

// A refused negative entry is corrected to a text that reads as its absolute value, also
// beyond the float and the double range, where formatPlain has no text.
void TestNumberText::absoluteText_data() {
    QTest::addColumn<QString>("entry");
    for (const char* entry : {"-12abc", "-0.5", "-123.456789", "-3.5e38", "-3.4028236e38",
                              "-1.7976931348623157e308", "-1e400", " - 1 e 400x"}) {
        QTest::newRow(entry) << entry;
    }
}

void TestNumberText::absoluteText() {
    QFETCH(QString, entry);
    const std::string text = calc::absoluteText(entry.toStdString());
    const double magnitude = std::fabs(parseNumber(entry.toStdString()));
    QVERIFY(!text.empty());
    if (std::isfinite(static_cast<float>(magnitude))) {
        QCOMPARE(text, formatPlain(static_cast<float>(magnitude)));
    } else {
        QCOMPARE(parseNumber(text), magnitude);
    }
    if (entry == "-3.5e38") {
        QCOMPARE(text, std::string("3.5E+38"));
    }
}

QTEST_APPLESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
