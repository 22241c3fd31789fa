// A strip painted as a vertical gradient from white to the darkened button
// face: the background of the toolbars of the frame and the child windows.
#pragma once

#include <QWidget>

namespace zx {

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
