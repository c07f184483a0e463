#include "calc/defaults.h"
#include "calc/flow_units.h"
#include "calc/recalculation.h"

#include <QTest>
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

using namespace calc;

Q_DECLARE_METATYPE(calc::RecalcInputs)
Q_DECLARE_METATYPE(calc::FrictionFormula)

namespace {

// The state as start-up leaves it just before its final recalculation.
CalculatorState startUpState() {
    CalculatorState s;
    storeDefaults(s);
    s.flowFactor = 1;
    return s;
}

// The controls after start-up: flow "0", circular duct from the lists, formula one.
RecalcInputs startUpInputs() {
    RecalcInputs in;
    in.flowText = std::string(defaultFlowText); // moved in: GCC 12 warns about a copy at -O3
    std::copy(defaultSizeTexts.begin(), defaultSizeTexts.end(), in.listTexts.begin());
    in.boxTexts = in.listTexts;
    return in;
}

// A duct of the given shape with its sizes in the chosen source; the other source holds
// different sizes, so reading the wrong one shows.
RecalcInputs duct(DuctShape shape, bool fromBoxes, const char* first, const char* second,
                  const char* flow) {
    RecalcInputs in;
    in.flowText = flow;
    in.shape = shape;
    in.nonStandardSize = fromBoxes;
    in.listTexts.fill("777");
    in.boxTexts.fill("777");
    auto& texts = fromBoxes ? in.boxTexts : in.listTexts;
    switch (shape) {
    case DuctShape::Circular:
        texts[Diameter] = first;
        break;
    case DuctShape::Rectangular:
        texts[LongSide] = first;
        texts[ShortSide] = second;
        break;
    case DuctShape::Elliptic:
        texts[MajorAxis] = first;
        texts[MinorAxis] = second;
        break;
    }
    return in;
}

QString text(const ResultTexts& texts, ResultRow row) {
    return QString::fromStdString(texts[index(row)]);
}

QStringList rows(const ResultTexts& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list << QString::fromStdString(text);
    }
    return list;
}

quint32 bits(float x) {
    return std::bit_cast<quint32>(x);
}

// Every field bit for bit, so minus zero and NaN compare as themselves.
auto fieldBits(const CalculatorState& s) {
    return std::bit_cast<std::array<std::uint32_t, sizeof(CalculatorState) / 4>>(s);
}

} // namespace

class TestRecalculation : public QObject {
    Q_OBJECT

private slots:
    void startUpCaptions();
    void sizes_data();
    void sizes();
    void secondCallChangesNothing_data();
    void secondCallChangesNothing();
    void velocityKeptWithoutArea();
    void flowUnits_data();
    void flowUnits();
    void frictionFormulas_data();
    void frictionFormulas();
    void flowBeyondFloatShowsOverflow();
};

void TestRecalculation::startUpCaptions() {
    CalculatorState state = startUpState();
    const QStringList expected{
        " .16",   " 0 m3/h", "φ 100",   " .1 m", " 1.204 kg/m3", " 1.506E-05 m2/s",
        " 0 m/s", " 0",      " 0 Pa/m", " 0 Pa",
    };
    QCOMPARE(rows(recalculate(state, startUpInputs())), expected);
}

