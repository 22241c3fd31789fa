// The thin input mark of letter boxes.
#include "controls/InputMark.h"

#include <QPainter>

namespace zx {

void DrawThinInputMark(QPainter& painter, const QRect& box, const QImage* arrow) {
    const int l = box.left();
    const int r = l + box.width();
    const int b = box.top() + box.height();
    painter.fillRect(QRect(l + 2, b - 7, 1, 3), Qt::black);
    painter.fillRect(QRect(l + 2, b - 4, r - l - 6, 1), Qt::black);
    painter.fillRect(QRect(r - 4, b - 6, 1, 3), Qt::black);
    if (arrow) {
        const QSize size = arrow->deviceIndependentSize().toSize();
        painter.drawImage(QPoint(r - 2 - size.width(), b - 8 - size.height()), *arrow);
    }
}

} // namespace zx
