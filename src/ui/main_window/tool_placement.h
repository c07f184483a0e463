#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace ui {

// Where a tool window of the given frame size opens: beside its owner's frame, else below
// or beside a tool window already open, at the first place that lies on the screen's
// available room and covers none of them. Where no place does, beside the owner as far
// right as the room allows. A null room (no screen) bounds nothing.
QPoint toolWindowPlace(QSize size, const QRect& owner, const QList<QRect>& open, const QRect& room);

} // namespace ui
