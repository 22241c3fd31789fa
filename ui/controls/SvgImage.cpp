// Vector images rendered once into pictures.
#include "controls/SvgImage.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <QSvgRenderer>

namespace zx {

QImage RenderSvg(const QString& path, qreal ratio) {
    QSvgRenderer svg(path);
    if (!svg.isValid()) return QImage();
    if (ratio <= 0) {
        const QScreen* screen = QGuiApplication::primaryScreen();
        ratio = screen ? screen->devicePixelRatio() : 1.0;
    }
    ratio = std::max<qreal>(ratio, 1.0);
    QImage img(svg.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(svg.defaultSize())));
    return img;
}

} // namespace zx
