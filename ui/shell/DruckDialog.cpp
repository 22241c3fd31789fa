// Print settings dialog.
#include "shell/DruckDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>
#include <algorithm>

#include "controls/GradientBar.h"
#include "session/ModalDialogs.h"
#include "shell/PrinterChoice.h"

namespace zx {

namespace {

constexpr int StripWidth = 50;

template <class W> W* Named(W* widget, const char* name, const QString& hint = QString()) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!hint.isEmpty()) widget->setToolTip(hint);
    return widget;
}

QRadioButton* Radio(QWidget* parent, const char* name, const QString& text, const QString& hint,
                    const QRect& geometry) {
    auto* radio = Named(new QRadioButton(text, parent), name, hint);
    radio->setGeometry(geometry);
    return radio;
}

QLabel* Label(QWidget* parent, const QString& text, const QRect& geometry, const char* name = "") {
    auto* label = Named(new QLabel(text, parent), name);
    label->setGeometry(geometry);
    return label;
}

QSpinBox* Spin(QWidget* parent, const char* name, const QString& hint, int low, int high,
               const QRect& geometry, int step = 1) {
    auto* spin = Named(new QSpinBox(parent), name, hint);
    spin->setRange(low, high);
    spin->setSingleStep(step);
    spin->setGeometry(geometry);
    return spin;
}

// A layout preview: the picture of one layout, a click selects its page choice.
QLabel* Preview(QWidget* parent, const char* name, const char* file, const QString& hint,
                const QPoint& at) {
    auto* image = Named(new QLabel(parent), name, hint);
    image->setPixmap(QIcon(QString::fromLatin1(file)).pixmap(48, 48));
    image->setGeometry(QRect(at, QSize(48, 48)));
    image->setCursor(Qt::PointingHandCursor);
    return image;
}

void Pair(QObject* parent, QRadioButton* a, QRadioButton* b) {
    auto* group = new QButtonGroup(parent);
    group->addButton(a);
    group->addButton(b);
}

} // namespace