void TestRecalculation::sizes_data() {
    QTest::addColumn<RecalcInputs>("inputs");
    QTest::addColumn<QString>("sizeCaption");
    QTest::addColumn<float>("dEq");
    QTest::addColumn<QString>("dEqCaption");
    QTest::addColumn<QString>("velocityCaption");

    const auto circle = DuctShape::Circular;
    const auto rect = DuctShape::Rectangular;
    const auto ellipse = DuctShape::Elliptic;
    const bool list = false;
    const bool box = true;
    const QString noSize = "请输入风管尺寸";

    // List sizes are taken as absolute values; typed ones as read.
    QTest::newRow("circle list -250")
        << duct(circle, list, "-250", "", "0") << "φ 250" << 0.25f << " .25 m"
        << " 0 m/s";
    QTest::newRow("circle box -250")
        << duct(circle, box, "-250", "", "0") << "φ-250" << -0.25f << "-.25 m"
        << " 0 m/s";
    QTest::newRow("circle box empty")
        << duct(circle, box, "", "", "100") << "φ 0" << 0.0f << " 0 m" << noSize;
    QTest::newRow("circle flow beyond float")
        << duct(circle, list, "100", "", "1E+39") << "φ 100" << 0.1f << " .1 m"
        << "溢出";

    // 1 m2 and 0.5 m2 at 1 m/s; the hydraulic diameter of 1000 x 500 is 666.6667 mm.
    QTest::newRow("rect list 1000x1000")
        << duct(rect, list, "1000", "1000", "3600") << " 1000 * 1000" << 1.0f << " 1 m"
        << " 1 m/s";
    QTest::newRow("rect list 1000x500")
        << duct(rect, list, "1000", "500", "1800") << " 1000 * 500" << 0.666666687f << " .6666667 m"
        << " 1 m/s";
    QTest::newRow("rect list -1000x-500") << duct(rect, list, "-1000", "-500", "1800")
                                          << " 1000 * 500" << 0.666666687f << " .6666667 m"
                                          << " 1 m/s";
    QTest::newRow("rect box 1000x500")
        << duct(rect, box, "1000", "500", "1800") << " 1000 * 500" << 0.666666687f << " .6666667 m"
        << " 1 m/s";
    QTest::newRow("rect box 0x500")
        << duct(rect, box, "0", "500", "1800") << " 0 * 500" << 0.0f << " 0 m" << noSize;
    // 0/0 has no hydraulic diameter: it counts as 0 like any zero size.
    QTest::newRow("rect box 0x0") << duct(rect, box, "0", "0", "1800") << " 0 * 0" << 0.0f << " 0 m"
                                  << noSize;

    // ellipseEquivalentDiameter / 1000 rounded once: 259.40937 mm gives 0.2594094 m.
    QTest::newRow("ellipse list 1000x800") << duct(ellipse, list, "1000", "800", "0")
                                           << "长径 1000 短径 800" << 0.886151791f << " .8861518 m"
                                           << " 0 m/s";
    QTest::newRow("ellipse box 400x200") << duct(ellipse, box, "400", "200", "3600")
                                         << "长径 400 短径 200" << 0.259409368f << " .2594094 m"
                                         << " 15.91551 m/s";
    QTest::newRow("ellipse list -400x200") << duct(ellipse, list, "-400", "200", "3600")
                                           << "长径 400 短径 200" << 0.259409368f << " .2594094 m"
                                           << " 15.91551 m/s";
    // Rounding ellipseEquivalentDiameter's 250.000008 mm to a float before dividing would give
    // 0.25000003 m.
    QTest::newRow("ellipse box 250x250")
        << duct(ellipse, box, "250", "250", "0") << "长径 250 短径 250" << 0.25f << " .25 m"
        << " 0 m/s";
    QTest::newRow("ellipse box 1000x0") << duct(ellipse, box, "1000", "0", "3600")
                                        << "长径 1000 短径 0" << 0.0f << " 0 m" << noSize;
}

void TestRecalculation::sizes() {
    QFETCH(RecalcInputs, inputs);
    QFETCH(QString, sizeCaption);
    QFETCH(float, dEq);
    QFETCH(QString, dEqCaption);
    QFETCH(QString, velocityCaption);

    CalculatorState state = startUpState();
    const ResultTexts captions = recalculate(state, inputs);
    QCOMPARE(text(captions, ResultRow::Size), sizeCaption);
    QCOMPARE(bits(state.dEq), bits(dEq));
    QCOMPARE(text(captions, ResultRow::EquivalentDiameter), dEqCaption);
    QCOMPARE(text(captions, ResultRow::Velocity), velocityCaption);
}

void TestRecalculation::secondCallChangesNothing_data() {
    sizes_data();
}

void TestRecalculation::secondCallChangesNothing() {
    QFETCH(RecalcInputs, inputs);

    CalculatorState state = startUpState();
    state.vel = 5; // a previous velocity, kept by the rows without an area
    const QStringList first = rows(recalculate(state, inputs));
    const auto afterFirst = fieldBits(state);
    QCOMPARE(rows(recalculate(state, inputs)), first);
    QVERIFY(fieldBits(state) == afterFirst);
}

// Without an area the velocity of the previous run stays and feeds the later results.
void TestRecalculation::velocityKeptWithoutArea() {
    CalculatorState state = startUpState();
    state.vel = 5;
    RecalcInputs in = startUpInputs();
    in.nonStandardSize = true;
    in.boxTexts[Diameter] = "";

    const ResultTexts captions = recalculate(state, in);
    QCOMPARE(bits(state.vel), bits(5.0f));
    QCOMPARE(text(captions, ResultRow::Size), "φ 0");
    QCOMPARE(text(captions, ResultRow::EquivalentDiameter), " 0 m");
    QCOMPARE(text(captions, ResultRow::Velocity), "请输入风管尺寸");
    QCOMPARE(text(captions, ResultRow::ReynoldsNumber), " 0");
    QCOMPARE(text(captions, ResultRow::FrictionLoss), " 0 Pa/m");
    QCOMPARE(text(captions, ResultRow::DynamicPressure), " 15.05 Pa");
}

