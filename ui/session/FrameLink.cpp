// Defaults of the frame interface for frames without a hint popup.
#include "session/FrameLink.h"

#include <QString>

namespace zx {

void TFrameLink::ShowHintAt(const QRect&, int, const QString&) {}

QCursor TFrameLink::DragCursor(TDragCursor cursor) const {
    return LoadDragCursor(cursor);
}

} // namespace zx