TPrintSettingsDlg::TPrintSettingsDlg(TPuzzleKind kind, TPrinterChoice& printers,
                                     TModalDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_printers(printers), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("TPrintSettingsDlg"));
    setWindowTitle(QStringLiteral("Rätsel drucken"));
    setFixedSize(ClientWidth, ClientHeight);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/print.svg")).pixmap(32, 32));
    icon->setGeometry(9, 9, 32, 32);

    // Layout (every puzzle but the Sudokus).
    const QString portraitHint = QStringLiteral("Das Rätsel auf eine Seite im Hochformat drucken");
    const QString landscapeHint = QStringLiteral("Das Rätsel auf eine Seite im Querformat drucken");
    const QString onePageHint = QStringLiteral("Rätsel und Legende auf eine einzelne Seite drucken");
    const QString twoPagesHint = QStringLiteral("Rätsel und Legende auf zwei getrennten Seiten drucken");
    m_gbLayout = Named(new QGroupBox(QStringLiteral(" Layout: "), this), "GBLayout");
    m_gbLayout->setGeometry(58, 6, 270, 208);
    m_rbPortrait = Radio(m_gbLayout, "RBPortrait", QStringLiteral("Hochformat"), portraitHint,
                         QRect(12, 22, 120, 20));
    m_rbLandscape = Radio(m_gbLayout, "RBLandscape", QStringLiteral("Querformat"), landscapeHint,
                          QRect(140, 22, 120, 20));
    m_rbOnePage = Radio(m_gbLayout, "RBOnePage", QStringLiteral("Rätsel und Legende auf einer Seite:"),
                        onePageHint, QRect(12, 48, 252, 20));
    m_imgOnePagePortaitB = Preview(m_gbLayout, "ImgOnePagePortaitB", ":/images/print-portrait-bottom.svg",
                                   onePageHint, QPoint(30, 72));
    m_imgOnePagePortaitR = Preview(m_gbLayout, "ImgOnePagePortaitR", ":/images/print-portrait-right.svg",
                                   onePageHint, QPoint(30, 72));
    m_imgOnePageLandscapeB = Preview(m_gbLayout, "ImgOnePageLandscapeB",
                                     ":/images/print-landscape-bottom.svg", onePageHint, QPoint(30, 72));
    m_imgOnePageLandscapeR = Preview(m_gbLayout, "ImgOnePageLandscapeR",
                                     ":/images/print-landscape-right.svg", onePageHint, QPoint(30, 72));
    m_rbLegendRight = Radio(m_gbLayout, "RBLegendRight", QStringLiteral("Legende rechts"),
                            QStringLiteral("Die Legende rechts neben das Rätsel drucken"),
                            QRect(96, 76, 166, 20));
    m_rbLegendBottom = Radio(m_gbLayout, "RBLegendBottom", QStringLiteral("Legende unten"),
                             QStringLiteral("Die Legende unter das Rätsel drucken"), QRect(96, 100, 166, 20));
    m_rbTwoPages = Radio(m_gbLayout, "RBTwoPages",
                         QStringLiteral("Rätsel und Legende auf getrennten Seiten:"), twoPagesHint,
                         QRect(12, 128, 252, 20));
    m_imgTwoPages = Preview(m_gbLayout, "ImgTwoPages", ":/images/print-two-pages.svg", twoPagesHint,
                            QPoint(30, 152));
    Pair(this, m_rbPortrait, m_rbLandscape);
    Pair(this, m_rbOnePage, m_rbTwoPages);
    Pair(this, m_rbLegendRight, m_rbLegendBottom);

    // Scaling (Sudokus).
    const QString fixedHint = QStringLiteral(
        "Beim Ausdruck des Rätsels die eingestellte Höhe und Breite für die Gitterzellen verwenden");
    m_gbScale = Named(new QGroupBox(QStringLiteral(" Skalierung: "), this), "GBScale");
    m_gbScale->setGeometry(58, 6, 270, 208);
    m_rbSizeStretch = Radio(m_gbScale, "RBSizeStretch",
                            QStringLiteral("Rätselgröße auf Seitenbreite / -höhe strecken"),
                            QStringLiteral("Das Rätsel beim Ausdruck auf die verfügbare Seitenbreite strecken"),
                            QRect(12, 26, 252, 20));
    m_rbSizeFixed = Radio(m_gbScale, "RBSizeFixed", QStringLiteral("Feste Gittergröße :"), fixedHint,
                          QRect(12, 58, 130, 20));
    m_spinGridSize = Spin(m_gbScale, "SpinGridSize", fixedHint, 2, 50, QRect(146, 56, 50, 24));
    m_lblGridSize = Label(m_gbScale, QStringLiteral("Millimeter"), QRect(202, 60, 64, 16), "LblGridSize");
    Pair(this, m_rbSizeStretch, m_rbSizeFixed);

    // Colours.
    m_rgColors = Named(new QGroupBox(QStringLiteral(" Farben: "), this), "RGColors",
                       QStringLiteral("Farbmodus beim Druck"));
    m_rgColors->setGeometry(336, 6, 225, 90);
    const char* colorItems[] = {"Nur Linien drucken", "Ausdruck in Graustufen", "Farbig drucken"};
    auto* colorGroup = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        m_rbColors[i] = Radio(m_rgColors, "", QString::fromUtf8(colorItems[i]),
                              QStringLiteral("Farbmodus beim Druck"), QRect(12, 20 + 22 * i, 200, 20));
        m_rbColors[i]->setObjectName(QStringLiteral("RGColors%1").arg(i));
        colorGroup->addButton(m_rbColors[i], i);
    }

    // Margins and legend font.
    const QString marginHint = QStringLiteral("Abstand des Rätsels vom Seitenrand in Millimetern");
    auto* margins = Named(new QGroupBox(QStringLiteral(" Seitenränder: "), this), "GBMargins");
    margins->setGeometry(336, 100, 225, 114);
    Label(margins, QStringLiteral("Links / rechts : "), QRect(10, 26, 136, 16));
    m_spinLMargin = Spin(margins, "SpinLMargin", marginHint, 10, 50, QRect(148, 22, 48, 24), 10);
    Label(margins, QStringLiteral("mm"), QRect(200, 26, 20, 16));
    Label(margins, QStringLiteral("Oben / unten :"), QRect(10, 54, 136, 16));
    m_spinTMargin = Spin(margins, "SpinTMargin", marginHint, 10, 50, QRect(148, 50, 48, 24), 10);
    Label(margins, QStringLiteral("mm"), QRect(200, 54, 20, 16));
    m_lblLegFontSize = Label(margins, QStringLiteral("Schrifthöhe der Legende:"), QRect(10, 82, 136, 16),
                             "LblLegFontSize");
    m_seLegFontSize = Spin(margins, "SELegFontSize", QStringLiteral("Höhe der Schriftart in der Legende"),
                           2, 10, QRect(148, 78, 48, 24));
    m_lblLegFontUnit = Label(margins, QStringLiteral("mm"), QRect(200, 82, 20, 16), "LblLegFontUnit");

    // Printer and copies.
    Label(this, QStringLiteral("Drucker:"), QRect(58, 226, 52, 16));
    m_comboDrucker = Named(new QComboBox(this), "ComboDrucker",
                           QStringLiteral("Der für den Ausdruck zu benutzende Drucker"));
    m_comboDrucker->setGeometry(112, 222, 216, 24);
    m_comboDrucker->addItems(m_printers.Names());
    m_sbSetupPrinter = Named(new QToolButton(this), "SBSetupPrinter",
                             QStringLiteral("Die Einstellungen des gewählten Druckers ändern"));
    m_sbSetupPrinter->setIcon(QIcon(QStringLiteral(":/icons/print.svg")));
    m_sbSetupPrinter->setAutoRaise(true);
    m_sbSetupPrinter->setGeometry(332, 222, 24, 24);
    Label(this, QStringLiteral("Anzahl Kopien:"), QRect(400, 226, 96, 16));
    m_seNumCopies = Spin(this, "SENumCopies", QStringLiteral("Anzahl zu druckender Kopien"), 1, 100,
                         QRect(500, 222, 61, 24));

    m_btnOK = Named(new QPushButton(QStringLiteral("&OK"), this), "BtnOK",
                    QStringLiteral("Das Dialogfenster schließen und den Ausdruck starten"));
    m_btnOK->setGeometry(372, 272, 90, 28);
    m_btnOK->setDefault(true);
    m_btnCancel = Named(new QPushButton(QStringLiteral("&Abbruch"), this), "BtnCancel",
                        QStringLiteral("Das Dialogfenster schließen ohne den Ausdruck zu starten"));
    m_btnCancel->setGeometry(471, 272, 90, 28);

    // A Sudoku has no legend: the scaling group replaces the layout group.
    const bool sudoku = IsSudoku(kind);
    m_gbScale->setVisible(sudoku);
    m_gbLayout->setVisible(!sudoku);
    for (QWidget* w : {static_cast<QWidget*>(m_lblLegFontSize), static_cast<QWidget*>(m_seLegFontSize),
                       static_cast<QWidget*>(m_lblLegFontUnit)})
        w->setVisible(!sudoku);

    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QRadioButton* rb : {m_rbSizeStretch, m_rbSizeFixed})
        connect(rb, &QRadioButton::toggled, this, &TPrintSettingsDlg::RBSizeStretchClick);
    for (QRadioButton* rb : {m_rbPortrait, m_rbLandscape, m_rbLegendRight, m_rbLegendBottom})
        connect(rb, &QRadioButton::toggled, this, &TPrintSettingsDlg::RBPortraitClick);
    connect(m_rbOnePage, &QRadioButton::toggled, this, &TPrintSettingsDlg::RBOnePageChange);
    connect(m_comboDrucker, &QComboBox::currentIndexChanged, this, &TPrintSettingsDlg::ComboDruckerChange);
    connect(m_sbSetupPrinter, &QToolButton::clicked, this, &TPrintSettingsDlg::SBSetupPrinterClick);
    for (QLabel* image : {m_imgOnePagePortaitB, m_imgOnePagePortaitR, m_imgOnePageLandscapeB,
                          m_imgOnePageLandscapeR, m_imgTwoPages})
        image->installEventFilter(this);
    for (QSpinBox* spin : {m_spinLMargin, m_spinTMargin, m_seLegFontSize}) spin->installEventFilter(this);

    Fill(TPrintSettings{});
}

