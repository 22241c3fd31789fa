// The word entry dialog: one row of letter boxes typed from left to right.
#include "legend/BegriffDialog.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <qdrawutil.h>

#include <algorithm>
#include <string_view>
#include <utility>

#include "controls/DrawGrid.h"
#include "controls/GradientBar.h"
#include "controls/InputMark.h"
#include "controls/SvgImage.h"
#include "session/Colors.h"
#include "session/TextConv.h"

namespace zx {

namespace {
constexpr int StripWidth = 50;
constexpr int GridLeft = 56;
constexpr int GridTop = 21;
constexpr int ButtonTop = 60;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int CancelLeft = 139;
// The buttons end 6 pixels above the bottom edge of the client area.
constexpr int BottomGap = 6;
// Cell sizes the settings may hold; beyond them the boxes would not fit a widget.
constexpr int MinCellSize = 2;
constexpr int MaxCellSize = 400;

// The letters a typed character stands for: upper case A to Z and the space
// as one letter, umlauts and ß as the two letters the puzzle stores for them
// (Latin-1 bytes). {0, 0} for a character that is no letter.
std::pair<char, char> Letters(char key) {
    const auto c = static_cast<unsigned char>(key);
    if (c >= 'a' && c <= 'z') return {static_cast<char>(c - 'a' + 'A'), 0};
    if ((c >= 'A' && c <= 'Z') || c == ' ') return {key, 0};
    switch (c) {
    case 0xC4: // Ä
    case 0xE4: // ä
        return {'A', 'E'};
    case 0xD6: // Ö
    case 0xF6: // ö
        return {'O', 'E'};
    case 0xDC: // Ü
    case 0xFC: // ü
        return {'U', 'E'};
    case 0xDF: // ß
        return {'S', 'S'};
    default:
        return {0, 0};
    }
}


QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, int left,
                       const QString& hint) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, ButtonTop, ButtonWidth, ButtonHeight);
    button->setToolTip(hint);
    button->setStatusTip(hint);
    return button;
}
} // namespace

// A dialog of fixed size: CustomizeWindowHint keeps the platform from adding
// its default buttons, so the title bar offers closing only.
TWordEditDlg::TWordEditDlg(const TProgramSettings& settings, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_settings(settings), m_arrow(RenderSvg(QStringLiteral(":/images/arrow-right.svg"))) {
    setObjectName(QStringLiteral("WordEditDlg"));
    setFixedSize(375, 91);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    m_imgIcon = new QLabel(this);
    m_imgIcon->setObjectName(QStringLiteral("ImgIcon"));
    m_imgIcon->setGeometry(8, 8, 32, 32);
    m_imgIcon->setPixmap(QIcon(QStringLiteral(":/icons/wordenter.svg")).pixmap(32, 32));

    m_lblBegriff = new QLabel(this);
    m_lblBegriff->setObjectName(QStringLiteral("LblBegriff"));
    // Clues are plain text: a "<" must not turn them into markup.
    m_lblBegriff->setTextFormat(Qt::PlainText);
    m_lblBegriff->move(GridLeft, 5);

    m_gridBegriff = new TDrawGrid(this);
    m_gridBegriff->setObjectName(QStringLiteral("GridBegriff"));
    m_gridBegriff->move(GridLeft, GridTop);
    m_gridBegriff->SetRowCount(1);
    m_gridBegriff->SetColCount(0);
    m_gridBegriff->SetMargin(1);
    m_gridBegriff->SetGridLineColor(Qt::black);
    m_gridBegriff->SetBackground(Qt::black);
    const QString gridHint = QStringLiteral("Den gesuchten Begriff eingeben");
    m_gridBegriff->setToolTip(gridHint);
    m_gridBegriff->setStatusTip(gridHint);
    m_gridBegriff->SetDrawHandler([this](QPainter& painter, int col, int, const QRect& rect, bool) {
        GridBegriffDrawCell(painter, col, rect);
    });
    m_gridBegriff->SetKeyPressHandler([this](char key) { GridBegriffKeyPress(key); });
    // The grid takes every key it sees; Enter and Escape belong to the dialog's
    // default and cancel buttons.
    m_gridBegriff->SetKeyDownHandler([](QKeyEvent* event) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->ignore();
            return true;
        default:
            return false;
        }
    });
    m_gridBegriff->installEventFilter(this);

    m_btnOK = AddButton(
        this, "BtnOK", QStringLiteral("OK"), GridLeft,
        QString::fromUtf8("Den Begriff ins Rätsel aufnehmen und das Dialogfenster schließen"));
    m_btnOK->setDefault(true);
    m_btnOK->setEnabled(false);
    connect(m_btnOK, &QPushButton::clicked, this, &TWordEditDlg::BtnOKClick);

    m_btnCancel = AddButton(
        this, "BtnCancel", QStringLiteral("Abbruch"), CancelLeft,
        QString::fromUtf8("Das Dialogfenster schließen ohne den Begriff ins Rätsel zu übernehmen"));
    // Escape rejects a QDialog already, so this is the cancel button too.
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TWordEditDlg::SetQuestion(const QString& text) {
    m_lblBegriff->setText(text);
    m_lblBegriff->adjustSize();
    if (isVisible()) Layout();
}

void TWordEditDlg::SetWordText(const std::string& pattern) {
    m_wordText = pattern;
    if (isVisible()) Prepare();
}

void TWordEditDlg::setVisible(bool visible) {
    // Laid out before the window appears, so that it is placed at its final size.
    if (visible && !isVisible()) Prepare();
    QDialog::setVisible(visible);
}

