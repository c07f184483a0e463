#include <QTest>

class TestNumbertext : public QObject {
    Q_OBJECT
};

QTEST_APPLESS_MAIN(TestNumbertext)
#include "tst_numbertext.moc"
