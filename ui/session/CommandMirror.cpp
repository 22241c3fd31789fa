// Menu items mirroring a command.
#include "session/CommandMirror.h"

#include <QAction>

namespace zx {

QAction* MirrorCommand(QAction* command, const QString& text, const QString& hint, QObject* parent,
                       bool followVisibility) {
    auto* item = new QAction(text, parent);
    item->setStatusTip(hint);
    auto follow = [item, command, followVisibility] {
        if (followVisibility) item->setVisible(command->isVisible());
        item->setEnabled(command->isEnabled());
        item->setCheckable(command->isCheckable());
        item->setChecked(command->isChecked());
    };
    QObject::connect(command, &QAction::changed, item, follow);
    QObject::connect(item, &QAction::triggered, command, [command] { command->trigger(); });
    follow();
    return item;
}

} // namespace zx