void TWordEditDlg::Prepare() {
    m_boxes.clear();
    for (const char c : m_wordText)
        m_boxes += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    m_boxFont = QFont(ToQString(m_settings.Schriftart), std::max(m_settings.Schriftgroesse, 1),
                      QFont::Bold);
    Layout();
    m_gridBegriff->SetCurrent(0, 0);
    m_gridBegriff->InvalidateGrid();
    // Enabled by the first key release that finds every box filled.
    m_btnOK->setEnabled(false);
    m_gridBegriff->setFocus();
}

void TWordEditDlg::Layout() {
    const int box = std::clamp(m_settings.Feldgroesse, MinCellSize, MaxCellSize) - 1;
    m_gridBegriff->SetColCount(BoxCount());
    m_gridBegriff->SetDefaultColWidth(box);
    m_gridBegriff->SetDefaultRowHeight(box);
    // One black pixel above and left of the boxes, one below them as their
    // grid line, and two more on the right.
    const int gridWidth = BoxCount() * (box + 1) + 3;
    const int gridHeight = box + 2;
    m_gridBegriff->setFixedSize(gridWidth, gridHeight);

    // Large boxes push the buttons down rather than reach under them.
    const int buttonTop = std::max(ButtonTop, GridTop + gridHeight + 8);
    m_btnOK->move(GridLeft, buttonTop);
    m_btnCancel->move(CancelLeft, buttonTop);

    int width = std::max(GridLeft + gridWidth + 8, CancelLeft + ButtonWidth + 8);
    // A long question widens the dialog, as far as the screen allows, rather
    // than being cut off: the player has to read it to find the word.
    const int question = m_lblBegriff->geometry().right() + 1 + 8;
    if (question > width) {
        const QScreen* s = screen();
        width = std::max(width, s ? std::min(question, s->availableGeometry().width()) : question);
    }
    // The caption stays whole in the title bar, beside its close box.
    constexpr int TitleBarRoom = 96;
    width = std::max(width, QFontMetrics(QApplication::font()).horizontalAdvance(windowTitle()) +
                                TitleBarRoom);
    setFixedSize(width, buttonTop + ButtonHeight + BottomGap);
}

void TWordEditDlg::GridBegriffDrawCell(QPainter& painter, int col, const QRect& rect) {
    if (col < 0 || col >= BoxCount()) return;
    const bool current = col == m_gridBegriff->Col();
    const bool active = isActiveWindow();
    const TColor background = current && active && m_gridBegriff->isEnabled()
                                  ? m_settings.MarkedLetterColor
                                  : m_settings.FarbeBuchstabenfeld;
    painter.fillRect(rect, ToQColor(background, palette()));
    const char letter = m_boxes[static_cast<std::size_t>(col)];
    if (letter != ' ') {
        painter.setFont(m_boxFont);
        painter.setPen(ToQColor(m_settings.FarbeBuchstaben, palette()));
        // Without TextShowMnemonic an ampersand is drawn as such.
        painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine,
                         ToQString(std::string_view(&letter, 1)));
    }
    if (!current || !active) return;
    DrawThinInputMark(painter, rect, &m_arrow);
}

void TWordEditDlg::SetBox(int i, char c) {
    m_boxes[static_cast<std::size_t>(i)] = c;
    m_gridBegriff->InvalidateCell(i, 0);
}

void TWordEditDlg::GridBegriffKeyPress(char key) {
    const auto [first, second] = Letters(key);
    if (first == 0 || BoxCount() == 0) return;
    const int col = m_gridBegriff->Col();
    int next = col + 1;
    SetBox(col, first);
    // The second letter of an umlaut goes into the next box; on the last box
    // only the first fits.
    if (second != 0 && next < BoxCount()) SetBox(next++, second);
    m_gridBegriff->SetCurrent(std::min(next, BoxCount() - 1), 0);
}

void TWordEditDlg::GridBegriffKeyUp(int key) {
    const int col = m_gridBegriff->Col();
    if (BoxCount() > 0) {
        switch (key) {
        case Qt::Key_Backspace:
            if (col > 0) {
                m_gridBegriff->SetCurrent(col - 1, 0);
                SetBox(col - 1, ' ');
            }
            break;
        case Qt::Key_Delete:
            SetBox(col, ' ');
            break;
        case Qt::Key_Home:
            m_gridBegriff->SetCurrent(0, 0);
            break;
        case Qt::Key_End:
            m_gridBegriff->SetCurrent(BoxCount() - 1, 0);
            break;
        default:
            break;
        }
    }
    // No boxes make no word.
    m_btnOK->setEnabled(BoxCount() > 0 && m_boxes.find(' ') == std::string::npos);
}

void TWordEditDlg::BtnOKClick() {
    // Boxes hold upper-case letters already, and ' ' where empty.
    m_wordText = m_boxes;
    accept();
}

void TWordEditDlg::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    TGradientBar::PaintGradient(painter, QRect(0, 0, StripWidth, height()), palette(),
                                Qt::Horizontal);
    // The picture's lowered frame, shaded diagonally from the button face to black.
    const QRect symbol(7, 7, 34, 34);
    QLinearGradient gradient(symbol.topLeft(), symbol.bottomRight());
    gradient.setColorAt(0, palette().color(QPalette::Button));
    gradient.setColorAt(1, Qt::black);
    const QBrush fill(gradient);
    qDrawShadePanel(&painter, symbol, palette(), true, 1, &fill);
    QDialog::paintEvent(event);
}

void TWordEditDlg::changeEvent(QEvent* event) {
    // The current box shows its mark only while the dialog is active.
    if (event->type() == QEvent::ActivationChange) m_gridBegriff->InvalidateGrid();
    QDialog::changeEvent(event);
}

bool TWordEditDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_gridBegriff && event->type() == QEvent::KeyRelease)
        GridBegriffKeyUp(static_cast<QKeyEvent*>(event)->key());
    return QDialog::eventFilter(watched, event);
}

} // namespace zx
