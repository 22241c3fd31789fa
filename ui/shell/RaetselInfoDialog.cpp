// Puzzle information dialog.
#include "shell/RaetselInfoDialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "controls/GradientBar.h"
#include "rules/Completion.h"
#include "session/TextConv.h"
#include "shell/AppTitle.h"
#include "shell/InfoDialog.h"

namespace zx {

namespace {
constexpr int StripWidth = 48;
constexpr int CaptionLeft = 58;
constexpr int FieldLeft = 146;
constexpr int FieldWidth = 306;
constexpr int LineHeight = 21;
constexpr int LineStep = 26; // from the top of one line to the top of the next
constexpr int PanelTop = 86;
constexpr int ClientWidth = 462;
// The author line and the three-line comment below it.
constexpr int AuthorPanelHeight = 91;
constexpr int HeightWithoutAuthor = 277;

QLabel* Caption(QWidget* parent, const char* name, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    if (name) label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y + 3, FieldLeft - CaptionLeft - 4, 16);
    return label;
}

// A read-only value: lowered frame, tooltip background, bold text.
QLabel* Field(QWidget* parent, const char* name, int x, int y, int height) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(x, y, FieldWidth, height);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(2);
    label->setTextFormat(Qt::PlainText);
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::ToolTipBase));
    pal.setColor(QPalette::WindowText, pal.color(QPalette::ToolTipText));
    label->setPalette(pal);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QCheckBox* Box(QWidget* parent, const char* name, const QString& text, int y) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(FieldLeft - CaptionLeft, y, FieldWidth, 18);
    // The boxes only display the author's choice: disabled, but drawn in the
    // normal colours so that they stay readable.
    box->setEnabled(false);
    QPalette pal = box->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::Base, QPalette::Button, QPalette::Window})
        pal.setColor(QPalette::Disabled, role, pal.color(QPalette::Active, role));
    box->setPalette(pal);
    return box;
}

// Leading decimal number of a version text and where it ends; -1 when none.
long LeadingNumber(std::string_view s, std::size_t& end) {
    end = 0;
    long value = 0;
    while (end < s.size() && s[end] >= '0' && s[end] <= '9') {
        if (value < 100000000) value = value * 10 + (s[end] - '0');
        ++end;
    }
    return end == 0 ? -1 : value;
}
} // namespace

bool VersionOlder(std::string_view a, std::string_view b) {
    std::size_t endA = 0;
    std::size_t endB = 0;
    const long numA = LeadingNumber(a, endA);
    const long numB = LeadingNumber(b, endB);
    if (numA < 0 || numB < 0) return a < b;
    if (numA != numB) return numA < numB;
    return a.substr(endA) < b.substr(endB);
}

QString TReatselInfoDlg::VersionLabel(const TPuzzleData& puzzle) {
    const std::string_view version = puzzle.CreatorVersion.view();
    if (VersionOlder(version, "6.00"))
        return (QStringLiteral("Tavimo Melvarin ") + ToQString(version)).left(45);
    return QStringLiteral("Tavimo ") + ApplicationTitle() + QLatin1Char(' ') + ToQString(version);
}

