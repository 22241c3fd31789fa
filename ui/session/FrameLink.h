// What a child window may ask of the frame besides the play session: the
// play commands, the modal dialogs, the hint popup and the drag cursors. Windows never include
// the frame or each other; the frame implements this interface and wires the
// windows to the session and to each other by signals.
#pragma once

#include <QCursor>

#include "session/DragCursors.h"

class QString;

namespace zx {

class TModalDialogs;
class TPlayCommands;
class TPlayerSession;

class TFrameLink {
public:
    virtual ~TFrameLink() = default;

    virtual TPlayerSession& Session() = 0;
    virtual TModalDialogs& Dialogs() = 0;
    // The play commands the windows present in their toolbars and menus.
    virtual TPlayCommands& Commands() = 0;

    // The hint popup next to a screen point: size 0 plain, otherwise that
    // point size in bold. Replaces a hint that is showing.
    // The hint popup beside cell (screen pixels), which it never covers.
    virtual void ShowHintAt(const QRect& cell, int size, const QString& text);
    virtual void CloseHint() {}
    virtual bool HintVisible() const { return false; }
    virtual QCursor DragCursor(TDragCursor cursor) const;
};

} // namespace zx
