// Result dialog with its two forms.
#include "shell/MessageDialog.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "controls/GradientBar.h"

namespace zx {

namespace {
constexpr int StripWidth = 48;

QLabel* MakeImage(QWidget* parent, const char* name, const char* resource) {
    auto* img = new QLabel(parent);
    img->setObjectName(QString::fromLatin1(name));
    img->setGeometry(8, 8, 32, 32);
    img->setPixmap(QIcon(QString::fromLatin1(resource)).pixmap(32, 32));
    return img;
}
} // namespace

// A dialog of fixed size: CustomizeWindowHint keeps the platform from adding
// its default buttons, so the title bar offers closing only.
TWinMsgDlg::TWinMsgDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_beep([] { QApplication::beep(); }) {
    setObjectName(QStringLiteral("WinMsgDlg"));
    setFixedSize(305, 87);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    m_imgOK = MakeImage(this, "ImgOK", ":/icons/ok.svg");
    m_imgError = MakeImage(this, "ImgError", ":/icons/error.svg");

    m_lblMessage = new QLabel(this);
    m_lblMessage->setObjectName(QStringLiteral("LblMessage"));
    m_lblMessage->setGeometry(56, 6, 241, 43);
    m_lblMessage->setAlignment(Qt::AlignCenter);
    m_lblMessage->setWordWrap(true);
    QFont bold = m_lblMessage->font();
    bold.setBold(true);
    m_lblMessage->setFont(bold);

    m_btnClose = new QPushButton(QString::fromUtf8("S&chließen"), this);
    m_btnClose->setObjectName(QStringLiteral("BtnClose"));
    m_btnClose->setToolTip(QString::fromUtf8("Das Dialogfenster schließen"));
    m_btnClose->setStatusTip(m_btnClose->toolTip());
    m_btnClose->setGeometry(136, 56, 89, 25);
    m_btnClose->setDefault(true);
    // Escape rejects a QDialog already, so the button is the cancel button too.
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TWinMsgDlg::SetMessage(const QString& text) { m_lblMessage->setText(text); }

void TWinMsgDlg::showEvent(QShowEvent* event) {
    m_imgOK->setVisible(m_success >= 1);
    m_imgError->setVisible(m_success == 0);
    if (m_success != 0) {
        setWindowTitle(QString::fromUtf8("Glückwunsch!"));
    } else {
        setWindowTitle(QStringLiteral("Fehler!"));
        if (m_beep) m_beep();
    }
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TWinMsgDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    TGradientBar::PaintGradient(painter, QRect(0, 0, StripWidth, height()), palette());
    QDialog::paintEvent(event);
}

} // namespace zx
