// Program information box.
#include "shell/InfoDialog.h"

#include <chrono>
#include <filesystem>

#include <QDate>
#include <QDesktopServices>
#include <QEvent>
#include <QIcon>
#include <QLinearGradient>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QUrl>

#include "controls/GradientBar.h"
#include "session/Colors.h"
#include "session/TextConv.h"

namespace zx {

namespace {
constexpr int StripWidth = 50;

QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    return label;
}

// The lowered panel of the addresses, shaded diagonally from white at the top
// left to the darkened button face at the bottom right.
class TDiagonalPanel : public QFrame {
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const QRect area = contentsRect();
        QLinearGradient gradient(area.topLeft(), area.bottomRight());
        gradient.setColorAt(0, Qt::white);
        gradient.setColorAt(1, ShadeColor(palette().color(QPalette::Button), -0.7));
        painter.fillRect(area, gradient);
        painter.end();
        QFrame::paintEvent(event);
    }
};

QString Link(const QString& href, const QString& text) {
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text.toHtmlEscaped());
}
} // namespace

QString TInfoDlg::VersionText(const TPuzzleData& puzzle) {
    return (QStringLiteral("Version ") + ToQString(puzzle.CreatorVersion.view())).left(28);
}

QDateTime FileModified(const std::string& path) {
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error) return {};
    const auto since = std::chrono::file_clock::to_sys(written).time_since_epoch();
    return QDateTime::fromMSecsSinceEpoch(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

QString TInfoDlg::CopyrightText(const std::string& exePath) {
    QDateTime modified = FileModified(exePath);
    if (!modified.isValid()) modified = QDateTime::currentDateTime();
    return QString::fromUtf8("© Tavimo Software, ") +
           QString::number(modified.date().year()).rightJustified(4, QLatin1Char('0'));
}

// No border and none of the platform's window buttons: the box closes by its
// own button, Enter or Escape.
TInfoDlg::TInfoDlg(const TPuzzleData& puzzle, const std::string& exePath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::CustomizeWindowHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("InfoDlg"));
    setFixedSize(321, 206);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    auto* logo = AddLabel(this, "ImgAppLogo", QString(), QRect(9, 9, 32, 32));
    logo->setPixmap(QIcon(QStringLiteral(":/icons/app.svg")).pixmap(32, 32));

    AddLabel(this, "Label3", QString::fromUtf8("Dieses ausführbare Rätsel wurde erstellt mit dem:"),
             QRect(60, 8, 258, 16));
    auto* appName = AddLabel(this, "LblAppName", QStringLiteral("Zindorax"), QRect(60, 24, 255, 44));
    QFont nameFont(QStringLiteral("Times New Roman"));
    nameFont.setPixelSize(35);
    nameFont.setBold(true);
    nameFont.setItalic(true);
    appName->setFont(nameFont);
    QPalette navy = appName->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    appName->setPalette(navy);

    auto* version = AddLabel(this, "LblVersion", VersionText(puzzle), QRect(60, 70, 255, 18));
    QFont versionFont(QStringLiteral("Arial"));
    versionFont.setPixelSize(13);
    versionFont.setBold(true);
    version->setFont(versionFont);

    AddLabel(this, "LblCopyr", CopyrightText(exePath), QRect(60, 90, 255, 16));

    auto* panel = new TDiagonalPanel(this);
    panel->setObjectName(QStringLiteral("PanelURL"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(60, 112, 253, 56);
    panel->setEnabled(true);
    panel->setAutoFillBackground(false);
    AddLabel(panel, "LblInternet", QStringLiteral("Internet :"), QRect(6, 8, 50, 16));
    AddLabel(panel, "LblMailCaption", QStringLiteral("e-Mail :"), QRect(6, 30, 50, 16));
    const QString web = QString::fromLatin1(MakerWebAddress);
    const QString mail = QString::fromLatin1(MakerMailAddress);
    auto* url = AddLabel(panel, "LblURL", Link(web, QString(web).remove(QStringLiteral("https://"))),
                         QRect(58, 8, 142, 16));
    url->setToolTip(QStringLiteral("Homepage der Firma Tavimo aufrufen"));
    auto* eMail = AddLabel(panel, "LbleMail", Link(QStringLiteral("mailto:") + mail, mail),
                           QRect(58, 30, 142, 16));
    eMail->setToolTip(QStringLiteral("Eine e-Mail an Tavimo schreiben"));
    for (QLabel* link : {url, eMail}) {
        link->setTextFormat(Qt::RichText);
        link->setOpenExternalLinks(true);
        link->setStatusTip(link->toolTip());
    }
    m_imgTavimoLogo = AddLabel(panel, "ImgTavimoLogo", QString(), QRect(204, 14, 44, 28));
    m_imgTavimoLogo->setPixmap(QIcon(QStringLiteral(":/icons/maker.svg")).pixmap(44, 22));
    m_imgTavimoLogo->setToolTip(QStringLiteral("Tavimo"));
    m_imgTavimoLogo->setStatusTip(m_imgTavimoLogo->toolTip());
    m_imgTavimoLogo->setCursor(Qt::PointingHandCursor);
    m_imgTavimoLogo->installEventFilter(this);

    auto* close = new QPushButton(QString::fromUtf8("S&chließen"), this);
    close->setObjectName(QStringLiteral("SBClose"));
    close->setToolTip(QString::fromUtf8("Die Info-Box schließen"));
    close->setStatusTip(close->toolTip());
    close->setGeometry(226, 174, 87, 25);
    // Enter and Escape both close the box.
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void TInfoDlg::ImgTavimoLogoClick() { QDesktopServices::openUrl(QUrl(QString::fromLatin1(MakerWebAddress))); }

void TInfoDlg::showEvent(QShowEvent* event) {
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

void TInfoDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    TGradientBar::PaintGradient(painter, QRect(0, 0, StripWidth, height()), palette());
    const QRect area(StripWidth, 0, width() - StripWidth, height());
    QSvgRenderer background(QStringLiteral(":/icons/infobackground.svg"));
    background.render(&painter, area);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QDialog::paintEvent(event);
}

bool TInfoDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_imgTavimoLogo && event->type() == QEvent::MouseButtonRelease) ImgTavimoLogoClick();
    return QDialog::eventFilter(watched, event);
}

} // namespace zx
