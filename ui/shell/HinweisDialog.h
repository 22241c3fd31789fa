// The hint popup shown next to the mouse: a borderless window on top of all
// others that never takes the keyboard focus.
#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

class QLabel;

namespace zx {

// Top left corner of a popup of size `popup` beside the cell under the
// pointer, which it must not cover: right of it, else left of it, top edges
// level and moved up or down to stay on `screen`; a popup too wide for either
// side goes below the cell, else above it.
QPoint HintPlacement(const QRect& cell, const QSize& popup, const QRect& screen);

class THintForm : public QWidget {
    Q_OBJECT
public:
    explicit THintForm(QWidget* parent = nullptr);

    // Shows text beside cell (screen pixels); size < 1 gives the plain
    // 8-point font, otherwise that size in bold. `refocus` gets the focus back
    // whenever the popup is activated.
    void ShowAt(const QRect& cell, int size, const QString& text, QWidget* refocus);
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
