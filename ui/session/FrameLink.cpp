// Defaults of the frame interface for frames without a hint popup or cursors.
#include "session/FrameLink.h"

#include <QCursor>
#include <QString>

#include "session/DragCursors.h"

namespace zx {

void TFrameLink::ShowHintAt(int, int, int, const QString&) {}

QCursor TFrameLink::DragCursor(int number) const { return LoadDragCursor(number); }

} // namespace zx
