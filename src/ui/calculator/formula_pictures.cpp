#include "ui/calculator/formula_pictures.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QResource>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <functional>

namespace ui {
namespace {

// Lengths are device-independent pixels; the painter scales them to the device pixel
// ratio, so every glyph and rule is drawn at the screen's own resolution.

// A piece of a formula: its extent around the baseline, and how to draw it with the left
// end of its baseline at a given point.
struct Box {
    qreal width = 0;
    qreal ascent = 0;
    qreal descent = 0;
    std::function<void(QPainter&, QPointF)> paint = [](QPainter&, QPointF) {};
};

Box row(const QList<Box>& items) {
    Box box;
    for (const Box& item : items) {
        box.width += item.width;
        box.ascent = std::max(box.ascent, item.ascent);
        box.descent = std::max(box.descent, item.descent);
    }
    box.paint = [items](QPainter& painter, QPointF origin) {
        for (const Box& item : items) {
            item.paint(painter, origin);
            origin.rx() += item.width;
        }
    };
    return box;
}

// Registers the faces shipped with the program once; the system's own DejaVu Serif, if
// any, is the same design. The faces are read in place, from the program's stored
// resources, where FreeType touches only the tables and glyphs the pictures need: read as
// files, their 730 kB cost the font database 2.5 MB of heap.
void loadFormulaFaces() {
    [[maybe_unused]] static const bool loaded = [] {
        for (const char* face : {":/fonts/DejaVuSerif.ttf", ":/fonts/DejaVuSerif-Italic.ttf"}) {
            QFontDatabase::addApplicationFontFromData(
                QResource(QString::fromLatin1(face)).uncompressedData());
        }
        return true;
    }();
}

QFont formulaFont(int pixelSize, bool italic) {
    loadFormulaFaces();
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    // Hinting only vertically keeps the advances linear, so the layout measured once in
    // device-independent pixels matches the glyphs drawn at any device pixel ratio. Grey
    // antialiasing only: the pictures are black on white.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

// Lays out the pieces of a printed formula in one text size, with exponents smaller.
// Rules are one pixel thick and every baseline falls on a whole pixel, so fraction bars
// and bracket ends land on the pixel grid and stay crisp.
class Typesetter {
public:
    explicit Typesetter(int pixelSize)
        : uprightFont_(formulaFont(pixelSize, false))
        , italicFont_(formulaFont(pixelSize, true))
        , exponentFont_(formulaFont(std::lround(pixelSize * 0.72), false))
        , em_(pixelSize) {
        // The fraction bars sit on the math axis, the height of the middle of "+".
        const QRectF plus = QFontMetricsF(uprightFont_).tightBoundingRect(QStringLiteral("+"));
        axis_ = std::floor(-plus.center().y()) + ruleWidth / 2;
    }

    Box upright(const QString& text) const { return glyphs(text, uprightFont_); }
    Box italic(const QString& text) const { return glyphs(text, italicFont_); }
    Box exponent(const QString& text) const { return glyphs(text, exponentFont_); }
    Box space(qreal ems) const {
        return Box{ems * em_, 0, 0, [](QPainter&, QPointF) {}};
    }
    Box thinSpace() const { return space(1.0 / 6); }
    Box binary(const QString& op) const { return row({space(0.2), upright(op), space(0.2)}); }
    Box relation(const QString& op) const { return row({space(0.25), upright(op), space(0.25)}); }

    Box fraction(const Box& numerator, const Box& denominator) const {
        const qreal barLength = std::max(numerator.width, denominator.width) + 2 * barOverhang;
        const qreal numeratorRaise =
            std::ceil(axis_ + ruleWidth / 2 + fractionGap + numerator.descent);
        const qreal denominatorDrop =
            std::ceil(-axis_ + ruleWidth / 2 + fractionGap + denominator.ascent);
        const qreal width = barLength + 2 * fractionSide;
        Box box{
            width, numeratorRaise + numerator.ascent, denominatorDrop + denominator.descent, {}};
        const qreal axis = axis_;
        box.paint = [=](QPainter& painter, QPointF origin) {
            numerator.paint(painter,
                            origin + QPointF((width - numerator.width) / 2, -numeratorRaise));
            denominator.paint(painter,
                              origin + QPointF((width - denominator.width) / 2, denominatorDrop));
            const qreal left = std::round(origin.x() + fractionSide);
            painter.fillRect(
                QRectF(left, origin.y() - axis - ruleWidth / 2, std::round(barLength), ruleWidth),
                Qt::black);
        };
        return box;
    }

    Box squareBrackets(const Box& content) const { return fenced(content, &squareBracket); }
    Box parentheses(const Box& content) const { return fenced(content, &parenthesis); }

    // The exponent's middle at the top of its base, but never lower than a digit's
    // superscript.
    Box power(const Box& base, const Box& exponent) const {
        const qreal raise =
            std::round(std::max(base.ascent - exponent.ascent / 2, minimumRaise * em_));
        Box box{base.width + exponent.width,
                std::max(base.ascent, raise + exponent.ascent),
                std::max(base.descent, exponent.descent - raise),
                {}};
        box.paint = [=](QPainter& painter, QPointF origin) {
            base.paint(painter, origin);
            exponent.paint(painter, origin + QPointF(base.width, -raise));
        };
        return box;
    }

private:
    static constexpr qreal ruleWidth = 1;
    static constexpr qreal fractionGap = 2;
    static constexpr qreal barOverhang = 1.5;
    static constexpr qreal fractionSide = 1;
    static constexpr qreal fencePadding = 1.5;
    static constexpr qreal minimumRaise = 0.38;

    // Draws a left fence filling the rect; the right one is its mirror image.
    using FenceShape = QPainterPath (*)(const QRectF&);

    static Box glyphs(const QString& text, const QFont& font) {
        const QFontMetricsF metrics(font);
        const QRectF ink = metrics.tightBoundingRect(text);
        // Italic letters lean past their advance; count the overhang so nothing touches.
        Box box{std::max(metrics.horizontalAdvance(text), ink.right() + 0.5),
                -ink.top(),
                ink.bottom(),
                {}};
        box.paint = [text, font](QPainter& painter, QPointF origin) {
            painter.setFont(font);
            painter.drawText(origin, text);
        };
        return box;
    }

    static QPainterPath squareBracket(const QRectF& r) {
        const qreal stem = std::round(r.left() + 1);
        QPainterPath path;
        path.addRect(QRectF(stem, r.top(), ruleWidth, r.height()));
        path.addRect(QRectF(stem, r.top(), r.right() - stem, ruleWidth));
        path.addRect(QRectF(stem, r.bottom() - ruleWidth, r.right() - stem, ruleWidth));
        return path.simplified();
    }

    // A crescent, thickest in the middle like a printed parenthesis.
    static QPainterPath parenthesis(const QRectF& r) {
        const qreal thickness = 1.4;
        // A cubic's middle lies a quarter of the way from its ends to its controls' line.
        const auto control = [&](qreal middle) { return (middle - 0.25 * r.right()) / 0.75; };
        const qreal outer = control(r.left() + 0.5);
        const qreal inner = control(r.left() + 0.5 + thickness);
        QPainterPath path(r.topRight());
        path.cubicTo(QPointF(outer, r.top() + r.height() / 4),
                     QPointF(outer, r.bottom() - r.height() / 4), r.bottomRight());
        path.cubicTo(QPointF(inner, r.bottom() - r.height() / 4),
                     QPointF(inner, r.top() + r.height() / 4), r.topRight());
        return path;
    }

    // Fences reach equally above and below the math axis, past everything they enclose.
    Box fenced(const Box& content, FenceShape shape) const {
        const qreal reach = std::max(content.ascent - axis_, content.descent + axis_);
        const qreal half = std::ceil(reach + fencePadding - ruleWidth / 2) + ruleWidth / 2;
        const qreal fenceWidth = std::round(0.3 * em_);
        const qreal gap = 0.1 * em_;
        const qreal width = 2 * (fenceWidth + gap) + content.width;
        Box box{width, axis_ + half, half - axis_, {}};
        const qreal axis = axis_;
        box.paint = [=](QPainter& painter, QPointF origin) {
            const QRectF left(origin.x(), origin.y() - axis - half, fenceWidth, 2 * half);
            painter.fillPath(shape(left), Qt::black);
            content.paint(painter, origin + QPointF(fenceWidth + gap, 0));
            // The right fence: the left one mirrored about the box's vertical centre line.
            const qreal centre = origin.x() + width / 2;
            const QTransform mirror = QTransform::fromTranslate(2 * centre, 0).scale(-1, 1);
            painter.fillPath(mirror.map(shape(left)), Qt::black);
        };
        return box;
    }

    QFont uprightFont_;
    QFont italicFont_;
    QFont exponentFont_;
    qreal em_;
    qreal axis_ = 0;
};

const QString lambdaSign = QStringLiteral("\u03bb");

// lambda = 0.25 / [lg K/(3.71 D) + 5.74/(0.9 Re)]^2
Box formulaOne(const Typesetter& t) {
    const Box logarithm =
        row({t.upright(QStringLiteral("lg")), t.thinSpace(),
             t.fraction(t.italic(QStringLiteral("K")),
                        row({t.upright(QStringLiteral("3.71")), t.italic(QStringLiteral("D"))}))});
    const Box viscousTerm =
        t.fraction(t.upright(QStringLiteral("5.74")),
                   row({t.upright(QStringLiteral("0.9")), t.italic(QStringLiteral("Re"))}));
    const Box squared =
        t.power(t.squareBrackets(row({logarithm, t.binary(QStringLiteral("+")), viscousTerm})),
                t.exponent(QStringLiteral("2")));
    return row({t.italic(lambdaSign), t.relation(QStringLiteral("=")),
                t.fraction(t.upright(QStringLiteral("0.25")), squared)});
}

// lambda = 0.0055 [1 + (20000 K/d + 10^6/Re)^(1/3)]
Box formulaTwo(const Typesetter& t) {
    const Box roughnessTerm =
        row({t.upright(QStringLiteral("20000")), t.thinSpace(),
             t.fraction(t.italic(QStringLiteral("K")), t.italic(QStringLiteral("d")))});
    const Box viscousTerm =
        t.fraction(t.power(t.upright(QStringLiteral("10")), t.exponent(QStringLiteral("6"))),
                   t.italic(QStringLiteral("Re")));
    const Box cubeRoot =
        t.power(t.parentheses(row({roughnessTerm, t.binary(QStringLiteral("+")), viscousTerm})),
                t.exponent(QStringLiteral("1/3")));
    return row({t.italic(lambdaSign), t.relation(QStringLiteral("=")),
                t.upright(QStringLiteral("0.0055")), t.thinSpace(),
                t.squareBrackets(row(
                    {t.upright(QStringLiteral("1")), t.binary(QStringLiteral("+")), cubeRoot}))});
}

// The largest text size at which formula two still fits its box; formula one matches it.
constexpr int formulaPixelSize = 12;

// The window shows each picture unscaled from the top-left corner of a box with a sunken
// border; the formula is centred in the part of the picture that keeps 3 pixels clear
// of the box's right and bottom edges.
QPixmap formulaPicture(QSize size, QSize boxSize, const Box& formula, qreal devicePixelRatio) {
    QPixmap pixmap(std::lround(size.width() * devicePixelRatio),
                   std::lround(size.height() * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);

    const qreal clearance = 3;
    const QRectF inkArea(0, 0, std::min(size.width(), boxSize.width()) - clearance,
                         std::min(size.height(), boxSize.height()) - clearance);
    const qreal height = formula.ascent + formula.descent;
    const QPointF origin(std::round(inkArea.center().x() - formula.width / 2),
                         std::round(inkArea.center().y() - height / 2 + formula.ascent));

    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    formula.paint(painter, origin);
    return pixmap;
}

} // namespace

QPixmap formulaOnePicture(QSize boxSize, qreal devicePixelRatio) {
    return formulaPicture(QSize(171, 69), boxSize, formulaOne(Typesetter(formulaPixelSize)),
                          devicePixelRatio);
}

QPixmap formulaTwoPicture(QSize boxSize, qreal devicePixelRatio) {
    return formulaPicture(QSize(231, 72), boxSize, formulaTwo(Typesetter(formulaPixelSize)),
                          devicePixelRatio);
}

} // namespace ui
