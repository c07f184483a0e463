#include <QTest>

class TestRecalculation : public QObject {
    Q_OBJECT
};

QTEST_APPLESS_MAIN(TestRecalculation)
#include "tst_recalculation.moc"
