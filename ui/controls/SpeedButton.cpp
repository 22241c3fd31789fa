// Flat toolbar button with radio groups.
#include "controls/SpeedButton.h"

#include <QAction>

namespace zx {

TSpeedButton::TSpeedButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setFixedSize(25, 25);
    setIconSize(QSize(18, 18));
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

TSpeedButton::TSpeedButton(const QIcon& icon, const QString& hint, QWidget* parent)
    : TSpeedButton(parent) {
    setIcon(icon);
    SetHint(hint);
}

void TSpeedButton::SetHint(const QString& hint) {
    setToolTip(hint);
    setStatusTip(hint);
    // A screen reader names the button by what its hint says.
    setAccessibleName(hint);
}

void TSpeedButton::SetCommand(QAction* command) {
    m_command = command;
    if (Hint().isEmpty()) SetHint(command->statusTip().isEmpty() ? command->toolTip() : command->statusTip());
    auto follow = [this] {
        setEnabled(m_command->isEnabled());
        if (m_groupIndex != 0) setChecked(m_command->isChecked());
    };
    connect(command, &QAction::changed, this, follow);
    connect(this, &QToolButton::clicked, command, [this] {
        // A toggle whose state already matches the button needs no trigger
        // (a radio button clicked while down stays down).
        if (m_command->isCheckable() && m_command->isChecked() == isChecked()) return;
        m_command->trigger();
    });
    follow();
}

void TSpeedButton::SetGroupIndex(int group) {
    m_groupIndex = group;
    setCheckable(group != 0);
    if (group == 0) setChecked(false);
    else if (isChecked()) ReleaseGroup();
}

void TSpeedButton::SetDown(bool down) {
    if (m_groupIndex == 0) return;
    setChecked(down);
    if (down) ReleaseGroup();
}

void TSpeedButton::nextCheckState() {
    // A plain button: the toolkit triggers its command's action from here.
    if (m_groupIndex == 0) {
        QToolButton::nextCheckState();
        return;
    }
    if (isChecked()) {
        if (m_allowAllUp) setChecked(false);
    } else {
        SetDown(true);
    }
}

void TSpeedButton::ReleaseGroup() {
    QWidget* owner = parentWidget();
    if (!owner) return;
    const auto buttons = owner->findChildren<TSpeedButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (TSpeedButton* other : buttons)
        if (other != this && other->m_groupIndex == m_groupIndex) other->setChecked(false);
}

} // namespace zx
