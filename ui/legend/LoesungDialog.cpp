// The solution-word strip: its layout and place, the keys that write the
// player's letters through the session, and the one box painter for the
// screen and for the row below the printed grid.
#include "legend/LoesungDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <algorithm>
#include <string_view>

#include "controls/DrawGrid.h"
#include "controls/InputMark.h"
#include "controls/SvgImage.h"
#include "session/Colors.h"
#include "session/FrameLink.h"
#include "session/PlayerSession.h"
#include "session/TextConv.h"

namespace zx {

namespace {
// Cell and font sizes the settings may hold; beyond them boxes and letters
// would not fit a widget.
constexpr int MaxCellSize = 400;
constexpr int MaxFontSize = 400;
const QColor LightGrey(0xDD, 0xDD, 0xDD);

// Points to canvas units of 0.1 mm.
int PointsOnPaper(int points) {
    return (points * 254 + 36) / 72;
}

// The letter box col shows: the solution in the solution view, else the
// player's letter. The player's slots are read whatever the stored length
// says; unused slots of a stored record hold zero bytes and show nothing.
char BoxLetter(const TPuzzleData& p, std::uint8_t viewMode, int col) {
    const auto i = static_cast<std::size_t>(col);
    const char c = viewMode != 0 ? p.SolutionWord.Chars[i] : p.SolutionEntry.Chars[i];
    return static_cast<unsigned char>(c) > ' ' ? c : ' ';
}

struct TBoxStyle {
    bool OnPaper = false;  // canvas units of 0.1 mm and the colours of ColorMode
    int ColorMode = 2;     // 0 lines only, 1 greyscale, 2 colour
    bool Selected = false; // the current box of the strip that has the keys
    bool Framed = false;   // the printed row: each box framed in black
};

// A 1-unit outline along the outermost pixels of r.
void Outline(QPainter& canvas, const QRect& r, const QColor& c) {
    canvas.fillRect(QRect(r.left(), r.top(), r.width(), 1), c);
    canvas.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), c);
    canvas.fillRect(QRect(r.left(), r.top(), 1, r.height()), c);
    canvas.fillRect(QRect(r.right(), r.top(), 1, r.height()), c);
}

void PaintSolutionCell(QPainter& canvas, const TPuzzleData& p, const TProgramSettings& s,
                       std::uint8_t viewMode, int col, QRect rect, const TBoxStyle& style,
                       const QPalette& pal) {
    QColor brush = ToQColor(s.FarbeLoesungfeld, pal);
    if (style.Selected)
        brush = ToQColor(s.MarkedSolutionColor, pal);
    else if (style.OnPaper && style.ColorMode == 0)
        brush = Qt::white;
    else if (style.OnPaper && style.ColorMode == 1)
        brush = LightGrey;
    if (style.Framed) {
        // The frame reaches 2 units beyond the box on every side and is
        // shifted 2 to the right, like the box inside it; the next box's
        // frame covers this one's right edge, so neighbours share one line.
        rect.translate(2, 0);
        const QRect frame = rect.adjusted(-2, -2, 2, 2);
        canvas.fillRect(frame, brush);
        Outline(canvas, frame, Qt::black);
    } else {
        canvas.fillRect(rect, brush);
    }

    const char letter = BoxLetter(p, viewMode, col);
    if (letter == ' ') return;
    QFont font(ToQString(s.Schriftart));
    font.setBold(true);
    if (style.OnPaper)
        // The letter keeps its size in points but never outgrows its box.
        font.setPixelSize(std::clamp(PointsOnPaper(std::clamp(s.Schriftgroesse, 1, MaxFontSize)), 1,
                                     std::max(rect.height() - 4, 1)));
    else
        font.setPointSize(std::clamp(s.Schriftgroesse, 1, MaxFontSize));
    TColor colour = s.FarbeLoesungswort;
    // Greyscale and line printing show the letters in the one letter colour.
    if (!style.OnPaper || style.ColorMode == 2) {
        const auto i = static_cast<std::size_t>(col);
        const char solution = p.SolutionWord.Chars[i];
        if (viewMode != 0 && solution != p.SolutionEntry.Chars[i])
            colour = s.FarbeFehlendeBuchstaben;
        if (s.FehlerZeigen && letter != solution) colour = s.FarbeFalscheBuchstaben;
    }
    canvas.setFont(font);
    canvas.setPen(ToQColor(colour, pal));
    canvas.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine,
                    ToQString(std::string_view(&letter, 1)));
}
} // namespace

