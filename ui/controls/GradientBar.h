// A strip painted as a vertical gradient from white to the darkened button
// face: the background of the toolbars of the frame and the child windows.
#pragma once

#include <QColor>
#include <QWidget>

namespace zx {

// The colour darkened (factor < 0, down to 60 % of each channel at -1) or
// lightened toward white (factor > 0, white at 1).
QColor ShadeColor(const QColor& c, double factor);

class TGradientBar : public QWidget {
    Q_OBJECT
public:
    explicit TGradientBar(QWidget* parent = nullptr, int height = 33);

    // Paints the gradient into rect; also used by dialogs for their side strip.
    static void PaintGradient(QPainter& painter, const QRect& rect, const QPalette& palette,
                              Qt::Orientation orientation = Qt::Vertical);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zx
