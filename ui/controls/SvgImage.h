// Pictures of the program drawn from their vector images.
#pragma once

#include <QImage>
#include <QString>

namespace zx {

// The picture at its own size in pixels; a null image when it cannot be read.
QImage RenderSvg(const QString& path);

} // namespace zx