TLoesungForm::TLoesungForm(TFrameLink& frame, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_session(frame.Session()), m_arrow(RenderSvg(QStringLiteral(":/images/arrow-right.svg"))) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("LoesungForm"));
    setAutoFillBackground(true);

    m_gridLoesung = new TDrawGrid(this);
    m_gridLoesung->setObjectName(QStringLiteral("GridLoesung"));
    // Reached by a click, skipped by the Tab key.
    m_gridLoesung->setFocusPolicy(Qt::ClickFocus);
    m_gridLoesung->move(Border, Border);
    m_gridLoesung->SetRowCount(1);
    m_gridLoesung->SetColCount(0);
    m_gridLoesung->SetBackground(palette().color(QPalette::Window));
    const QString hint = QString::fromUtf8("Das gesuchte Lösungswort");
    m_gridLoesung->setToolTip(hint);
    m_gridLoesung->setStatusTip(hint);
    setFocusProxy(m_gridLoesung);
    m_gridLoesung->SetDrawHandler([this](QPainter& painter, int col, int, const QRect& rect, bool) {
        GridLoesungDrawCell(painter, col, rect);
    });
    m_gridLoesung->SetKeyDownHandler([this](QKeyEvent* e) { return GridLoesungKeyDown(e->key()); });
    m_gridLoesung->SetKeyPressHandler([this](char key) { GridLoesungKeyPress(key); });

    connect(&m_session, &TPlayerSession::SolutionLetterChanged, this,
            &TLoesungForm::SolutionLetterChanged);
    // Undo and reset bring other letters, the solution view and the error
    // switch other colours.
    connect(&m_session, &TPlayerSession::RecordReplaced, this, &TLoesungForm::Refill);
    connect(&m_session, &TPlayerSession::ViewChanged, this, &TLoesungForm::Refill);
    connect(&m_session, &TPlayerSession::CellSizeChanged, this, &TLoesungForm::SolutionLayout);
    Refill();
}

int TLoesungForm::BoxCount(const TPuzzleData& puzzle) {
    // The stored length may claim more; the field holds 20 letters.
    return static_cast<int>(puzzle.SolutionWord.size());
}

void TLoesungForm::ShowSolution() {
    Refill();
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (sub && sub->mdiArea()) sub->move(PlaceFor(sub->mdiArea()->viewport()->rect()));
}

void TLoesungForm::Refill() {
    SolutionLayout();
    setWindowTitle(ToQString(m_session.Puzzle().SolutionCaption.view()) + QLatin1Char(':'));
    m_gridLoesung->InvalidateGrid();
}

void TLoesungForm::SolutionLayout() {
    const int n = BoxCount(m_session.Puzzle());
    const int box = std::clamp(m_session.Settings().Feldgroesse, 1, MaxCellSize);
    m_gridLoesung->SetColCount(n);
    m_gridLoesung->SetDefaultColWidth(box);
    m_gridLoesung->SetDefaultRowHeight(box);
    // Grid lines between the boxes and below them, none after the last box.
    const QSize grid(std::max(n * (box + 1) - 1, 0), box + 1);
    m_gridLoesung->setFixedSize(grid);
    // The caption plays no part: a long one is cut short in the title bar
    // rather than stretching the strip. Two pixels more on the right than
    // on the left, where the last box has no grid line.
    m_client = QSize(grid.width() + 2 * Border + 2, grid.height() + 2 * Border);
    setFixedSize(m_client);
    updateGeometry();
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (!sub) return;
    sub->resize(sub->sizeHint());
    // A strip grown by zooming stays inside the child area, moved up and left
    // as far as it has to.
    if (const QMdiArea* area = sub->mdiArea()) {
        const QPoint inside = PlaceFor(area->viewport()->rect());
        sub->move(std::min(sub->x(), inside.x()), std::min(sub->y(), inside.y()));
    }
}

