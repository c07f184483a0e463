#include "calc/colebrook_line.h"
#include "calc/recalculation.h"

#include <QTest>

using namespace calc;

class TestReferenceAndAir : public QObject {
    Q_OBJECT

private slots:
    void published_data();
    void published();
};

void TestReferenceAndAir::published_data() {
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    // A typed 350 x 200 mm duct, K = 0.09 mm, density 1.2, viscosity 1.506E-05, formula one,
    // and a flow in m3/h; 500 l/s (1800 m3/h) is published as 2.30 Pa/m in a worked example.
    const auto lineAt = [](const char* flow) {
        CalculatorState state{.visc = 0.00001506f, .dens = 1.2f, .rough = 0.09f, .flowFactor = 1};
        v(state, {.flowText = flow,
                  .nonStandardSize = true,
                  .shape = DuctShape::Rectangular,
                  .listTexts = {},
                  .boxTexts = {"", "350", "200", "", ""}});
        return QString::fromStdString(colebrookLine(state));
    };
    QTest::newRow("1800 m3/h") << lineAt("1800")
                               << "Colebrook-White: 2.307 Pa/m（当前公式 −19.4%）";
    QTest::newRow("18 m3/h") << lineAt("18") << "Colebrook-White 公式仅适用于紊流（Re ≥ 4000）";
    QTest::newRow("1E+39 m3/h") << lineAt("1E+39") << "Colebrook-White: 溢出";
}

void TestReferenceAndAir::published() {
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

QTEST_APPLESS_MAIN(TestReferenceAndAir)
#include "tst_reference_and_air.moc"
