// formatResult and formatPlain round a float to 7 significant digits in integer
// arithmetic. This test holds them to the plain route over a sample of every kind of
// float: the float's exact decimal expansion, rounded by its 8th digit.
#include "calc/number_text.h"

#include <QTest>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using Floats = std::vector<float>;
Q_DECLARE_METATYPE(Floats)

namespace {

// x rounded to 7 significant digits, ties away from zero, as "-d.ddddddde+XX". A float
// has at most 112 significant decimal digits, so 120 after the first are all of them.
std::string referenceRounding(float x) {
    char buffer[160];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(double{x}),
                                   std::chars_format::scientific, 120)
                         .ptr;
    const std::string exact(buffer, end);
    std::string digits = exact.substr(0, 1) + exact.substr(2, 6);
    int exponent = std::stoi(exact.substr(exact.find('e') + 1));
    if (exact[8] >= '5') {
        const auto carried = std::to_string(std::stol(digits) + 1);
        exponent += static_cast<int>(carried.size() - digits.size());
        digits = carried.substr(0, 7);
    }
    std::string text = x < 0.0f ? "-" : "";
    return text.append(digits.substr(0, 1) + "." + digits.substr(1) + "e" +
                       std::to_string(exponent));
}

// Two texts of at most 7 significant digits stand for the same number exactly when
// they read as the same double.
bool sameNumber(const std::string& x, const std::string& y) {
    return std::bit_cast<std::uint64_t>(calc::parseNumber(x)) ==
           std::bit_cast<std::uint64_t>(calc::parseNumber(y));
}

Floats everyNthBitPattern(std::uint32_t stride) {
    Floats values;
    for (std::uint64_t bits = 0; bits < (1ull << 32); bits += stride) {
        values.push_back(std::bit_cast<float>(static_cast<std::uint32_t>(bits)));
    }
    return values;
}

// Each float within count steps of the given values, both signs.
Floats neighbours(const std::vector<double>& centres, int count) {
    Floats values;
    for (const double centre : centres) {
        float x = static_cast<float>(centre);
        for (int i = 0; i < count; ++i) {
            x = std::nextafter(x, 0.0f);
        }
        for (int i = 0; i <= 2 * count; ++i) {
            values.push_back(x);
            values.push_back(-x);
            x = std::nextafter(x, std::numeric_limits<float>::infinity());
        }
    }
    return values;
}

// Where the decimal exponent changes (1E+n) and where rounding carries into it (9.9999995E+n).
std::vector<double> decadeBoundaries() {
    std::vector<double> centres;
    for (int power = -45; power <= 38; ++power) {
        centres.push_back(std::pow(10.0, power));
        centres.push_back(9.9999995 * std::pow(10.0, power));
    }
    return centres;
}

// Exact ties at the 8th digit: n + 1/2 for 7-digit n, and 845445.25-like quarters.
Floats exactTies() {
    Floats values;
    for (int n = 1000000; n < 10000000; n += 97) {
        values.push_back(static_cast<float>(n) + 0.5f);
        values.push_back(static_cast<float>(n / 10) + 0.25f);
        values.push_back(static_cast<float>(n / 10) + 0.75f);
    }
    return values;
}

} // namespace

class TestResultRounding : public QObject {
    Q_OBJECT

private slots:
    void matchesExactExpansion_data() {
        QTest::addColumn<Floats>("values");
        QTest::newRow("every 4093rd bit pattern") << everyNthBitPattern(4093);
        QTest::newRow("around decade boundaries") << neighbours(decadeBoundaries(), 64);
        QTest::newRow("exact ties at the 8th digit") << exactTies();
        QTest::newRow("subnormal edges") << neighbours({0.0, 1.1754944e-38}, 256);
        QTest::newRow("largest floats") << neighbours({3.4028235e38}, 256);
    }

    void matchesExactExpansion() {
        QFETCH(Floats, values);
        for (const float x : values) {
            if (!std::isfinite(x)) {
                continue;
            }
            const std::string expected = x == 0.0f ? "0" : referenceRounding(x);
            const std::string result = calc::formatResult(x);
            const std::string plain = calc::formatPlain(x);
            if (!sameNumber(result, expected) || !sameNumber(plain, expected)) {
                QFAIL(qPrintable(QStringLiteral("%1 (bits %2): formatResult \"%3\", formatPlain "
                                                "\"%4\", exact expansion rounds to %5")
                                     .arg(double{x}, 0, 'g', 9)
                                     .arg(std::bit_cast<std::uint32_t>(x), 8, 16, QChar('0'))
                                     .arg(QString::fromStdString(result),
                                          QString::fromStdString(plain),
                                          QString::fromStdString(expected))));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestResultRounding)
#include "tst_result_rounding.moc"
