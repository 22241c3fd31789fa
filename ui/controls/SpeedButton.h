// A flat toolbar button: fixed 25 x 25, an icon, a hint shown in the status
// line, and an optional group in which buttons act like radio buttons.
#pragma once

#include <QToolButton>

class QAction;

namespace zx {

class TSpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit TSpeedButton(QWidget* parent = nullptr);
    TSpeedButton(const QIcon& icon, const QString& hint, QWidget* parent = nullptr);

    // The hint is both the tooltip and the text of the frame's status line.
    void SetHint(const QString& hint);
    QString Hint() const { return statusTip(); }

    // Buttons of the same parent with the same non-zero group index form a
    // group: at most one of them is down. Group 0 is a plain push button.
    void SetGroupIndex(int group);
    int GroupIndex() const { return m_groupIndex; }
    // Whether a click on the down button of a group releases it (a toggle).
    void SetAllowAllUp(bool allow) { m_allowAllUp = allow; }
    bool AllowAllUp() const { return m_allowAllUp; }

    // Down state; setting a grouped button down releases the others of its group.
    // A button outside any group is never down.
    void SetDown(bool down);
    bool Down() const { return isChecked(); }

    // Makes the button present a command: a click triggers the action, and the
    // button's enabled and down state follow it. The button keeps its own
    // glyph, hint and visibility.
    void SetCommand(QAction* command);
    QAction* Command() const { return m_command; }
    // A free integer handed to the click handlers (mark kinds, snapshot slots).
    void SetTag(int tag) { m_tag = tag; }
    int Tag() const { return m_tag; }

protected:
    void nextCheckState() override;

private:
    void ReleaseGroup();

    int m_groupIndex = 0;
    bool m_allowAllUp = false;
    int m_tag = 0;
    QAction* m_command = nullptr;
};

} // namespace zx
