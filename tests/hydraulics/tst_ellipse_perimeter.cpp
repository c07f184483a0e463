// ellipsePerimeter reads the chord angles' cosines and sines from a table built once. This test
// holds it, bit for bit, to the loop that evaluates them afresh for every chord.
#include "calc/defaults.h"
#include "hydraulics/geometry.h"

#include <QTest>
#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

using AxisPairs = std::vector<std::pair<float, float>>;
Q_DECLARE_METATYPE(AxisPairs)

namespace {

// The perimeter as summed before the table: each angle's cosine and sine computed in
// the loop, every step rounded as in ellipsePerimeter.
hydraulics::Result referencePerimeter(float a, float b) {
    if (a <= 0.0f || b <= 0.0f) {
        return std::nullopt;
    }
    double x0 = a;
    float y0 = 0.0f;
    double sum = 0.0;
    for (short i = 1; i <= 1800; ++i) {
        const double theta = static_cast<double>(i) * 0.017453292222222222 / 20.0;
        const double x = a * std::cos(theta);
        const float y = static_cast<float>(b * std::sin(theta));
        const double dx2 = (x0 - x) * (x0 - x);
        const float dy = y0 - y;
        const float dy2 = dy * dy;
        sum = sum + std::sqrt(dx2 + dy2);
        x0 = x;
        y0 = y;
    }
    return sum * 4.0;
}

AxisPairs allPairs(const std::vector<float>& values) {
    AxisPairs pairs;
    for (const float a : values) {
        for (const float b : values) {
            pairs.emplace_back(a, b);
        }
    }
    return pairs;
}

// count values from 1E-03 to 1E+05 mm, evenly spaced on a log scale.
std::vector<float> logSpaced(int count) {
    std::vector<float> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(static_cast<float>(1e-3 * std::pow(10.0, 8.0 * i / (count - 1))));
    }
    return values;
}

// The standard diameters and sides, each once, as whole axes (what ellipseEquivalentDiameter passes
// on) and as halves.
std::vector<float> standardSizes() {
    std::vector<float> sizes;
    for (const auto& list : {std::span<const std::string_view>(calc::standardDiameters),
                             std::span<const std::string_view>(calc::standardSidesAndAxes)}) {
        for (const std::string_view text : list) {
            float size = 0;
            std::from_chars(text.data(), text.data() + text.size(), size);
            if (std::find(sizes.begin(), sizes.end(), size) == sizes.end()) {
                sizes.push_back(size);
            }
        }
    }
    std::vector<float> values;
    for (const float size : sizes) {
        values.push_back(size);
        values.push_back(size / 2.0f);
    }
    return values;
}

// Subnormal and huge floats, each against the others and against ordinary sizes.
std::vector<float> extremes() {
    const float max = std::numeric_limits<float>::max();
    return {std::bit_cast<float>(std::uint32_t{1}),
            std::bit_cast<float>(std::uint32_t{2}),
            std::bit_cast<float>(std::uint32_t{0x00012345}),
            std::bit_cast<float>(std::uint32_t{0x007fffff}),
            std::numeric_limits<float>::min(),
            1e-30f,
            1e-3f,
            1.0f,
            800.0f,
            1e5f,
            1e19f,
            1e30f,
            std::nextafter(max, 0.0f),
            max};
}

// Deterministic pseudo-random bit patterns of positive finite floats (SplitMix64).
AxisPairs randomPairs(int count) {
    std::uint64_t state = 0x2545f4914f6cdd1dull;
    const auto next = [&state] {
        std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    };
    const std::uint32_t largestFinite = 0x7f7fffff;
    const auto positiveFinite = [&] {
        return std::bit_cast<float>(static_cast<std::uint32_t>(next() % largestFinite) + 1);
    };
    AxisPairs pairs;
    for (int i = 0; i < count; ++i) {
        const float a = positiveFinite();
        pairs.emplace_back(a, positiveFinite());
    }
    return pairs;
}

// Where an argument admits no value, both must be empty; NaN and infinity run through.
AxisPairs guardsAndNonFinite() {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    return {{0.0f, 1.0f}, {1.0f, 0.0f}, {-0.0f, 1.0f}, {-1.0f, 5.0f}, {5.0f, -1.0f}, {-inf, 1.0f},
            {nan, 1.0f},  {1.0f, nan},  {inf, 1.0f},   {1.0f, inf},   {inf, inf}};
}

// A float's exact value, so a failing pair can be reproduced.
QString exact(float x) {
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::hex).ptr;
    return QStringLiteral("0x") + QString::fromLatin1(buffer, end - buffer);
}

QString describe(const hydraulics::Result& result) {
    return result ? QString::number(*result, 'g', 17) : QStringLiteral("empty");
}

bool sameBits(const hydraulics::Result& x, const hydraulics::Result& y) {
    if (!x || !y) {
        return !x && !y;
    }
    return std::bit_cast<std::uint64_t>(*x) == std::bit_cast<std::uint64_t>(*y);
}

} // namespace

class TestEllipsePerimeter : public QObject {
    Q_OBJECT

private slots:
    void matchesReferenceBitForBit_data() {
        QTest::addColumn<AxisPairs>("pairs");
        QTest::newRow("log grid 1E-03..1E+05 mm, 400 x 400") << allPairs(logSpaced(400));
        QTest::newRow("standard sizes, whole and half") << allPairs(standardSizes());
        QTest::newRow("subnormal and huge floats") << allPairs(extremes());
        QTest::newRow("random positive finite bit patterns") << randomPairs(100000);
        QTest::newRow("guards and non-finite") << guardsAndNonFinite();
    }

    void matchesReferenceBitForBit() {
        QFETCH(AxisPairs, pairs);
        // Every tenth pair of the large sets, unless the full proof is asked for.
        const std::size_t step =
            pairs.size() < 10000 || qEnvironmentVariableIsSet("DUCTCALC_FULL_PROOF") ? 1 : 10;
        for (std::size_t i = 0; i < pairs.size(); i += step) {
            const auto [a, b] = pairs[i];
            const hydraulics::Result actual = hydraulics::ellipsePerimeter(a, b);
            const hydraulics::Result expected = referencePerimeter(a, b);
            if (!sameBits(actual, expected)) {
                QFAIL(
                    qPrintable(QStringLiteral("ellipsePerimeter(%1, %2) = %3, reference %4")
                                   .arg(exact(a), exact(b), describe(actual), describe(expected))));
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestEllipsePerimeter)
#include "tst_ellipse_perimeter.moc"
