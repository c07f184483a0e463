#include "ui/calculator/formula_pictures.h"
#include "ui/main_window/airliner_icon.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <cmath>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using PictureMaker = QPixmap (*)(QSize, qreal);

// Where the ink of a picture lies: anything darker than a light grey counts.
QRect inkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 192)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

bool onlyGreys(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
                return false;
        }
    return true;
}

int blackPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 32 ? 1 : 0;
    return count;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void formulaFacesReadInPlace(); // first: before any picture has registered the faces
    void formulaPicture_data();
    void formulaPicture();
    void iconSizes();
    void formulaFacesShipped();
};

// The first pictures register the shipped faces without copying them into memory: all that
// stays in the heap (the fonts' structures and glyphs, the pictures) is less than the faces'
// own 730 kB, which a copy read from the resource files cost some 2.5 MB.
void TestArtwork::formulaFacesReadInPlace() {
#ifndef __GLIBC__
    QSKIP("the heap is measured through glibc's mallinfo2");
#else
    QFontMetrics(QFont()).height(); // the system's font database, which the window sets up first
    const auto inUse = [] {
        const struct mallinfo2 heap = mallinfo2();
        return heap.uordblks + heap.hblkhd;
    };
    const std::size_t before = inUse();
    const QPixmap one = ui::formulaOnePicture({171, 69}, 1);
    const QPixmap two = ui::formulaTwoPicture({231, 72}, 1);
    const std::size_t faces = 380'660 + 346'544;
    QVERIFY2(inUse() - before < faces, qPrintable(QString::number(inUse() - before)));
#endif
}

void TestArtwork::formulaPicture_data() {
    QTest::addColumn<PictureMaker>("make");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("boxSize");
    QTest::addColumn<qreal>("ratio");

    const struct {
        const char* name;
        PictureMaker make;
        QSize size;
        QSize boxSize;
    } pictures[] = {{"formula one", &ui::formulaOnePicture, {171, 69}, {169, 73}},
                    {"formula two", &ui::formulaTwoPicture, {231, 72}, {233, 73}}};
    for (const auto& picture : pictures)
        for (const qreal ratio : {1.0, 1.5, 2.0})
            QTest::addRow("%s at %g", picture.name, ratio)
                << picture.make << picture.size << picture.boxSize << ratio;
}

// Each picture has its size at every scale and is black ink on white, centred so that the
// sunken border of its box never covers a stroke.
void TestArtwork::formulaPicture() {
    QFETCH(PictureMaker, make);
    QFETCH(QSize, size);
    QFETCH(QSize, boxSize);
    QFETCH(qreal, ratio);

    const QPixmap pixmap = make(boxSize, ratio);
    QCOMPARE(pixmap.devicePixelRatio(), ratio);
    QCOMPARE(pixmap.size(),
             QSize(std::lround(size.width() * ratio), std::lround(size.height() * ratio)));

    const QImage image = pixmap.toImage();
    QVERIFY(onlyGreys(image));
    QVERIFY(blackPixels(image) > 100 * ratio * ratio);
    const QRect ink = inkBounds(image);
    const QRect clearOfBorder(0, 0, static_cast<int>((boxSize.width() - 3) * ratio),
                              static_cast<int>((boxSize.height() - 3) * ratio));
    QVERIFY2(clearOfBorder.contains(ink), "ink reaches into the box's border");
    QVERIFY2(ink.width() > 0.8 * clearOfBorder.width(), "the formula is too small");
    for (const QPoint corner : {image.rect().topLeft(), image.rect().bottomRight()})
        QCOMPARE(image.pixel(corner), qRgb(255, 255, 255));
}

// The icon has an image for every size the desktop asks for, each an opaque aircraft on
// a transparent ground, with its dark-blue windows still visible at the smallest size.
void TestArtwork::iconSizes() {
    const QIcon icon = ui::airlinerIcon();
    for (const int side : {16, 32, 48, 64, 128, 256}) {
        const QString size = QString::number(side);
        QVERIFY2(icon.availableSizes().contains(QSize(side, side)), qPrintable(size));
        const QImage image = icon.pixmap(side, side).toImage();
        QCOMPARE(image.size(), QSize(side, side));
        int opaque = 0;
        int windowBlue = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const QRgb p = image.pixel(x, y);
                opaque += qAlpha(p) == 255 ? 1 : 0;
                windowBlue += qAlpha(p) == 255 && qBlue(p) > qRed(p) + 64 ? 1 : 0;
            }
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QVERIFY2(opaque > side * side / 8, qPrintable(size));
        QVERIFY2(windowBlue >= side / 8, qPrintable(size));
    }
}

// The pictures' faces are resources of the program, not fonts the system may lack.
void TestArtwork::formulaFacesShipped() {
    for (const char* face : {":/fonts/DejaVuSerif.ttf", ":/fonts/DejaVuSerif-Italic.ttf"}) {
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(face));
        QVERIFY2(id >= 0, face);
        QCOMPARE(QFontDatabase::applicationFontFamilies(id), QStringList{"DejaVu Serif"});
    }
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
