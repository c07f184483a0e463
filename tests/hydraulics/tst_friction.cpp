#include "hydraulics/colebrook.h"
#include "hydraulics/friction.h"
#include "result_rows.h"

#include <QTest>
#include <cmath>

namespace {
// The worked example: 5 m/s in a 0.2 m duct, standard air, K = 0.15 mm.
const float vel = 5.0f;
const float diam = 0.2f;
const float visc = 0.00001506f;
const float rough = 0.15f;
const float dens = 1.204f;
const float reyn = 66401.0625f; // reynoldsNumber(5, 0.2, 0.00001506), a 32-bit quotient
const float zero = 0.0f;
} // namespace

class TestFriction : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void noValue_data();
    void noValue();
    void l1BracketSumOfZero();
    void colebrookPublishedFigure();
};

void TestFriction::values_data() {
    resultRows::addValueColumns();

    QTest::newRow("re example") << hydraulics::reynoldsNumber(vel, diam, visc) << reyn
                                << double(reyn) << 0.0;
    QTest::newRow("re v=0") << hydraulics::reynoldsNumber(zero, diam, visc) << 0.0f << 0.0 << 0.0;
    QTest::newRow("re d=0") << hydraulics::reynoldsNumber(vel, zero, visc) << 0.0f << 0.0 << 0.0;
    // The log covers the roughness term only; lg of the whole sum would give about 0.0225.
    QTest::newRow("formula one example")
        << hydraulics::frictionFactorOne(rough, diam, reyn) << 0.0183187276f << 0.0183187 << 5e-8;
    QTest::newRow("formula two example")
        << hydraulics::frictionFactorTwo(rough, diam, reyn) << 0.0226011649f << 0.0226012 << 5e-8;
    // A smooth wall leaves 0.0055 (1 + (1E6/Re)^(1/3)).
    QTest::newRow("l2 k=0") << hydraulics::frictionFactorTwo(zero, diam, reyn) << 0.0190822277f
                            << 0.0055 * (1.0 + std::cbrt(1e6 / 66401.0625)) << 1e-15;
    QTest::newRow("rm example") << hydraulics::specificFrictionLoss(0.0183187f, diam, vel, dens)
                                << 1.3784821f << double(1.3784821f) << 0.0;
    QTest::newRow("pd example") << hydraulics::dynamicPressure(dens, vel) << 15.05f << 15.05
                                << 5e-7;
    // Cases where a 32-bit step in place of a 64-bit one, or the reverse, moves the float.
    QTest::newRow("l2 d=0.02") << hydraulics::frictionFactorTwo(rough, 0.02f, reyn) << 0.0356700905f
                               << 0.03567009 << 5e-9;
    QTest::newRow("pd v=0.07") << hydraulics::dynamicPressure(dens, 0.07f) << 0.00294980011f
                               << 0.0029498 << 5e-11;
    QTest::newRow("pd v=0") << hydraulics::dynamicPressure(dens, zero) << 0.0f << 0.0 << 0.0;
}

void TestFriction::values() {
    resultRows::checkValue();
}

void TestFriction::noValue_data() {
    resultRows::addNoValueColumn();

    QTest::newRow("re mu=0") << hydraulics::reynoldsNumber(vel, diam, zero);
    QTest::newRow("l1 k=0") << hydraulics::frictionFactorOne(zero, diam, reyn);
    QTest::newRow("l1 d=0") << hydraulics::frictionFactorOne(rough, zero, reyn);
    QTest::newRow("l1 r=0") << hydraulics::frictionFactorOne(rough, diam, zero);
    QTest::newRow("l2 d=0") << hydraulics::frictionFactorTwo(rough, zero, reyn);
    QTest::newRow("l2 r=0") << hydraulics::frictionFactorTwo(rough, diam, zero);
    QTest::newRow("rm d=0") << hydraulics::specificFrictionLoss(0.0183187f, zero, vel, dens);
    QTest::newRow("colebrook Re below 4000") << hydraulics::colebrook(rough, diam, 3999.9);
    QTest::newRow("colebrook k=0") << hydraulics::colebrook(zero, diam, reyn);
    QTest::newRow("colebrook d<0") << hydraulics::colebrook(rough, -diam, reyn);
    QTest::newRow("colebrook Re not finite") << hydraulics::colebrook(rough, diam, HUGE_VAL);
    QTest::newRow("colebrook K/D=4") << hydraulics::colebrook(4000.0, 1.0, reyn);
}

void TestFriction::noValue() {
    resultRows::checkNoValue();
}

// lg(K / 3.71 D) + 5.74 / (0.9 Re) is exactly 0 for these floats (found by searching all
// relative roughnesses for a Reynolds number whose term cancels the log to the last bit).
// The friction factor is then infinite, and one float of Re to either side it is finite
// but huge: the bracket changes sign there.
void TestFriction::l1BracketSumOfZero() {
    const float k = 0x1.d17d4p-46f;
    const float d = 1.0f;
    const float r = 0x1.7ca668p-2f;

    const hydraulics::Result atZero = hydraulics::frictionFactorOne(k, d, r);
    QVERIFY(atZero.has_value());
    QVERIFY(std::isinf(*atZero));
    for (const float beside : {std::nextafter(r, 0.0f), std::nextafter(r, 1.0f)}) {
        const hydraulics::Result near = hydraulics::frictionFactorOne(k, d, beside);
        QVERIFY(near.has_value());
        QVERIFY(std::isfinite(*near) && *near > 1e10);
    }
}

// Re = 1E+05 and K/D = 1E-04 give 0.018514 in the literature.
void TestFriction::colebrookPublishedFigure() {
    QVERIFY(std::fabs(hydraulics::colebrook(0.1, 1.0, 1e5).value_or(NAN) - 0.018514) <= 2e-6);
}

QTEST_APPLESS_MAIN(TestFriction)
#include "tst_friction.moc"