QSize TLoesungForm::sizeHint() const {
    return m_client;
}

QPoint TLoesungForm::PlaceFor(const QRect& childArea) const {
    const QWidget* sub = qobject_cast<const QMdiSubWindow*>(parentWidget());
    const QSize outer = sub ? sub->size() : frameGeometry().size();
    const int x = childArea.left() + childArea.width() - outer.width() - AreaGap;
    const int y = childArea.top() + childArea.height() - outer.height() - AreaGap;
    return {std::max(x, childArea.left()), std::max(y, childArea.top())};
}

void TLoesungForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    ShowSolution();
}

void TLoesungForm::closeEvent(QCloseEvent* event) {
    event->accept();
    // The frame around the strip goes with it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        QMetaObject::invokeMethod(sub, &QMdiSubWindow::close, Qt::QueuedConnection);
}

void TLoesungForm::GridLoesungDrawCell(QPainter& painter, int col, const QRect& rect) {
    const TPuzzleData& p = m_session.Puzzle();
    if (col < 0 || col >= BoxCount(p)) return;
    TBoxStyle style;
    // The grid has the keys only while the strip is the active window.
    style.Selected = col == m_gridLoesung->Col() && m_gridLoesung->hasFocus();
    PaintSolutionCell(painter, p, m_session.Settings(), m_session.ViewMode(), col, rect, style,
                      palette());
    if (!style.Selected) return;
    DrawThinInputMark(painter, rect, &m_arrow);
}

bool TLoesungForm::GridLoesungKeyDown(int key) {
    switch (key) {
    case Qt::Key_Delete:
        ClearSolutionLetter();
        return true;
    case Qt::Key_Backspace:
        // On the first box Backspace empties that box, like any other non-letter.
        if (m_gridLoesung->Col() > 0) m_gridLoesung->SetCurrent(m_gridLoesung->Col() - 1, 0);
        ClearSolutionLetter();
        return true;
    default:
        return false;
    }
}

void TLoesungForm::GridLoesungKeyPress(char key) {
    const int col = m_gridLoesung->Col();
    if (col >= BoxCount(m_session.Puzzle())) return;
    if (!((key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z'))) {
        // Keys that are no letter empty the box rather than being refused.
        ClearSolutionLetter();
        return;
    }
    // The cursor moves on before the session runs the completion check, so a
    // message finds the strip as the player will see it.
    if (col + 1 < BoxCount(m_session.Puzzle())) m_gridLoesung->SetCurrent(col + 1, 0);
    m_session.SetSolutionLetter(col + 1, key);
}

void TLoesungForm::ClearSolutionLetter() {
    const int col = m_gridLoesung->Col();
    if (col < BoxCount(m_session.Puzzle())) m_session.SetSolutionLetter(col + 1, ' ');
}

void TLoesungForm::SolutionLetterChanged(int slot) {
    m_gridLoesung->InvalidateCell(slot - 1, 0);
}

void TLoesungForm::PrintSolutionWord(QPainter& canvas, const QRect& rect, const TPuzzleData& puzzle,
                                     const TProgramSettings& settings, std::uint8_t viewMode,
                                     bool onPaper, int colorMode) {
    TBoxStyle style;
    style.OnPaper = onPaper;
    style.ColorMode = std::clamp(colorMode, 0, 2);
    style.Framed = true;
    const int s = rect.height();
    canvas.save();
    for (int c = 0; c < BoxCount(puzzle); ++c)
        PaintSolutionCell(canvas, puzzle, settings, viewMode, c,
                          QRect(rect.left() + c * s, rect.top(), s, s), style, QPalette());
    canvas.restore();
}

} // namespace zx
