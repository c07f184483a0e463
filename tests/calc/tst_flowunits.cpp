#include "calc/flow_units.h"

#include <QTest>
#include <bit>

class TestFlowUnits : public QObject {
    Q_OBJECT

private slots:
    void table_data();
    void table();
    void unknownText_data();
    void unknownText();
};

void TestFlowUnits::table_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<float>("factor");

    // m3/h per unit; the gallon factors are 3.785 l and 4.546 l a gallon, times 60 over 1000.
    const struct {
        QByteArray text;
        float factor;
    } units[] = {
        {"m3/h", 1.0f},       {"m3/min", 60.0f},   {"m3/s", 3600.0f},   {"l/min", 0.06f},
        {"l/s", 3.6f},        {"Am.GPM", 0.2271f}, {"Am.GPS", 13.626f}, {"En.GPM", 0.27276f},
        {"En.GPS", 16.3656f}, {"CFM", 1.699f},
    };
    int index = 0;
    for (const auto& unit : units) {
        QTest::newRow(unit.text.constData()) << index++ << unit.text << unit.factor;
    }
}

void TestFlowUnits::table() {
    QFETCH(int, index);
    QFETCH(QByteArray, text);
    QFETCH(float, factor);

    const calc::FlowUnit& entry = calc::flowUnits.at(index);
    QCOMPARE(QByteArray(entry.text.data(), entry.text.size()), text);
    QCOMPARE(std::bit_cast<quint32>(entry.factor), std::bit_cast<quint32>(factor));

    const std::optional<float> found = calc::flowFactorOf(text.toStdString());
    QVERIFY(found.has_value());
    QCOMPARE(std::bit_cast<quint32>(*found), std::bit_cast<quint32>(factor));
}

void TestFlowUnits::unknownText_data() {
    QTest::addColumn<QByteArray>("text");

    // The lookup compares whole texts, case-sensitively.
    QTest::newRow("upper case") << QByteArray("M3/H");
    QTest::newRow("lower case") << QByteArray("cfm");
    QTest::newRow("trailing blank") << QByteArray("m3/h ");
    QTest::newRow("prefix") << QByteArray("m3");
    QTest::newRow("empty") << QByteArray();
}

void TestFlowUnits::unknownText() {
    QFETCH(QByteArray, text);
    QVERIFY(!calc::flowFactorOf(text.toStdString()).has_value());
}

QTEST_APPLESS_MAIN(TestFlowUnits)
#include "tst_flowunits.moc"
