#include "hydraulics/geometry.h"
#include "result_rows.h"

#include <QTest>

class TestGeometry : public QObject {
    Q_OBJECT

private slots:
    void values_data();
    void values();
    void noValue_data();
    void noValue();
};

void TestGeometry::values_data() {
    resultRows::addValueColumns();

    // pi is 3.14159 in the areas: a 1000 mm circle is 0.7853975 m2, not 0.7853982.
    QTest::newRow("s1 200") << hydraulics::circleArea(200) << 0.0314159021f << 0.0314159 << 5e-8;
    QTest::newRow("s1 1000") << hydraulics::circleArea(1000) << 0.78539753f << 0.7853975 << 5e-8;
    QTest::newRow("s1 0") << hydraulics::circleArea(0) << 0.0f << 0.0 << 0.0;
    // 0.4f * 0.2f rounds to 0.08000001, one float above 0.08f.
    QTest::newRow("s2 400x200") << hydraulics::rectangleArea(400, 200) << 0.0800000057f
                                << double(0.0800000057f) << 0.0;
    QTest::newRow("s2 0x200") << hydraulics::rectangleArea(0, 200) << 0.0f << 0.0 << 0.0;
    QTest::newRow("s3 400x200") << hydraulics::ellipseArea(400, 200) << 0.0628318042f << 0.0628318
                                << 5e-8;
    QTest::newRow("s3 0x200") << hydraulics::ellipseArea(0, 200) << 0.0f << 0.0 << 0.0;
    QTest::newRow("dv_r 400x200") << hydraulics::rectangleEquivalentDiameter(400, 200)
                                  << 266.666656f << double(266.666656f) << 0.0;
    QTest::newRow("dv_r 0x200") << hydraulics::rectangleEquivalentDiameter(0, 200) << 0.0f << 0.0
                                << 0.0;
    QTest::newRow("lofe 1x1") << hydraulics::ellipsePerimeter(1, 1) << 6.28318501f << 6.283185
                              << 5e-7;
    // The exact perimeter is 968.84482; 1800 chords a quadrant give 968.84477.
    QTest::newRow("lofe 200x100") << hydraulics::ellipsePerimeter(200, 100) << 968.844788f
                                  << 968.84477 << 5e-6;
    // For equal axes the hydraulic diameter is the diameter to a few parts in 1E8.
    QTest::newRow("dv_e 200x200") << hydraulics::ellipseEquivalentDiameter(200, 200) << 200.0f
                                  << 200.0000066 << 5e-8;
    QTest::newRow("dv_e 400x200") << hydraulics::ellipseEquivalentDiameter(400, 200) << 259.409363f
                                  << 259.40937 << 5e-6;
}

void TestGeometry::values() {
    resultRows::checkValue();
}

void TestGeometry::noValue_data() {
    resultRows::addNoValueColumn();

    // Both sides 0 is 0/0: no value, so the caller's equivalent diameter is 0.
    QTest::newRow("dv_r 0x0") << hydraulics::rectangleEquivalentDiameter(0, 0);
    QTest::newRow("dv_e 0x200") << hydraulics::ellipseEquivalentDiameter(0, 200);
    QTest::newRow("dv_e 200x-1") << hydraulics::ellipseEquivalentDiameter(200, -1);
    QTest::newRow("lofe 0x1") << hydraulics::ellipsePerimeter(0, 1);
    QTest::newRow("lofe 1x0") << hydraulics::ellipsePerimeter(1, 0);
    QTest::newRow("lofe -1x1") << hydraulics::ellipsePerimeter(-1, 1);
    QTest::newRow("lofe 1x-1") << hydraulics::ellipsePerimeter(1, -1);
}

void TestGeometry::noValue() {
    resultRows::checkNoValue();
}

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
