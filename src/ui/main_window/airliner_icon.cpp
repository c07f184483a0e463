#include "ui/main_window/airliner_icon.h"

#include <QIconEngine>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <algorithm>
#include <map>

namespace ui {
namespace {

// An airliner seen obliquely from above, nose to the upper right. The shapes are laid out
// with the fuselage along the x axis, nose at +x and the far side at -y; one transform
// turns them and fits them to the icon. The small sizes get a stouter aircraft with fewer
// parts, so that it still reads at 16 and 32 pixels. src/ui/main_window/ductcalc.svg draws
// the large aircraft with the same coordinates: change both together.

const QColor outlineColour(24, 24, 40);
const QColor shadeColour(192, 192, 192);
const QColor windowColour(0, 0, 128);

QPainterPath polygonPath(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(corners)));
    path.closeSubpath();
    return path;
}

struct Airliner {
    QList<QPainterPath> behindFuselage;
    QPainterPath fuselage;
    QPainterPath belly;
    QList<QPainterPath> inFront;
    QPainterPath windows;
};

QPainterPath fuselagePath(qreal halfWidth) {
    const qreal h = halfWidth;
    QPainterPath path(QPointF(78, -h));
    path.cubicTo(QPointF(98, -h), QPointF(108, -h / 2), QPointF(108, 1));
    path.cubicTo(QPointF(108, h / 2 + 1), QPointF(98, h), QPointF(78, h));
    path.lineTo(QPointF(-56, h));
    path.cubicTo(QPointF(-80, h), QPointF(-96, 0), QPointF(-110, -7));
    path.lineTo(QPointF(-110, -h - 3));
    path.lineTo(QPointF(-70, -h));
    path.closeSubpath();
    return path;
}

QPainterPath engine(QPointF centre) {
    QPainterPath path;
    path.addRoundedRect(QRectF(centre - QPointF(15, 6), QSizeF(30, 12)), 6, 6);
    return path;
}

Airliner detailedAirliner() {
    Airliner plane;
    plane.behindFuselage = {polygonPath({{-84, -11}, {-104, -32}, {-114, -32}, {-106, -11}}),
                            engine({-4, -40}),
                            polygonPath({{20, -8}, {-30, -70}, {-44, -70}, {-26, -8}})};
    plane.fuselage = fuselagePath(10);
    // The lower side turns away from the light.
    QPainterPath lowerSide;
    lowerSide.addRect(QRectF(-120, 5, 240, 10));
    plane.belly = plane.fuselage.intersected(lowerSide);
    plane.inFront = {polygonPath({{-72, -10}, {-98, -52}, {-112, -52}, {-108, -12}}),
                     polygonPath({{-82, 4}, {-104, 32}, {-114, 32}, {-104, 0}}), engine({6, 46}),
                     polygonPath({{24, 6}, {-34, 96}, {-50, 96}, {-24, 8}})};
    for (qreal x = -56; x <= 66; x += 10)
        plane.windows.addRoundedRect(QRectF(x, -2, 5, 5), 1.5, 1.5);
    plane.windows.addPolygon(
        QPolygonF({QPointF(86, -5), QPointF(97, -5), QPointF(101, 0), QPointF(88, 0)}));
    plane.windows.closeSubpath();
    return plane;
}

Airliner simpleAirliner() {
    Airliner plane;
    plane.behindFuselage = {polygonPath({{24, -12}, {-30, -70}, {-56, -70}, {-34, -12}})};
    plane.fuselage = fuselagePath(18);
    plane.inFront = {polygonPath({{-66, -16}, {-96, -56}, {-118, -56}, {-108, -16}}),
                     polygonPath({{30, 10}, {-28, 96}, {-58, 96}, {-34, 10}})};
    // Too small for single windows: one band reads as the row.
    plane.windows.addRect(QRectF(-70, -5, 150, 10));
    return plane;
}

QList<QPainterPath> outlinedParts(const Airliner& plane) {
    return plane.behindFuselage + QList<QPainterPath>{plane.fuselage} + plane.inFront;
}

void paintAirliner(QPainter& painter, int side) {
    const bool small = side <= 32;
    const Airliner plane = small ? simpleAirliner() : detailedAirliner();
    const QList<QPainterPath> parts = outlinedParts(plane);

    // Turn the aircraft to climb to the upper right, then fit it to the icon with room
    // for the outline, which is about one pixel in 64 and never thinner than one pixel.
    // The small aircraft lies on the diagonal, where its edges step evenly over the pixels.
    const QTransform turn = QTransform().rotate(small ? -45 : -38);
    QRectF bounds;
    for (const QPainterPath& part : parts)
        bounds |= turn.map(part).boundingRect();
    const qreal outline = std::max(1.0, side / 64.0);
    const qreal scale = (side - 2 * outline) / std::max(bounds.width(), bounds.height());
    // At 16 pixels smoothing only blurs the few pixels there are: hard edges, few colours.
    painter.setRenderHint(QPainter::Antialiasing, side > 16);
    painter.translate(side / 2.0, side / 2.0);
    painter.scale(scale, scale);
    painter.translate(-bounds.center());
    painter.setTransform(turn, true);

    painter.setPen(
        QPen(outlineColour, outline / scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    for (const QPainterPath& part : plane.behindFuselage)
        painter.drawPath(part);
    // The shade goes under the fuselage's outline, which keeps its full width.
    painter.fillPath(plane.fuselage, Qt::white);
    painter.fillPath(plane.belly, shadeColour);
    painter.strokePath(plane.fuselage, painter.pen());
    for (const QPainterPath& part : plane.inFront)
        painter.drawPath(part);
    painter.fillPath(plane.windows, windowColour);
}

QPixmap airlinerPixmap(int side) {
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintAirliner(painter, side);
    return pixmap;
}

// Draws the airliner only at the sizes asked for, once each: a window needs two of them,
// and drawing all six up front would delay start-up by milliseconds.
class AirlinerIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new AirlinerIconEngine(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        // The sizes of the icon files, which the build renders from this icon.
        for (const int side : {DUCTCALC_ICON_SIZES}) {
            sizes.append(QSize(side, side));
        }
        return sizes;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        return {side, side};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        QPixmap& pixmap = drawn_[side];
        if (pixmap.isNull()) {
            pixmap = airlinerPixmap(side);
        }
        return pixmap;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

private:
    std::map<int, QPixmap> drawn_;
};

} // namespace

QIcon airlinerIcon() {
    return QIcon(new AirlinerIconEngine);
}

} // namespace ui
