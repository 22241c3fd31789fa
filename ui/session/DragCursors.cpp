// Drag cursors rendered from the vector images in the resources, so they stay
// sharp on high-density screens.
#include "session/DragCursors.h"

#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

namespace zx {

namespace {

const char* CursorResource(int number) {
    switch (number) {
    case crLeftToRight: return ":/cursors/cursorltr.svg";
    case crRightToLeft: return ":/cursors/cursorrtl.svg";
    case crTopToBottom: return ":/cursors/cursorttb.svg";
    case crBottomToTop: return ":/cursors/cursorbtt.svg";
    default: return nullptr;
    }
}

} // namespace

QCursor LoadDragCursor(int number) {
    const char* resource = CursorResource(number);
    if (!resource) return QCursor(Qt::ArrowCursor);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    QPixmap pixmap = QIcon(QString::fromLatin1(resource)).pixmap(QSize(32, 32), ratio);
    if (pixmap.isNull()) return QCursor(Qt::ArrowCursor);
    // The tip of the pointer sits in the top left corner of every image.
    return QCursor(pixmap, 1, 1);
}

int DragCursorNumber(bool vertical, bool reversed) {
    if (vertical) return reversed ? crBottomToTop : crTopToBottom;
    return reversed ? crRightToLeft : crLeftToRight;
}

} // namespace zx
