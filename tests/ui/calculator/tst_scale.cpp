// The window at the screen scale this test runs with (QT_SCALE_FACTOR 1, 1.5 or 2): the
// formula pictures are drawn for the device pixel ratio, not upscaled, and every caption
// is whole in its control.

#include "calculator_driver.h"
#include "ui/calculator/picture_box.h"

#include <QGroupBox>
#include <QStyleOptionButton>

namespace {

class TestScale : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { d.start(); }
    void cleanupTestCase() { d.stop(); }

    void picturesMatchTheDevicePixelRatio_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("formula one") << "Picture1" << QSize(171, 69);
        QTest::newRow("formula two") << "Picture2" << QSize(231, 72);
    }
    void picturesMatchTheDevicePixelRatio() {
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        const qreal ratio = d.form->devicePixelRatioF();
        QCOMPARE(ratio, qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                            ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble()
                            : 1.0);
        const QPixmap pixmap = d.get<ui::PictureBox>(picture)->pixmap();
        QCOMPARE(pixmap.devicePixelRatio(), ratio);
        QCOMPARE(pixmap.size(), (QSizeF(size) * ratio).toSize());
    }

    void captionsAreWhole() {
        for (const QLabel* label : d.form->findChildren<QLabel*>()) {
            if (label->pixmap().isNull()) {
                verifyFits(label, label->text(), label->contentsRect().size());
            }
        }
        for (const QAbstractButton* button : d.form->findChildren<QAbstractButton*>()) {
            verifyFits(button, button->text(), textRoom(button));
        }
        for (const QGroupBox* frame : d.form->findChildren<QGroupBox*>()) {
            verifyFits(frame, frame->title(), frame->size());
        }
    }

    // The widest texts a result row shows for sizes from the lists.
    void widestResultsAreWhole_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::newRow("ellipse") << "Label6" << QString::fromUtf8("长径 4000 短径 4000");
        QTest::newRow("rectangle") << "Label6" << QString::fromUtf8(" 4000 * 4000");
        QTest::newRow("no size") << "Label7" << QString::fromUtf8("请输入风管尺寸");
        QTest::newRow("overflow") << "Label11" << QString::fromUtf8("溢出");
        QTest::newRow("viscosity") << "Label24" << QString::fromUtf8("-1.234568E-05 m2/s");
        QTest::newRow("flow") << "Label10" << QString::fromUtf8("-1.234568E+07 m3/h");
    }
    void widestResultsAreWhole() {
        QFETCH(QString, label);
        QFETCH(QString, text);
        const auto* value = d.get<QLabel>(label);
        verifyFits(value, text, value->contentsRect().size());
    }

private:
    // The room the style leaves for a button's caption beside its indicator or frame.
    static QSize textRoom(const QAbstractButton* button) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement contents =
            qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
            : qobject_cast<const QCheckBox*>(button)  ? QStyle::SE_CheckBoxContents
                                                      : QStyle::SE_PushButtonContents;
        return button->style()->subElementRect(contents, &option, button).size();
    }

    static void verifyFits(const QWidget* widget, const QString& text, QSize room) {
        const QRect ink = widget->fontMetrics().boundingRect(text);
        QVERIFY2(ink.width() <= room.width() && widget->fontMetrics().height() <= room.height(),
                 qPrintable(QString("%1 \"%2\" needs %3 x %4, has %5 x %6")
                                .arg(widget->objectName(), text)
                                .arg(ink.width())
                                .arg(widget->fontMetrics().height())
                                .arg(room.width())
                                .arg(room.height())));
    }

    CalculatorDriver d;
};

} // namespace

QTEST_MAIN(TestScale)
#include "tst_scale.moc"
