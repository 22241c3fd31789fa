// Pictures and icons of the program drawn from their vector images. The sizes
// the program shows at start come ready from the build: starting neither
// parses a vector image nor looks up a font for the texts in one.
#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

namespace zx {

// The picture at its own size in logical pixels, rendered for the screen's
// pixel density (ratio 0) or the given ratio, so that it stays sharp on
// high-density screens; a null image when it cannot be read.
QImage RenderSvg(const QString& path, qreal ratio = 0);

// The picture scaled to fit pixels, keeping its proportions, as an icon draws
// it; a null image when it cannot be read.
QImage RenderSvg(const QString& path, const QSize& pixels);

// An icon of a vector image in the resources (":/icons/print.svg"), drawn once
// per size, mode and state, and looking as the toolkit's own vector icons look.
QIcon SvgIcon(const QString& path);

// The resource that holds a picture rendered at build time: path with
// ":/prebuilt/" for ":/" and, for ".svg", "-WxH.pic" for a size in pixels or
// "-Rx.pic" for its own size at a whole ratio R. Pictures not rendered at
// build time have none, and are drawn when first asked for.
QString PrebuiltPicture(const QString& path, const QSize& pixels);
QString PrebuiltPicture(const QString& path, int ratio);

// The build's picture tool: arguments OUTDIR SOURCEDIR PICTURE=SIZE,SIZE...
// (PICTURE relative to SOURCEDIR; SIZE the side of a square in pixels, or Rx
// for the picture's own size at ratio R) writes each picture as
// PrebuiltPicture names it under OUTDIR. Returns the exit code.
int RenderPrebuiltPictures(const QStringList& arguments);

} // namespace zx
