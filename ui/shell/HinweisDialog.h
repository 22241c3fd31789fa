// The hint popup shown next to the mouse: a borderless window on top of all
// others that never takes the keyboard focus.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

class QLabel;

namespace zx {

// Top left corner of a popup of size `popup` that should sit just above the
// point (x, y): moved inside `screen` with a 5-pixel gap where it would stick
// out on the right or at the bottom, and never above or left of the screen.
QPoint HintPlacement(int x, int y, const QSize& popup, const QRect& screen);

class THintForm : public QWidget {
    Q_OBJECT
public:
    explicit THintForm(QWidget* parent = nullptr);

    // Shows text above (x, y) in screen pixels; size < 1 gives the plain
    // 8-point font, otherwise that size in bold. `refocus` gets the focus back
    // whenever the popup is activated.
    void ShowAt(int x, int y, int size, const QString& text, QWidget* refocus);
    QString Text() const;
    QLabel* Label() const { return m_hinweis; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_hinweis;
    QPointer<QWidget> m_refocus;
};

} // namespace zx