QString TReatselInfoDlg::GermanDateTime(const QDateTime& when) {
    return when.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

// A dialog of fixed size: CustomizeWindowHint keeps the platform from adding
// its default buttons, so the title bar offers closing only.
TReatselInfoDlg::TReatselInfoDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("ReatselInfoDlg"));
    setWindowTitle(QString::fromUtf8("Rätsel-Eigenschaften"));
    setFixedSize(ClientWidth, 335);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    auto* icon = new QLabel(this);
    icon->setGeometry(8, 8, 32, 32);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/puzzleinfo.svg")).pixmap(32, 32));

    Caption(this, nullptr, QString::fromUtf8("Rätseltyp:"), CaptionLeft, 8);
    m_lblType = Field(this, "LblType", FieldLeft, 8, LineHeight);
    Caption(this, nullptr, QString::fromUtf8("Größe:"), CaptionLeft, 34);
    m_lblSize = Field(this, "LblSize", FieldLeft, 34, LineHeight);
    Caption(this, nullptr, QStringLiteral("Titel:"), CaptionLeft, 60);
    m_lblTitle = Field(this, "LblTitle", FieldLeft, 60, LineHeight);

    // Positions inside the panels are relative to the panels, which start at
    // the caption column.
    const int inner = FieldLeft - CaptionLeft;
    m_panelAuthor = new QFrame(this);
    m_panelAuthor->setObjectName(QStringLiteral("PanelAuthor"));
    m_panelAuthor->setGeometry(CaptionLeft, PanelTop, ClientWidth - CaptionLeft, AuthorPanelHeight);
    m_lblAuthorDesr = Caption(m_panelAuthor, "LblAuthorDesr", QStringLiteral("Autor:"), 0, 0);
    m_lblAuthor = Field(m_panelAuthor, "LblAuthor", inner, 0, LineHeight);
    m_lblCommentDescr =
        Caption(m_panelAuthor, "LblCommentDescr", QStringLiteral("Kommentar:"), 0, LineStep);
    m_lblComment = Field(m_panelAuthor, "LblComment", inner, LineStep, 57);
    m_lblComment->setWordWrap(true);

    m_panelDate = new QFrame(this);
    m_panelDate->setObjectName(QStringLiteral("PanelDate"));
    m_panelDate->setGeometry(CaptionLeft, PanelTop + AuthorPanelHeight, ClientWidth - CaptionLeft,
                             136);
    Caption(m_panelDate, nullptr, QStringLiteral("Erstellt am:"), 0, 0);
    m_lblDate = Field(m_panelDate, "LblDate", inner, 0, LineHeight);
    Caption(m_panelDate, nullptr, QStringLiteral("Erstellt mit:"), 0, LineStep);
    m_lblVersion = Field(m_panelDate, "LblVersion", inner, LineStep, LineHeight);
    auto* helpCaption = new QLabel(QStringLiteral("Hilfe- und\nBearb.-\noptionen:"), m_panelDate);
    helpCaption->setGeometry(0, 54, inner - 4, 48);
    helpCaption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_cbHelpShowFail = Box(m_panelDate, "CBHelpShowFail", QString::fromUtf8("Falsche Buchstaben markieren"), 54);
    m_cbHelpAutoFill = Box(m_panelDate, "CBHelpAutoFill", QString::fromUtf8("Korrekten Buchstaben einfügen"), 74);
    m_cbHelpShowRiddle = Box(m_panelDate, "CBHelpShowRiddle", QString::fromUtf8("Gelöstes Rätsel anzeigen"), 94);
    m_cbHelpEditRiddle = Box(m_panelDate, "CBHelpEditRiddle", QString::fromUtf8("Rätsel bearbeiten"), 114);

    m_btnClose = new QPushButton(QString::fromUtf8("S&chließen"), this);
    m_btnClose->setObjectName(QStringLiteral("BtnClose"));
    m_btnClose->setToolTip(QString::fromUtf8("Änderungen übernehmen und Dialogfenster schließen"));
    m_btnClose->setStatusTip(m_btnClose->toolTip());
    m_btnClose->setDefault(true);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void TReatselInfoDlg::Fill(const TPuzzleData& puzzle, const std::string& exePath) {
    const TPuzzleKind kind = KindOf(puzzle);
    const bool sudoku = IsSudoku(kind);

    m_lblType->setText(ToQString(PuzzleTypeCaption(puzzle)));
    m_lblSize->setText(QStringLiteral("%1 x %2 Felder").arg(puzzle.ColCount).arg(puzzle.RowCount));

    const bool withAuthor = kind != TPuzzleKind::Sudoku;
    m_panelAuthor->setVisible(withAuthor);
    // The best time of a timed Sudoku takes one line where a comment takes
    // three: the panel shrinks to two lines, so that the date follows the
    // best time at the normal line step instead of after an empty band.
    m_panelAuthor->resize(m_panelAuthor->width(), sudoku ? 2 * LineStep : AuthorPanelHeight);
    int clientHeight = HeightWithoutAuthor;
    if (withAuthor) {
        m_panelDate->move(CaptionLeft, PanelTop + m_panelAuthor->height());
        clientHeight += m_panelAuthor->height();
    } else {
        m_panelDate->move(CaptionLeft, PanelTop);
    }
    setFixedSize(ClientWidth, clientHeight);
    m_btnClose->setGeometry(ClientWidth - 6 - 89, clientHeight - 6 - 25, 89, 25);

    m_lblAuthor->setText(ToQString(puzzle.Author.view()));
    m_lblTitle->setText(ToQString(puzzle.Title.view()));

    if (sudoku) {
        m_lblAuthorDesr->setText(QStringLiteral("Bester:"));
        m_lblCommentDescr->setText(QString::fromUtf8("Lösungszeit:"));
        m_lblComment->resize(m_lblComment->width(), LineHeight);
        m_lblComment->setText(puzzle.BestTime > 0 ? ToQString(TimeText(puzzle.BestTime, true)) : QString());
        m_cbHelpShowFail->setText(QStringLiteral("Falsche Symbole markieren"));
        m_cbHelpAutoFill->setText(QString::fromUtf8("Korrektes Symbol einfügen"));
    } else {
        m_lblAuthorDesr->setText(QStringLiteral("Autor:"));
        m_lblCommentDescr->setText(QStringLiteral("Kommentar:"));
        m_lblComment->resize(m_lblComment->width(), 57);
        m_lblComment->setText(ToQString(puzzle.Comment.view()));
        m_cbHelpShowFail->setText(QStringLiteral("Falsche Buchstaben markieren"));
        m_cbHelpAutoFill->setText(QString::fromUtf8("Korrekten Buchstaben einfügen"));
    }

    const int help = puzzle.HelpOptions;
    m_cbHelpShowFail->setChecked(help & hoMarkErrors);
    m_cbHelpAutoFill->setChecked(help & hoInsertLetter);
    m_cbHelpShowRiddle->setChecked(help & hoShowSolution);
    m_cbHelpEditRiddle->setChecked(help & hoEditPuzzle);
    m_cbHelpEditRiddle->setVisible(!IsSudoku(kind));

    const QDateTime modified = FileModified(exePath);
    m_lblDate->setText(modified.isValid() ? GermanDateTime(modified) : QString());
    m_lblVersion->setText(VersionLabel(puzzle));
}

void TReatselInfoDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    TGradientBar::PaintGradient(painter, QRect(0, 0, StripWidth, height()), palette());
    QDialog::paintEvent(event);
}

} // namespace zx
