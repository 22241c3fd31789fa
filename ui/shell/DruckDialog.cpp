// Print settings dialog.
#include "shell/DruckDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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
#include <QVBoxLayout>
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

QRadioButton* Radio(const char* name, const QString& text, const QString& hint) {
    return Named(new QRadioButton(text), name, hint);
}

QSpinBox* Spin(const char* name, const QString& hint, int low, int high, int step = 1) {
    auto* spin = Named(new QSpinBox, name, hint);
    spin->setRange(low, high);
    spin->setSingleStep(step);
    spin->setAlignment(Qt::AlignRight);
    return spin;
}

// A layout preview: the picture of one layout, a click selects its page choice.
QLabel* Preview(const char* name, const char* file, const QString& hint) {
    auto* image = Named(new QLabel, name, hint);
    image->setPixmap(QIcon(QString::fromLatin1(file)).pixmap(48, 48));
    image->setFixedSize(48, 48);
    image->setCursor(Qt::PointingHandCursor);
    return image;
}

void Pair(QObject* parent, QRadioButton* a, QRadioButton* b) {
    auto* group = new QButtonGroup(parent);
    group->addButton(a);
    group->addButton(b);
}

// A row of widgets, indented and closed by a stretch.
QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, int indent = 0) {
    auto* row = new QHBoxLayout;
    if (indent) row->addSpacing(indent);
    for (QWidget* w : widgets) row->addWidget(w);
    row->addStretch();
    return row;
}

} // namespace

