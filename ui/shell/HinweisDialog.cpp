// Hint popup: placement, screen-edge fitting and focus hand-back.
#include "shell/HinweisDialog.h"

#include <algorithm>

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace zx {

QPoint HintPlacement(const QRect& cell, const QSize& popup, const QRect& screen) {
    constexpr int Gap = 4;
    const int right = screen.x() + screen.width();
    const int bottom = screen.y() + screen.height();
    auto keepInside = [](int at, int size, int low, int high) {
        return std::max(low, std::min(at, high - size));
    };
    const int besideRight = cell.x() + cell.width() + Gap;
    const int besideLeft = cell.x() - Gap - popup.width();
    if (besideRight + popup.width() <= right || besideLeft >= screen.x()) {
        const int left = besideRight + popup.width() <= right ? besideRight : besideLeft;
        return {left, keepInside(cell.y(), popup.height(), screen.y(), bottom)};
    }
    const int left = keepInside(cell.x(), popup.width(), screen.x(), right);
    const int below = cell.y() + cell.height() + Gap;
    const int top = below + popup.height() <= bottom ? below : cell.y() - Gap - popup.height();
    return {left, std::max(top, screen.y())};
}

THintForm::THintForm(QWidget* parent)
    // The mouse passes through: the hint never stands between the pointer
    // and the grid.
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput) {
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

void THintForm::ShowAt(const QRect& cell, int size, const QString& text, QWidget* refocus) {
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
    QScreen* screen = QGuiApplication::screenAt(cell.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 640, 480);
    resize(popup);
    m_hinweis->move(0, 0);
    move(HintPlacement(cell, popup, area));
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
