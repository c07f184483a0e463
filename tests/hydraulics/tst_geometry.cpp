#include <QTest>

class TestGeometry : public QObject {
    Q_OBJECT
};

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