TPrintSettingsDlg::TPrintSettingsDlg(TPuzzleKind kind, TPrinterChoice& printers,
                                     TModalDialogs& dialogs, QWidget* parent)
    // A dialog of fixed size: CustomizeWindowHint keeps the platform from
    // adding its default buttons, so the title bar offers closing only.
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_printers(printers), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("TPrintSettingsDlg"));
    setWindowTitle(QStringLiteral("Rätsel drucken"));

    // Layout (every puzzle but the Sudokus).
    const QString portraitHint = QStringLiteral("Das Rätsel auf eine Seite im Hochformat drucken");
    const QString landscapeHint = QStringLiteral("Das Rätsel auf eine Seite im Querformat drucken");
    const QString onePageHint = QStringLiteral("Rätsel und Legende auf eine einzelne Seite drucken");
    const QString twoPagesHint = QStringLiteral("Rätsel und Legende auf zwei getrennten Seiten drucken");
    m_gbLayout = Named(new QGroupBox(QStringLiteral(" Layout: ")), "GBLayout");
    m_rbPortrait = Radio("RBPortrait", QStringLiteral("Hochformat"), portraitHint);
    m_rbLandscape = Radio("RBLandscape", QStringLiteral("Querformat"), landscapeHint);
    m_rbOnePage = Radio("RBOnePage", QStringLiteral("Rätsel und Legende auf einer Seite:"), onePageHint);
    m_imgOnePagePortaitB = Preview("ImgOnePagePortaitB", ":/images/print-portrait-bottom.svg", onePageHint);
    m_imgOnePagePortaitR = Preview("ImgOnePagePortaitR", ":/images/print-portrait-right.svg", onePageHint);
    m_imgOnePageLandscapeB = Preview("ImgOnePageLandscapeB", ":/images/print-landscape-bottom.svg", onePageHint);
    m_imgOnePageLandscapeR = Preview("ImgOnePageLandscapeR", ":/images/print-landscape-right.svg", onePageHint);
    m_rbLegendRight = Radio("RBLegendRight", QStringLiteral("Legende rechts"),
                            QStringLiteral("Die Legende rechts neben das Rätsel drucken"));
    m_rbLegendBottom = Radio("RBLegendBottom", QStringLiteral("Legende unten"),
                             QStringLiteral("Die Legende unter das Rätsel drucken"));
    m_rbTwoPages = Radio("RBTwoPages", QStringLiteral("Rätsel und Legende auf getrennten Seiten:"), twoPagesHint);
    m_imgTwoPages = Preview("ImgTwoPages", ":/images/print-two-pages.svg", twoPagesHint);
    Pair(this, m_rbPortrait, m_rbLandscape);
    Pair(this, m_rbOnePage, m_rbTwoPages);
    Pair(this, m_rbLegendRight, m_rbLegendBottom);
    {
        auto* legendPosition = new QVBoxLayout;
        legendPosition->addStretch();
        legendPosition->addWidget(m_rbLegendRight);
        legendPosition->addWidget(m_rbLegendBottom);
        legendPosition->addStretch();
        // The four one-page pictures share one place; one of them is shown.
        auto* onePage = Row({m_imgOnePagePortaitB, m_imgOnePagePortaitR, m_imgOnePageLandscapeB,
                             m_imgOnePageLandscapeR}, 18);
        onePage->insertSpacing(onePage->count() - 1, 16);
        onePage->insertLayout(onePage->count() - 1, legendPosition);
        auto* box = new QVBoxLayout(m_gbLayout);
        box->addLayout(Row({m_rbPortrait, m_rbLandscape}));
        box->addWidget(m_rbOnePage);
        box->addLayout(onePage);
        box->addWidget(m_rbTwoPages);
        box->addLayout(Row({m_imgTwoPages}, 18));
        box->addStretch();
    }

    // Scaling (Sudokus).
    const QString fixedHint = QStringLiteral(
        "Beim Ausdruck des Rätsels die eingestellte Höhe und Breite für die Gitterzellen verwenden");
    m_gbScale = Named(new QGroupBox(QStringLiteral(" Skalierung: ")), "GBScale");
    m_rbSizeStretch = Radio("RBSizeStretch", QStringLiteral("Rätselgröße auf Seitenbreite / -höhe strecken"),
                            QStringLiteral("Das Rätsel beim Ausdruck auf die verfügbare Seitenbreite strecken"));
    m_rbSizeFixed = Radio("RBSizeFixed", QStringLiteral("Feste Gittergröße :"), fixedHint);
    m_spinGridSize = Spin("SpinGridSize", fixedHint, 2, 50);
    m_lblGridSize = Named(new QLabel(QStringLiteral("Millimeter")), "LblGridSize");
    Pair(this, m_rbSizeStretch, m_rbSizeFixed);
    {
        auto* box = new QVBoxLayout(m_gbScale);
        box->addWidget(m_rbSizeStretch);
        box->addLayout(Row({m_rbSizeFixed, m_spinGridSize, m_lblGridSize}));
        box->addStretch();
    }

    // Colours.
    m_rgColors = Named(new QGroupBox(QStringLiteral(" Farben: ")), "RGColors",
                       QStringLiteral("Farbmodus beim Druck"));
    {
        const char* items[] = {"Nur Linien drucken", "Ausdruck in Graustufen", "Farbig drucken"};
        auto* group = new QButtonGroup(this);
        auto* box = new QVBoxLayout(m_rgColors);
        for (int i = 0; i < 3; ++i) {
            m_rbColors[i] = Radio("", QString::fromUtf8(items[i]), QStringLiteral("Farbmodus beim Druck"));
            m_rbColors[i]->setObjectName(QStringLiteral("RGColors%1").arg(i));
            group->addButton(m_rbColors[i], i);
            box->addWidget(m_rbColors[i]);
        }
    }

    // Margins and legend font.
    const QString marginHint = QStringLiteral("Abstand des Rätsels vom Seitenrand in Millimetern");
    auto* margins = Named(new QGroupBox(QStringLiteral(" Seitenränder: ")), "GBMargins");
    m_spinLMargin = Spin("SpinLMargin", marginHint, 10, 50, 10);
    m_spinTMargin = Spin("SpinTMargin", marginHint, 10, 50, 10);
    m_lblLegFontSize = Named(new QLabel(QStringLiteral("Schrifthöhe der Legende:")), "LblLegFontSize");
    m_seLegFontSize = Spin("SELegFontSize", QStringLiteral("Höhe der Schriftart in der Legende"), 2, 10);
    m_lblLegFontUnit = Named(new QLabel(QStringLiteral("mm")), "LblLegFontUnit");
    {
        auto* grid = new QGridLayout(margins);
        grid->addWidget(new QLabel(QStringLiteral("Links / rechts : ")), 0, 0);
        grid->addWidget(m_spinLMargin, 0, 1);
        grid->addWidget(new QLabel(QStringLiteral("mm")), 0, 2);
        grid->addWidget(new QLabel(QStringLiteral("Oben / unten :")), 1, 0);
        grid->addWidget(m_spinTMargin, 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("mm")), 1, 2);
        grid->addWidget(m_lblLegFontSize, 2, 0);
        grid->addWidget(m_seLegFontSize, 2, 1);
        grid->addWidget(m_lblLegFontUnit, 2, 2);
        grid->setRowStretch(3, 1);
    }

    // Printer and copies.
    m_comboDrucker = Named(new QComboBox, "ComboDrucker",
                           QStringLiteral("Der für den Ausdruck zu benutzende Drucker"));
    m_comboDrucker->addItems(m_printers.Names());
    m_comboDrucker->setMinimumContentsLength(16);
    m_sbSetupPrinter = Named(new QToolButton, "SBSetupPrinter",
                             QStringLiteral("Die Einstellungen des gewählten Druckers ändern"));
    m_sbSetupPrinter->setIcon(QIcon(QStringLiteral(":/icons/print.svg")));
    m_sbSetupPrinter->setAutoRaise(true);
    m_seNumCopies = Spin("SENumCopies", QStringLiteral("Anzahl zu druckender Kopien"), 1, 100);

    m_btnOK = Named(new QPushButton(QStringLiteral("&OK")), "BtnOK",
                    QStringLiteral("Das Dialogfenster schließen und den Ausdruck starten"));
    m_btnOK->setDefault(true);
    m_btnCancel = Named(new QPushButton(QStringLiteral("&Abbruch")), "BtnCancel",
                        QStringLiteral("Das Dialogfenster schließen ohne den Ausdruck zu starten"));
    for (QPushButton* button : {m_btnOK, m_btnCancel}) button->setMinimumWidth(90);

    // The gradient strip at the left with the icon at its top, the controls right of it.
    auto* icon = new QLabel;
    icon->setPixmap(QIcon(QStringLiteral(":/icons/print.svg")).pixmap(32, 32));
    icon->setFixedSize(StripWidth, 48);
    icon->setAlignment(Qt::AlignCenter);
    auto* strip = new QVBoxLayout;
    strip->addWidget(icon);
    strip->addStretch();
    auto* groups = new QHBoxLayout;
    groups->addWidget(m_gbLayout, 1);
    groups->addWidget(m_gbScale, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_rgColors);
    right->addWidget(margins, 1);
    groups->addLayout(right);
    auto* printer = new QHBoxLayout;
    printer->addWidget(new QLabel(QStringLiteral("Drucker:")));
    printer->addWidget(m_comboDrucker, 1);
    printer->addWidget(m_sbSetupPrinter);
    printer->addSpacing(24);
    printer->addWidget(new QLabel(QStringLiteral("Anzahl Kopien:")));
    printer->addWidget(m_seNumCopies);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto* content = new QVBoxLayout;
    content->setContentsMargins(0, 6, 8, 8);
    content->addLayout(groups, 1);
    content->addLayout(printer);
    content->addSpacing(6);
    content->addLayout(buttons);
    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(8);
    top->addLayout(strip);
    top->addLayout(content, 1);

    // A Sudoku has no legend: the scaling group replaces the layout group.
    const bool sudoku = IsSudoku(kind);
    m_gbScale->setVisible(sudoku);
    m_gbLayout->setVisible(!sudoku);
    for (QWidget* w : {static_cast<QWidget*>(m_lblLegFontSize), static_cast<QWidget*>(m_seLegFontSize),
                       static_cast<QWidget*>(m_lblLegFontUnit)})
        w->setVisible(!sudoku);
    // A fixed dialog frame: the usual size, larger where the font needs it.
    top->activate();
    setFixedSize(sizeHint().expandedTo(QSize(ClientWidth, ClientHeight)));

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
