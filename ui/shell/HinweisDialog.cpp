// Hint popup: placement, screen-edge fitting and focus hand-back.
#include "shell/HinweisDialog.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zx {

QPoint HintPlacement(int x, int y, const QSize& popup, const QRect& screen) {
    int left = x;
    int top = y - popup.height() - 4;
    const int right = screen.x() + screen.width();
    const int bottom = screen.y() + screen.height();
    if (left + popup.width() > right) left = right - popup.width() - 5;
    if (top + popup.height() > bottom) top = bottom - popup.height() - 5;
    // A hint near the top or left edge would otherwise be cut off.
    left = std::max(left, screen.x());
    top = std::max(top, screen.y());
    return {left, top};
}

THintForm::THintForm(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("HintForm"));
    setWindowTitle(QStringLiteral("Hinweise"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    resize(200, 90);

    m_hinweis = new QLabel(this);
    m_hinweis->setObjectName(QStringLiteral("Hinweis"));
    m_hinweis->setAutoFillBackground(true);
    m_hinweis->setMargin(2);
    QPalette pal = m_hinweis->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    m_hinweis->setPalette(pal);
    m_hinweis->installEventFilter(this);
}

QString THintForm::Text() const { return m_hinweis->text(); }

void THintForm::ShowAt(int x, int y, int size, const QString& text, QWidget* refocus) {
    if (isVisible()) hide();
    QFont font = m_hinweis->font();
    if (size < 1) {
        font.setPointSize(8);
        font.setBold(false);
        font.setItalic(false);
        font.setUnderline(false);
    } else {
        font.setPointSize(size);
        font.setBold(true);
    }
    m_hinweis->setFont(font);
    m_hinweis->setWordWrap(false);
    m_hinweis->setText(text);
    m_hinweis->adjustSize();
    m_refocus = refocus;

    const QSize popup = m_hinweis->size();
    QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 640, 480);
    resize(popup);
    m_hinweis->move(0, 0);
    move(HintPlacement(x, y, popup, area));
    show();
}

bool THintForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && m_refocus && m_refocus->isVisible())
        m_refocus->activateWindow();
    return QWidget::event(event);
}

bool THintForm::eventFilter(QObject* watched, QEvent* event) {
    // A click on the hint closes it.
    if (watched == m_hinweis && event->type() == QEvent::MouseButtonRelease) hide();
    return QWidget::eventFilter(watched, event);
}

} // namespace zx
