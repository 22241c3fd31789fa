// Drag cursors rendered from the vector images in the resources, so they stay
// sharp on high-density screens.
#include "session/DragCursors.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

namespace zx {

namespace {

const char* CursorResource(TDragCursor cursor) {
    switch (cursor) {
    case TDragCursor::LeftToRight:
        return ":/cursors/cursorltr.svg";
    case TDragCursor::RightToLeft:
        return ":/cursors/cursorrtl.svg";
    case TDragCursor::TopToBottom:
        return ":/cursors/cursorttb.svg";
    case TDragCursor::BottomToTop:
        return ":/cursors/cursorbtt.svg";
    }
    return nullptr;
}

} // namespace

QCursor LoadDragCursor(TDragCursor cursor) {
    const char* resource = CursorResource(cursor);
    if (!resource) return QCursor(Qt::ArrowCursor);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    QPixmap pixmap = QIcon(QString::fromLatin1(resource)).pixmap(QSize(32, 32), ratio);
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    // The tip of the pointer sits in the top left corner of every image.
    return QCursor(pixmap, 1, 1);
}

TDragCursor DragCursorFor(bool vertical, bool reversed) {
    if (vertical) return reversed ? TDragCursor::BottomToTop : TDragCursor::TopToBottom;
    return reversed ? TDragCursor::RightToLeft : TDragCursor::LeftToRight;
}

} // namespace zx