void TPrintSettingsDlg::Fill(const TPrintSettings& print) {
    (print.Portrait ? m_rbPortrait : m_rbLandscape)->setChecked(true);
    (print.OnePage ? m_rbOnePage : m_rbTwoPages)->setChecked(true);
    (print.LegendRight ? m_rbLegendRight : m_rbLegendBottom)->setChecked(true);
    (print.Stretch ? m_rbSizeStretch : m_rbSizeFixed)->setChecked(true);
    m_spinGridSize->setValue(print.CellSize / 10);
    m_rbColors[std::clamp(print.ColorMode, 0, 2)]->setChecked(true);
    m_spinLMargin->setValue(print.LeftMargin / 10);
    m_spinTMargin->setValue(print.TopMargin / 10);
    m_seLegFontSize->setValue(print.LegendFontHeight / 10);
    m_comboDrucker->setCurrentIndex(
        print.PrinterIndex >= 0 && print.PrinterIndex < m_comboDrucker->count() ? print.PrinterIndex : -1);
    m_seNumCopies->setValue(print.Copies);
    RBSizeStretchClick();
    RBPortraitClick();
    RBOnePageChange();
}

TPrintSettings TPrintSettingsDlg::Values(TPrintSettings print) const {
    print.Portrait = m_rbPortrait->isChecked();
    print.OnePage = m_rbOnePage->isChecked();
    print.LegendRight = m_rbLegendRight->isChecked();
    print.Stretch = m_rbSizeStretch->isChecked();
    print.CellSize = m_spinGridSize->value() * 10;
    for (int i = 0; i < 3; ++i)
        if (m_rbColors[i]->isChecked()) print.ColorMode = i;
    print.LeftMargin = m_spinLMargin->value() * 10;
    print.TopMargin = m_spinTMargin->value() * 10;
    print.LegendFontHeight = m_seLegFontSize->value() * 10;
    print.PrinterIndex = std::max(m_comboDrucker->currentIndex(), 0);
    print.Copies = m_seNumCopies->value();
    return print;
}

