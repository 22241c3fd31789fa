// The thin input mark of the side windows' letter boxes.
#pragma once

#include <QImage>
#include <QRect>

class QPainter;

namespace zx {

// A black bracket open to the top along the bottom of box, each line ending
// one pixel short of its end point, with the arrow (when given) above its
// right end, where it stays clear of a centred capital.
void DrawThinInputMark(QPainter& painter, const QRect& box, const QImage* arrow);

} // namespace zx
