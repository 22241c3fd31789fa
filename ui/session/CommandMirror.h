// A menu item that presents a command under a caption of its own, for menus
// whose texts differ from those of the command's main menu item.
#pragma once

#include <QString>

class QAction;
class QObject;

namespace zx {

// Triggering the item triggers the command; the item's enabled, checkable and
// checked state follow the command's, and its visibility too unless the menu
// decides that itself.
QAction* MirrorCommand(QAction* command, const QString& text, const QString& hint,
                       QObject* parent, bool followVisibility = true);

} // namespace zx