void TPrintSettingsDlg::FormShow() {
    RBPortraitClick();
    RBOnePageChange();
    if (m_comboDrucker->count() > 0 && m_comboDrucker->currentIndex() < 0) m_comboDrucker->setCurrentIndex(0);
    m_printers.Select(m_comboDrucker->currentIndex());
}

void TPrintSettingsDlg::RBSizeStretchClick() {
    const bool fixed = m_rbSizeFixed->isChecked();
    m_spinGridSize->setEnabled(fixed);
    m_lblGridSize->setEnabled(fixed);
}

void TPrintSettingsDlg::RBPortraitClick() {
    const bool portrait = m_rbPortrait->isChecked();
    const bool right = m_rbLegendRight->isChecked();
    m_imgOnePagePortaitB->setVisible(portrait && !right);
    m_imgOnePagePortaitR->setVisible(portrait && right);
    m_imgOnePageLandscapeB->setVisible(!portrait && !right);
    m_imgOnePageLandscapeR->setVisible(!portrait && right);
}

void TPrintSettingsDlg::RBOnePageChange() {
    const bool onePage = m_rbOnePage->isChecked();
    m_rbLegendRight->setEnabled(onePage);
    m_rbLegendBottom->setEnabled(onePage);
}

void TPrintSettingsDlg::ComboDruckerChange(int index) {
    if (index >= 0) m_printers.Select(index);
}

void TPrintSettingsDlg::SBSetupPrinterClick() {
    m_printers.Select(m_comboDrucker->currentIndex());
    QPageSetupDialog setup(&m_printers.Printer(), this);
    m_dialogs.Exec(setup);
}

bool TPrintSettingsDlg::SpinLMarginKeyPress(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_btnOK->isEnabled()) accept();
        return true;
    case Qt::Key_Escape:
        if (m_btnCancel->isEnabled()) reject();
        return true;
    default:
        return false;
    }
}

bool TPrintSettingsDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        (watched == m_spinLMargin || watched == m_spinTMargin || watched == m_seLegFontSize))
        return SpinLMarginKeyPress(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == m_imgTwoPages) {
            m_rbTwoPages->setChecked(true);
            return true;
        }
        if (qobject_cast<QLabel*>(watched) && watched->parent() == m_gbLayout) {
            m_rbOnePage->setChecked(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPrintSettingsDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    TGradientBar::PaintGradient(painter, QRect(0, 0, StripWidth, height()), palette());
    QDialog::paintEvent(event);
}

void TPrintSettingsDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    FormShow();
}

} // namespace zx
