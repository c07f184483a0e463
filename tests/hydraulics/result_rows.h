#pragma once

#include "hydraulics/geometry.h"

#include <QTest>
#include <bit>
#include <cmath>

Q_DECLARE_METATYPE(hydraulics::Result)

// Table rows for formula results. A value row checks the float the caller stores, bit for
// bit, and the returned double: a 32-bit step returns a float exactly, so it is compared
// with tolerance 0; a 64-bit result is held to the quoted decimal within half its last
// digit or tighter.
namespace resultRows {

inline void addValueColumns() {
    QTest::addColumn<hydraulics::Result>("actual");
    QTest::addColumn<float>("stored");
    QTest::addColumn<double>("decimal");
    QTest::addColumn<double>("tolerance");
}

inline void checkValue() {
    QFETCH(hydraulics::Result, actual);
    QFETCH(float, stored);
    QFETCH(double, decimal);
    QFETCH(double, tolerance);

    QVERIFY(actual.has_value());
    QCOMPARE(std::bit_cast<quint32>(static_cast<float>(*actual)), std::bit_cast<quint32>(stored));
    QVERIFY2(std::fabs(*actual - decimal) <= tolerance,
             qPrintable(QString::number(*actual, 'g', 17)));
}

inline void addNoValueColumn() {
    QTest::addColumn<hydraulics::Result>("actual");
}

inline void checkNoValue() {
    QFETCH(hydraulics::Result, actual);
    QVERIFY(!actual.has_value());
}

} // namespace resultRows