void TestRecalculation::flowUnits_data() {
    QTest::addColumn<QByteArray>("unit");
    QTest::addColumn<QByteArray>("flowText");
    QTest::addColumn<QString>("flowCaption");
    QTest::addColumn<float>("flow");
    QTest::addColumn<float>("vel");

    // In the 100 mm circle from start-up. The flow is the factor times the double read,
    // rounded once; the velocity two 64-bit divisions, rounded once. The last two rows
    // would lose a bit with 32-bit steps.
    QTest::newRow("100 m3/min") << QByteArray("m3/min") << QByteArray("100") << " 6000 m3/h"
                                << 6000.0f << 212.206757f;
    QTest::newRow("100 l/min") << QByteArray("l/min") << QByteArray("100") << " 6 m3/h" << 6.0f
                               << 0.212206751f;
    QTest::newRow("100 Am.GPM") << QByteArray("Am.GPM") << QByteArray("100") << " 22.71 m3/h"
                                << 22.7099991f << 0.80320251f;
    QTest::newRow("100 En.GPM") << QByteArray("En.GPM") << QByteArray("100") << " 27.276 m3/h"
                                << 27.276001f << 0.964691937f;
    QTest::newRow("100 CFM") << QByteArray("CFM") << QByteArray("100") << " 169.9 m3/h"
                             << 169.899994f << 6.0089879f;
    QTest::newRow("1 En.GPS") << QByteArray("En.GPS") << QByteArray("1") << " 16.3656 m3/h"
                              << 16.3656006f << 0.578815162f;
    QTest::newRow("1 l/min") << QByteArray("l/min") << QByteArray("1") << " .06 m3/h"
                             << 0.0599999987f << 0.00212206761f;
    QTest::newRow("abc m3/h") << QByteArray("m3/h") << QByteArray("abc") << " 0 m3/h" << 0.0f
                              << 0.0f;
    QTest::newRow("1 000 m3/h") << QByteArray("m3/h") << QByteArray(" 1 000") << " 1000 m3/h"
                                << 1000.0f << 35.367794f;
    QTest::newRow("12 m3/h") << QByteArray("m3/h") << QByteArray("12") << " 12 m3/h" << 12.0f
                             << 0.424413502f;
    QTest::newRow("0.1 Am.GPM") << QByteArray("Am.GPM") << QByteArray("0.1") << " .02271 m3/h"
                                << 0.0227099992f << 0.000803202565f;
}

void TestRecalculation::flowUnits() {
    QFETCH(QByteArray, unit);
    QFETCH(QByteArray, flowText);
    QFETCH(QString, flowCaption);
    QFETCH(float, flow);
    QFETCH(float, vel);

    CalculatorState state = startUpState();
    state.flowFactor = calc::flowFactorOf(unit.toStdString()).value();
    RecalcInputs in = startUpInputs();
    in.flowText = flowText.toStdString();
    const ResultTexts captions = recalculate(state, in);
    QCOMPARE(text(captions, ResultRow::Flow), flowCaption);
    QCOMPARE(text(captions, ResultRow::Size), "φ 100");
    QCOMPARE(bits(state.flow), bits(flow));
    QCOMPARE(bits(state.vel), bits(vel));
}

void TestRecalculation::frictionFormulas_data() {
    QTest::addColumn<FrictionFormula>("formula");
    QTest::addColumn<RecalcInputs>("inputs");
    QTest::addColumn<QString>("reynCaption");
    QTest::addColumn<QString>("lossCaption");

    const auto rect = DuctShape::Rectangular;
    // At 1 m/s in 1 m the Reynolds number is that of 5 m/s in 0.2 m.
    QTest::newRow("formula one, 1000x1000")
        << FrictionFormula::One << duct(rect, false, "1000", "1000", "3600") << " 66401.06"
        << " .007898354 Pa/m";
    QTest::newRow("formula two, 1000x1000")
        << FrictionFormula::Two << duct(rect, false, "1000", "1000", "3600") << " 66401.06"
        << " .01202985 Pa/m";
    // The Reynolds number 44267.375 is a tie at the 7th digit and goes up.
    QTest::newRow("formula one, 1000x500")
        << FrictionFormula::One << duct(rect, false, "1000", "500", "1800") << " 44267.38"
        << " .0128648 Pa/m";
}

void TestRecalculation::frictionFormulas() {
    QFETCH(FrictionFormula, formula);
    QFETCH(RecalcInputs, inputs);
    QFETCH(QString, reynCaption);
    QFETCH(QString, lossCaption);

    CalculatorState state = startUpState();
    inputs.formula = formula;
    const ResultTexts captions = recalculate(state, inputs);
    QCOMPARE(text(captions, ResultRow::ReynoldsNumber), reynCaption);
    QCOMPARE(text(captions, ResultRow::FrictionLoss), lossCaption);
    QCOMPARE(text(captions, ResultRow::DynamicPressure), " .602 Pa");
}

// A flow beyond the float range shows the overflow text without a unit in every row it
// reaches; the rows it does not reach stay as computed.
void TestRecalculation::flowBeyondFloatShowsOverflow() {
    CalculatorState state = startUpState();
    RecalcInputs in = startUpInputs();
    in.flowText = "1E+39";
    const QStringList expected{
        " .16", "溢出", "φ 100", " .1 m", " 1.204 kg/m3", " 1.506E-05 m2/s",
        "溢出", "溢出", "溢出",  "溢出",
    };
    QCOMPARE(rows(recalculate(state, in)), expected);
}

QTEST_APPLESS_MAIN(TestRecalculation)
#include "tst_recalculation.moc"
