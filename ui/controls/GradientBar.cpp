// Gradient strip of the toolbars.
#include "GradientBar.h"

#include <QLinearGradient>
#include <QPainter>

#include "Colors.h"

namespace zx {

TGradientBar::TGradientBar(QWidget* parent, int height) : QWidget(parent) {
    setFixedHeight(height);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGradientBar::PaintGradient(QPainter& painter, const QRect& rect, const QPalette& palette,
                                 Qt::Orientation orientation) {
    const QPointF end = orientation == Qt::Vertical ? QPointF(rect.left(), rect.bottom())
                                                    : QPointF(rect.right(), rect.top());
    QLinearGradient gradient(rect.topLeft(), end);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, ShadeColor(palette.color(QPalette::Button), -0.7));
    painter.fillRect(rect, gradient);
}

void TGradientBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintGradient(painter, rect(), palette());
}

} // namespace zx
