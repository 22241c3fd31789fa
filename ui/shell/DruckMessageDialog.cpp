// Print progress window.
#include "shell/DruckMessageDialog.h"

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QTimer>

#include "shell/AppTitle.h"

namespace zx {

TPrintMsgDlg::TPrintMsgDlg(QWidget* parent)
    // A fixed frame with a title and the close button only.
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_timer(new QTimer(this)) {
    setObjectName(QStringLiteral("TPrintMsgDlg"));
    setWindowTitle(QStringLiteral("Tavimo ") + ApplicationTitle() + QStringLiteral(" - Druckauftrag"));
    setFixedSize(ClientWidth, ClientHeight);

    auto* panel = new QWidget(this);
    panel->setGeometry(4, 4, ClientWidth - 8, ClientHeight - 8);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    for (int i = 0; i < 3; ++i) {
        m_imgPrinter[i] = new QLabel(panel);
        m_imgPrinter[i]->setObjectName(QStringLiteral("ImgPrinter%1").arg(i + 1));
        m_imgPrinter[i]->setPixmap(
            QIcon(QStringLiteral(":/images/printer%1.svg").arg(i + 1)).pixmap(48, 48));
        m_imgPrinter[i]->setGeometry(6, 5, 48, 48);
        m_imgPrinter[i]->setVisible(i == 0);
    }
    m_lblMessage = new QLabel(panel);
    m_lblMessage->setObjectName(QStringLiteral("LblMessage"));
    m_lblMessage->setGeometry(60, 0, panel->width() - 66, panel->height());
    m_lblMessage->setAlignment(Qt::AlignCenter);
    QFont bold = m_lblMessage->font();
    bold.setBold(true);
    m_lblMessage->setFont(bold);

    m_timer->setInterval(TickInterval);
    connect(m_timer, &QTimer::timeout, this, &TPrintMsgDlg::TimerTimer);
}

void TPrintMsgDlg::SetMessage(const QString& text) { m_lblMessage->setText(text); }

bool TPrintMsgDlg::TimerActive() const { return m_timer->isActive(); }

void TPrintMsgDlg::FormShow() {
    // Every print shows the window for its full minimum, also when it is reused.
    m_ticks = 0;
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    m_timer->start();
}

void TPrintMsgDlg::TimerTimer() {
    ++m_ticks;
    for (int i = 0; i < 3; ++i) m_imgPrinter[i]->setVisible(m_ticks % 3 == i);
    if (!(m_printing && m_printing()) && m_ticks > MinimumTicks) {
        m_timer->stop();
        hide();
    }
}

void TPrintMsgDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FormShow();
}

void TPrintMsgDlg::closeEvent(QCloseEvent* event) {
    m_timer->stop();
    deleteLater();
    QWidget::closeEvent(event);
}

} // namespace zx
