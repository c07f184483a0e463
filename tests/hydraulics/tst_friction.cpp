#include <QTest>

class TestFriction : public QObject {
    Q_OBJECT
};

QTEST_APPLESS_MAIN(TestFriction)
#include "tst_friction.moc"
