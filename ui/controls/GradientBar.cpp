// Gradient strip of the toolbars.
#include "controls/GradientBar.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

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

QColor ShadeColor(const QColor& c, double factor) {
    factor = std::clamp(factor, -1.0, 1.0);
    // Darkening keeps a trace of the colour: factor -1 takes 40 % off each channel,
    // so the toolbar gradients end in a soft grey rather than black.
    auto channel = [factor](int v) {
        const double r = factor < 0 ? v * (1.0 + 0.4 * factor) : v + (255 - v) * factor;
        return std::clamp(static_cast<int>(r), 0, 255);
    };
    return QColor(channel(c.red()), channel(c.green()), channel(c.blue()));
}

} // namespace zx
