// Menu items mirroring a command.
#include "session/CommandMirror.h"

#include <QAction>
#include <QPointer>

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
    // A checkable item toggles itself when clicked; the command decides (a
    // chosen marking stays chosen), and the item shows what it decided.
    QObject::connect(item, &QAction::triggered, command, [command, follow, item] {
        const QPointer<QAction> alive(item);
        command->trigger();
        if (alive) follow();
    });
    follow();
    return item;
}

} // namespace zx
