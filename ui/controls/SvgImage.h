// Pictures of the program drawn from their vector images.
#pragma once

#include <QImage>
#include <QString>

namespace zx {

// The picture at its own size in logical pixels, rendered for the screen's
// pixel density (ratio 0) or the given ratio, so that it stays sharp on
// high-density screens; a null image when it cannot be read.
QImage RenderSvg(const QString& path, qreal ratio = 0);

} // namespace zx
