// Vector images rendered once into pictures.
#include "controls/SvgImage.h"

#include <QPainter>
#include <QSvgRenderer>

namespace zx {

QImage RenderSvg(const QString& path) {
    QSvgRenderer svg(path);
    if (!svg.isValid()) return QImage();
    QImage img(svg.defaultSize(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    svg.render(&p);
    return img;
}

} // namespace zx
