#include "ui/main_window/tool_placement.h"

#include <algorithm>

namespace ui {

namespace {
constexpr int gap = 8; // between neighbouring windows, px
} // namespace

QPoint toolWindowPlace(QSize size, const QRect& owner, const QList<QRect>& open,
                       const QRect& room) {
    const QPoint besideOwner = owner.topRight() + QPoint(gap, 0);
    QList<QPoint> candidates{besideOwner};
    for (const QRect& window : open) {
        candidates << window.bottomLeft() + QPoint(0, gap) << window.topRight() + QPoint(gap, 0);
    }
    candidates << owner.bottomLeft() + QPoint(0, gap);
    for (const QPoint& place : candidates) {
        const QRect rect(place, size);
        const bool free = std::none_of(
            open.begin(), open.end(), [&](const QRect& window) { return window.intersects(rect); });
        if (free && (room.isNull() || room.contains(rect))) {
            return place;
        }
    }
    if (room.isNull()) {
        return besideOwner;
    }
    return {std::max(room.left(), std::min(besideOwner.x(), room.right() - size.width())),
            besideOwner.y()};
}

} // namespace ui
