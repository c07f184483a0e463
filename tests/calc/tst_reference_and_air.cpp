#include "calc/air_properties.h"
#include "calc/colebrook_line.h"
#include "calc/number_text.h"
#include "calc/recalculation.h"

#include <QTest>

using namespace calc;

class TestReferenceAndAir : public QObject {
    Q_OBJECT

private slots:
    void published_data();
    void published();
    void airCorners();
};

void TestReferenceAndAir::published_data() {
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    // A typed 350 x 200 mm duct, K = 0.09 mm, density 1.2, viscosity 1.506E-05, formula one,
    // and a flow in m3/h; 500 l/s (1800 m3/h) is published as 2.30 Pa/m in a worked example.
    const auto lineAt = [](const char* flow) {
        CalculatorState state{.visc = 0.00001506f, .dens = 1.2f, .rough = 0.09f, .flowFactor = 1};
        recalculate(state, {.flowText = flow,
                            .nonStandardSize = true,
                            .shape = DuctShape::Rectangular,
                            .listTexts = {},
                            .boxTexts = {"", "350", "200", "", ""}});
        return QString::fromStdString(colebrookLine(state));
    };
    const auto digits = [](double x, int count) { return QString::asprintf("%#.*g", count, x); };
    const AirProperties standard = airProperties(20, 101.325, 0);
    const AirProperties hot = airProperties(100, 101.325, 0);
    const double high = pressureAtAltitude(3650);
    QTest::newRow("1800 m3/h") << lineAt("1800")
                               << "Colebrook-White: 2.307 Pa/m（当前公式 −19.4%）";
    QTest::newRow("18 m3/h") << lineAt("18") << "Colebrook-White 公式仅适用于紊流（Re ≥ 4000）";
    QTest::newRow("1E+39 m3/h") << lineAt("1E+39") << "Colebrook-White: 溢出";
    QTest::newRow("density, 20 °C") << digits(standard.density, 4) << "1.204";
    QTest::newRow("viscosity, 20 °C") << digits(standard.kinematicViscosity, 4) << "1.506e-05";
    QTest::newRow("density, 100 °C") << digits(hot.density, 4) << "0.9460";
    QTest::newRow("viscosity, 100 °C") << digits(hot.kinematicViscosity, 4) << "2.297e-05";
    QTest::newRow("pressure, 3650 m") << digits(high, 4) << "64.50";
    QTest::newRow("density, 3650 m") << digits(airProperties(20, high, 0).density, 3) << "0.767";
}

void TestReferenceAndAir::published() {
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

// Corners of the ranges: humid air is lighter, the boxes get positive finite values.
void TestReferenceAndAir::airCorners() {
    for (const double t : {-50.0, 100.0, 300.0}) {
        for (const double p : {pressureAtAltitude(6000), 110.0}) {
            const AirProperties humid = airProperties(t, p, 100);
            QVERIFY(humid.density < airProperties(t, p, 0).density);
            QVERIFY(parseNumber(formatPlain(static_cast<float>(humid.density))) > 0);
            QVERIFY(parseNumber(formatPlain(static_cast<float>(humid.kinematicViscosity))) > 0);
            QVERIFY(qAbs(pressureAtAltitude(altitudeAtPressure(p)) - p) < 1e-9);
        }
    }
}

QTEST_APPLESS_MAIN(TestReferenceAndAir)
#include "tst_reference_and_air.moc"
