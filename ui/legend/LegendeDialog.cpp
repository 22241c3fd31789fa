// The legend window: two owner-drawn lists in a splitter below a toolbar.
// Ticks, hiding and word entry go through the play session; the lists
// follow its signals and are rebuilt from the record.
#include "legend/LegendeDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDrag>
#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/DrawGrid.h"
#include "controls/GradientBar.h"
#include "controls/SpeedButton.h"
#include "controls/SvgImage.h"
#include "legend/BegriffDialog.h"
#include "rules/WordQueries.h"
#include "session/Colors.h"
#include "session/FrameLink.h"
#include "session/ModalDialogs.h"
#include "session/PlayCommands.h"
#include "session/PlayerSession.h"
#include "session/TextConv.h"
#include "session/WordDrag.h"

namespace zx {

namespace {
constexpr int ToolbarHeight = 30;
constexpr int RowHeight = 16;
constexpr int LabelHeight = 17;
constexpr int MinPanelHeight = 50;
// Column 3 lies beyond the visible width; it only exists so that rows stay whole.
constexpr int HiddenColWidth = 64;
// The box of column 1 spans this many pixels right of column 0.
constexpr int BoxArea = 16;
constexpr int MinPrintLineHeight = 18;
constexpr int PrintGap = 20;

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// Colours on paper: grey for greyscale, white fills and black ink for lines only.
QColor PaperColor(const QColor& c, int colorMode, bool fill) {
    if (colorMode >= 2) return c;
    if (colorMode == 1) {
        const int g = qGray(c.rgb());
        return QColor(g, g, g);
    }
    return fill ? QColor(Qt::white) : QColor(Qt::black);
}

void FillCell(QPainter& canvas, const TLegendCellPaint& ctx, const QRect& rect, QColor fill,
              QColor ink) {
    if (ctx.OnPaper) {
        fill = PaperColor(fill, ctx.ColorMode, true);
        ink = PaperColor(ink, ctx.ColorMode, false);
    }
    canvas.fillRect(rect, fill);
    canvas.setPen(ink);
}

void DrawBox(QPainter& canvas, const TLegendCellPaint& ctx, const QRect& rect, bool ticked) {
    const QRect box(rect.left(), rect.top() + (rect.height() - ctx.BoxSize) / 2, ctx.BoxSize,
                    ctx.BoxSize);
    if (ctx.OnPaper) {
        canvas.save();
        canvas.setPen(QPen(Qt::black, 1));
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(box.adjusted(0, 0, -1, -1));
        canvas.restore();
        return;
    }
    QStyleOptionButton option;
    option.rect = box;
    option.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
    option.palette = ctx.Palette;
    QStyle* style = ctx.Widget ? ctx.Widget->style() : QApplication::style();
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &canvas, ctx.Widget);
}

// The check box's size on paper, where units are 0.1 mm: it keeps its share of the line.
int PaperBoxSize(int lineHeight) { return std::max(14, lineHeight * 14 / 18); }
// Room for the check box in the number column: none where rows list grid lines.
int BoxRoom(TPuzzleKind kind, int boxSize) { return LinesListed(kind) ? 0 : boxSize + 4; }

// Widths of the four columns on paper: the widest text of each column and a
// gap of 8 units, or a third of the line where that is more, so that numbers
// and clues stay apart at every font height; the number column also holds the
// check box (boxRoom) left of the number.
std::array<int, LegendCols> PrintColWidths(const QFontMetrics& fm, const TLegendRows& rows,
                                           int boxRoom) {
    std::array<int, LegendCols> widths{};
    for (const TLegendRow& r : rows)
        for (int c = 0; c < LegendCols; ++c)
            widths[c] = std::max(widths[c], fm.horizontalAdvance(ToQString(r.Cells[c])));
    const int gap = std::max(8, fm.height() / 3);
    for (int& w : widths)
        w += gap;
    widths[1] += boxRoom;
    return widths;
}

int Sum(const std::array<int, LegendCols>& widths, int upTo) {
    int s = 0;
    for (int c = 0; c < upTo; ++c)
        s += widths[c];
    return s;
}

TLegendCellPaint PaperPaint(const TPuzzleData& puzzle, const TProgramSettings& settings,
                            const QFont& font, bool onPaper, int colorMode, int lineHeight) {
    TLegendCellPaint ctx;
    ctx.Kind = KindOf(puzzle);
    ctx.Palette = QApplication::palette();
    ctx.BlankColor = ToQColor(settings.FarbeLeerfeld1, ctx.Palette);
    ctx.OnPaper = true;
    ctx.ColorMode = onPaper ? colorMode : 2;
    ctx.BoxSize = onPaper ? PaperBoxSize(lineHeight) : 14;
    ctx.Font = font;
    return ctx;
}

// A list's heading: the list font bold and underlined, black on paper
// without colours.
void UseHeadingFont(QPainter& canvas, const TLegendCellPaint& ctx) {
    QFont headingFont = ctx.Font;
    headingFont.setBold(true);
    headingFont.setUnderline(true);
    canvas.setFont(headingFont);
    canvas.setPen(ctx.OnPaper && ctx.ColorMode < 2 ? QColor(Qt::black)
                                                   : ctx.Palette.color(QPalette::WindowText));
}

// Draws one list block: heading, then its rows from column first on.
void PrintBlock(QPainter& canvas, const TLegendCellPaint& ctx, const QPoint& origin,
                const QString& heading, const TLegendRows& rows, int first, int h) {
    UseHeadingFont(canvas, ctx);
    canvas.drawText(QRect(origin.x() + 1, origin.y() + 1, 10000, h), Qt::AlignLeft | Qt::AlignTop,
                    heading);
    const std::array<int, LegendCols> widths = PrintColWidths(QFontMetrics(ctx.Font), rows, BoxRoom(ctx.Kind, ctx.BoxSize));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const int top = origin.y() + (static_cast<int>(r) + 2) * h;
        for (int c = first; c < LegendCols; ++c) {
            const QRect cell(QPoint(origin.x() + Sum(widths, c), top),
                             QPoint(origin.x() + Sum(widths, c + 1) - 1, top + h - 2));
            TLegendForm::PaintLegendCell(canvas, ctx, c, cell, ToQString(rows[r].Cells[c]), false,
                                         false);
        }
    }
}
} // namespace

// ================================================================= creation

TLegendForm::TLegendForm(TFrameLink& frame, QWidget* parent)
    : QWidget(parent), m_frame(frame), m_session(frame.Session()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("LegendForm"));
    setWindowTitle(QStringLiteral("Legende"));
    m_listFont = font();
    m_listFont.setPixelSize(11);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    CreateToolbar();
    layout->addWidget(m_buttons[0]->parentWidget());
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->setHandleWidth(5);
    m_splitter->setChildrenCollapsible(false);
    m_panelTop = CreatePanel(0, Utf8("Waagerecht :"));
    m_panelBottom = CreatePanel(1, Utf8("Senkrecht :"));
    m_splitter->addWidget(m_panelTop);
    m_splitter->addWidget(m_panelBottom);
    m_splitter->handle(1)->setToolTip(Utf8("Diesen Teiler mit der Maus verschieben"));
    m_splitter->handle(1)->setStatusTip(m_splitter->handle(1)->toolTip());
    layout->addWidget(m_splitter, 1);
    m_lists[1]->setToolTip(Utf8("Rechte Maustaste : Hilfe"));
    CreateMenu();

    connect(&m_session, &TPlayerSession::WordDoneChanged, this,
            &TLegendForm::SessionWordDoneChanged);
    connect(&m_session, &TPlayerSession::RecordReplaced, this, &TLegendForm::SessionRecordReplaced);
    connect(&m_session, &TPlayerSession::ViewChanged, this, &TLegendForm::SessionViewChanged);
    connect(&m_session, &TPlayerSession::ModifiersChanged, this, &TLegendForm::UpdateDragCursor);

    resize(296, 419);
    m_splitter->setSizes({181, 419 - ToolbarHeight - 181 - 5});
    // A taller window gives its room to the down list; the across list keeps its height.
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    UpdateDragCursor();
}

TLegendForm::~TLegendForm() = default;

void TLegendForm::CreateToolbar() {
    auto* bar = new TGradientBar(this, ToolbarHeight);
    bar->setObjectName(QStringLiteral("Toolbar"));
    bar->setFixedHeight(ToolbarHeight);
    struct TDef {
        const char* name;
        const char* icon;
        int group;
        const char* hint;
    };
    static const TDef defs[] = {
        {"SBBegrNichtAusblenden", "legend-show", 1, "Bearbeitete Begriffe nicht ausblenden"},
        {"SBBegrAusblenden", "legend-hide", 1, "Bearbeitete Begriffe ausblenden"},
        {"SBBegrNichtMarkieren", "legend-nomark", 2, "Bearbeitete Begriffe nicht markieren"},
        {"SBBegrMarkieren", "legend-mark", 2, "Bearbeitete Begriffe markieren"},
        {"SBEineLegende", "legend-onelist", 3, "Alle Begriffe in einer Legende anzeigen"},
        {"SBZweiLegenden", "legend-twolists", 3,
         "Getrennte Legenden für waagerechte und senkrechte Begriffe"},
        {"SBInputWord", "legend-enterword", 0,
         "Den gesuchten Begriff zum markierten Legendeneintrag eingeben"},
    };
    static const int xs[] = {4, 27, 56, 79, 108, 131, 160};
    for (int i = 0; i < 7; ++i) {
        const TDef& d = defs[i];
        auto* b = new TSpeedButton(
            SvgIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(d.icon))), Utf8(d.hint), bar);
        b->setObjectName(QLatin1String(d.name));
        b->setFixedSize(23, 22);
        b->move(xs[i], 4);
        b->SetGroupIndex(d.group);
        b->SetTag(i);
        m_buttons[i] = b;
    }
    Button(TButton::NichtAusblenden)->SetDown(true);
    Button(TButton::NichtMarkieren)->SetDown(true);
    Button(TButton::EineLegende)->SetDown(true);
    for (TButton b : {TButton::NichtAusblenden, TButton::Ausblenden})
        connect(Button(b), &TSpeedButton::clicked, this, &TLegendForm::SBAusblendenClick);
    for (TButton b : {TButton::NichtMarkieren, TButton::Markieren})
        connect(Button(b), &TSpeedButton::clicked, this, &TLegendForm::SBMarkierenClick);
    for (TButton b : {TButton::EineLegende, TButton::ZweiLegenden})
        connect(Button(b), &TSpeedButton::clicked, this, &TLegendForm::SBLegendenClick);
    connect(Button(TButton::InputWord), &TSpeedButton::clicked, this,
            &TLegendForm::EnterLegendWord);
}

QWidget* TLegendForm::CreatePanel(int tag, const QString& caption) {
    auto* panel = new QWidget(this);
    panel->setObjectName(tag == 0 ? QStringLiteral("PanelTop") : QStringLiteral("PanelBottom"));
    panel->setMinimumHeight(MinPanelHeight);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* label = new QLabel(caption, panel);
    label->setObjectName(tag == 0 ? QStringLiteral("PanelLblWaager")
                                  : QStringLiteral("PanelLblSenkr"));
    label->setFixedHeight(LabelHeight);
    label->setMouseTracking(true);
    label->installEventFilter(this);
    layout->addWidget(label);
    m_labels[tag] = label;

    auto* scroll = new QScrollArea(panel);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scroll->setWidgetResizable(false);
    scroll->viewport()->installEventFilter(this);
    layout->addWidget(scroll, 1);
    m_scrolls[tag] = scroll;

    auto* list = new TDrawGrid;
    list->setObjectName(tag == 0 ? QStringLiteral("LegendeWaager")
                                 : QStringLiteral("LegendeSenkr"));
    list->setFont(m_listFont);
    list->setMouseTracking(true);
    list->SetColCount(LegendCols);
    list->SetRowCount(1);
    list->SetDefaultRowHeight(RowHeight);
    list->SetColWidth(0, 15);
    list->SetColWidth(1, 20);
    list->SetColWidth(2, 300);
    list->SetColWidth(3, HiddenColWidth);
    list->SetGridLineColor(QColor(0xC0, 0xC0, 0xC0));
    list->SetCurrent(2, 0);
    list->SetSelectHandler([this, tag](int c, int r) { return LegendeSelectCell(tag, c, r); });
    list->SetDrawHandler([this, tag](QPainter& p, int c, int r, const QRect& rect, bool) {
        PaintListCell(tag, p, c, r, rect);
    });
    // A screen reader reads a row as number, clue and done state.
    list->setAccessibleName(caption);
    list->SetAccessibleCells(
        [this, tag](int c, int r) {
            const TLegendRows& rows = Rows(tag);
            if (r < 0 || r >= static_cast<int>(rows.size()) || c < 0 || c >= LegendCols) return QString();
            const std::string& text = rows[static_cast<std::size_t>(r)].Cells[c];
            return ToQString(c == 1 ? DoneText(text, false) : text);
        },
        [this, tag](int, int r) {
            const TLegendRows& rows = Rows(tag);
            if (r < 0 || r >= static_cast<int>(rows.size()) || LinesListed(m_session.Kind())) return QString();
            return IsDoneText(rows[static_cast<std::size_t>(r)].Cells[1]) ? QStringLiteral("erledigt")
                                                                          : QStringLiteral("offen");
        });
    connect(list, &TDrawGrid::CurrentCellChanged, this, [this, tag](int c, int r) {
        m_scrolls[tag]->ensureVisible(0, m_lists[tag]->CellRect(c, r).center().y(), 0, RowHeight);
        m_lists[tag]->InvalidateGrid();
    });
    list->installEventFilter(this);
    scroll->setWidget(list);
    m_lists[tag] = list;
    return panel;
}

void TLegendForm::CreateMenu() {
    m_menuLegende = new QMenu(this);
    m_menuLegende->setObjectName(QStringLiteral("MenuLegende"));
    struct TDef {
        const char* name;
        const char* caption;
        const char* hint;
        void (TLegendForm::*handler)();
    };
    static const TDef defs[] = {
        {"MItemLegendeBearbeitet", "Gelöst",
         "Den Legendeneintrag als bearbeitet/unbearbeitet  markieren",
         &TLegendForm::MItemLegendeBearbeitetClick},
        {"MItemLegendeEingeben", "Begriff eingeben",
         "Den gesuchten Begriff zum markierten Legendeneintrag eingeben",
         &TLegendForm::EnterLegendWord},
        {"MItemLegendeUmschreibung", "Umschreibung?",
         "Die Umschreibung des markierten Begriffs anzeigen",
         &TLegendForm::MItemLegendeUmschreibungClick},
        {"MItemLegendeNachschlagen", "Nachschlagen",
         "Den markierten Begriff im Online-Wörterbuch \"Wikipedia\" nachschlagen",
         &TLegendForm::MItemLegendeNachschlagenClick},
        {"MItemLegendeN1", nullptr, nullptr, nullptr},
        {"MItemLegendeAusblenden", "Gelöste Begriffe ausblenden",
         "Als gelöst markierte Begriffe nicht mehr in der Legende anzeigen",
         &TLegendForm::MItemLegendeAusblendenClick},
        {"MItemLegendeMarkieren", "Gelöste Begriffe markieren", "Bearbeitete Begriffe markieren",
         &TLegendForm::MItemLegendeMarkierenClick},
        {"MItemLegendeEineLegende", "Alle Begriffe in einer Legende", "",
         &TLegendForm::MItemLegendeEineLegendeClick},
    };
    for (std::size_t i = 0; i < std::size(defs); ++i) {
        const TDef& d = defs[i];
        QAction* a =
            d.caption ? m_menuLegende->addAction(Utf8(d.caption)) : m_menuLegende->addSeparator();
        a->setObjectName(QLatin1String(d.name));
        if (d.hint) a->setStatusTip(Utf8(d.hint));
        if (d.handler) connect(a, &QAction::triggered, this, d.handler);
        m_menuItems[i] = a;
    }
    for (TMenuItem item : {TMenuItem::Bearbeitet, TMenuItem::Ausblenden, TMenuItem::Markieren,
                           TMenuItem::EineLegende})
        MenuItem(item)->setCheckable(true);
}

// ================================================================= showing

void TLegendForm::ShowLegend() {
    m_syncEnabled = true;
    BuildLegend();
    PlaceButtons();
    SyncLegendButtons();
}

void TLegendForm::BuildLegend() {
    m_content = zx::BuildLegend(m_session.Puzzle(), m_session.Settings());
    const bool two = TwoLists();
    m_panelTop->setVisible(two);
    m_labels[1]->setVisible(two);
    // A single list holds every word: it is named after the whole legend.
    m_lists[1]->setAccessibleName(two ? m_labels[1]->text() : Utf8("Legende"));
    FillLists();
}

// The row counts and column widths follow the content; the current rows stay
// where they can.
void TLegendForm::FillLists() {
    for (int tag = 0; tag < 2; ++tag) {
        TDrawGrid* list = m_lists[tag];
        const int rows = static_cast<int>(Rows(tag).size());
        const int row = std::clamp(list->Row(), 0, rows - 1);
        if (list->RowCount() != rows) list->SetRowCount(rows);
        list->SetCurrent(2, row);
        LayoutList(tag);
        list->InvalidateGrid();
    }
}

// Columns 0 and 1 by the kind, column 2 the rest of the client width; the
// list is as high as its rows so that the scroll area scrolls it.
void TLegendForm::LayoutList(int tag) {
    TDrawGrid* list = m_lists[tag];
    const TPuzzleKind kind = m_session.Kind();
    const int client = m_scrolls[tag]->viewport()->width();
    const int w0 = LegendColWidth(kind, 0);
    const int w1 = LegendColWidth(kind, 1);
    list->SetColWidth(0, w0);
    list->SetColWidth(1, w1);
    list->SetColWidth(2, std::max(client - w0 - w1 - 2 * list->GridLineWidth(), 1));
    list->SetColWidth(3, HiddenColWidth);
    list->resize(client, std::max(list->ContentHeight(), m_scrolls[tag]->viewport()->height()));
}

void TLegendForm::PlaceButtons() {
    const TPuzzleKind kind = m_session.Kind();
    const bool lines = LinesListed(kind);
    Button(TButton::NichtAusblenden)->setVisible(!lines);
    Button(TButton::Ausblenden)->setVisible(!lines);
    const bool switchable = IsFillIn(kind) || IsBrainTeaser(kind) || IsJigsaw(kind);
    Button(TButton::EineLegende)->setVisible(switchable);
    Button(TButton::ZweiLegenden)->setVisible(switchable);
    const TSpeedButton* two = Button(TButton::ZweiLegenden);
    Button(TButton::InputWord)->move(switchable ? two->x() + two->width() + 6 : 108, 4);
}

void TLegendForm::SyncLegendButtons() {
    const TProgramSettings& s = m_session.Settings();
    Button(s.BegriffeAusblenden ? TButton::Ausblenden : TButton::NichtAusblenden)->SetDown(true);
    Button(s.AutomatischMarkieren ? TButton::Markieren : TButton::NichtMarkieren)->SetDown(true);
    Button(TButton::Markieren)->setEnabled(!s.BegriffeAusblenden);
    Button(TButton::NichtMarkieren)->setEnabled(!s.BegriffeAusblenden);
    Button(s.EinfacheLegende ? TButton::EineLegende : TButton::ZweiLegenden)->SetDown(true);
    Button(TButton::InputWord)
        ->setVisible(m_session.ViewMode() == 0 && IsSwedish(m_session.Kind()));
}

void TLegendForm::UpdateDragCursor() {
    m_dragCursor = DragCursorFor(m_session.DragVertical(), m_session.DragReversed());
    // A running drag shows the new cursor at its next move.
    if (m_drag) {
        const QPixmap cursor = m_frame.DragCursor(m_dragCursor).pixmap();
        m_drag->setDragCursor(cursor, Qt::CopyAction);
        m_drag->setDragCursor(cursor, Qt::MoveAction);
    }
}

void TLegendForm::closeEvent(QCloseEvent* event) {
    Q_EMIT Closing();
    event->accept();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        QMetaObject::invokeMethod(sub, &QMdiSubWindow::close, Qt::QueuedConnection);
}

// ================================================================= operations

void TLegendForm::SetRowText(int tag, int row, int col, const std::string& text) {
    TLegendRows& rows = Rows(tag);
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    rows[static_cast<std::size_t>(row)].Cells[static_cast<std::size_t>(col)] = text;
    m_lists[tag]->InvalidateGrid();
}

bool TLegendForm::SelectLegendRow(int number, TWordDir direction) {
    const int tag = direction == TWordDir::Across ? 0 : 1;
    const TLegendRows& rows = Rows(tag);
    // A cursor moving within a word leaves the legend as it is.
    if (const int current = m_lists[tag]->Row();
        m_activeTag == tag && current >= 0 && current < static_cast<int>(rows.size()) &&
        RowNumber(rows[static_cast<std::size_t>(current)].Cells[1]) == number)
        return true;
    m_syncEnabled = false;
    int found = -1;
    for (std::size_t r = 0; r < rows.size() && found < 0; ++r)
        if (RowNumber(rows[r].Cells[1]) == number) found = static_cast<int>(r);
    if (found >= 0) {
        m_lists[tag]->SelectCell(2, found);
        m_activeTag = tag;
        // The list takes the keyboard only from within the legend: a cursor
        // moving through the grid must not take the keys away from the grid.
        if (QWidget* focus = QApplication::focusWidget(); focus && isAncestorOf(focus))
            m_lists[tag]->setFocus();
        m_lists[0]->InvalidateGrid();
        m_lists[1]->InvalidateGrid();
    }
    m_syncEnabled = true;
    return found >= 0;
}

void TLegendForm::ToggleRowDone(bool acrossList, int row, bool done) {
    m_session.SaveUndoCopy();
    const int tag = acrossList ? 0 : 1;
    const TLegendRows& rows = Rows(tag);
    if (row >= 0 && row < static_cast<int>(rows.size())) {
        const int word = rows[static_cast<std::size_t>(row)].WordIndex;
        if (word >= 0 && word < m_session.Puzzle().wordCount()) {
            // The session records the tick; the row follows its signal.
            m_session.SetWordDone(word, DirOf(m_session.Puzzle().Words[word]), done);
        } else {
            SetRowText(tag, row, 1, DoneText(rows[static_cast<std::size_t>(row)].Cells[1], done));
        }
    } else if (row < 0 && m_session.Settings().BegriffeAusblenden && !done) {
        BuildLegend();
    }
}

int TLegendForm::FindLegendRow(int number, TWordDir direction, int length) const {
    return zx::FindLegendRow(m_session.Puzzle(), m_content, number, direction, length);
}

TLegendEntry TLegendForm::ReadLegendRow(int row, TWordDir direction) const {
    return zx::ReadLegendRow(m_session.Puzzle(), Rows(ListTagFor(direction)), row);
}

TLegendEntry TLegendForm::ReadSelectedLegendRow(TWordDir direction) const {
    return ReadLegendRow(m_lists[ListTagFor(direction)]->Row(), direction);
}

// ================================================================= session

void TLegendForm::SessionWordDoneChanged(int wordIndex, TWordDir direction, bool done) {
    if (wordIndex < 0) return;
    const int tag = ListTagFor(direction);
    TLegendRows& rows = Rows(tag);
    const int row = FindRowOfWord(rows, wordIndex);
    if (row >= 0)
        SetRowText(tag, row, 1, DoneText(rows[static_cast<std::size_t>(row)].Cells[1], done));
    if (!m_session.Settings().BegriffeAusblenden) return;
    if (done && row >= 0 && !m_keepTickedRows) {
        DeleteLegendRow(rows, row);
        FillLists();
        FollowGridWord(tag);
    } else if (!done && row < 0) {
        // The hidden word is listed again in its sorted place.
        BuildLegend();
    }
}

void TLegendForm::FollowGridWord(int tag) {
    // The row that slid into the hidden row's place names another word: the
    // selection goes back to the word under the grid cursor, where listed.
    const TPuzzleData& p = m_session.Puzzle();
    const QPoint cursor = m_session.Cursor();
    if (!InsideGrid(p, cursor.x(), cursor.y())) return;
    const TWordDir input = WordDirOf(m_session.InputDirection());
    const TWordDir crossing = input == TWordDir::Across ? TWordDir::Down : TWordDir::Across;
    for (const TWordDir dir : {input, crossing}) {
        if (ListTagFor(dir) != tag) continue;
        const TGridWordData w = GetWordData(p, cursor.x(), cursor.y(), false, false, dir);
        const int row = w.Index >= 0 ? FindRowOfWord(Rows(tag), w.Index) : -1;
        if (row < 0) continue;
        m_lists[tag]->SetCurrent(2, row);
        m_lists[tag]->InvalidateGrid();
        return;
    }
}

void TLegendForm::SessionRecordReplaced() {
    BuildLegend();
}

void TLegendForm::SessionViewChanged() {
    SyncLegendButtons();
    m_lists[0]->InvalidateGrid();
    m_lists[1]->InvalidateGrid();
}

// ================================================================= painting

void TLegendForm::PaintListCell(int tag, QPainter& painter, int col, int row, const QRect& rect) {
    const TLegendRows& rows = Rows(tag);
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    TLegendCellPaint ctx;
    ctx.Kind = m_session.Kind();
    ctx.Palette = palette();
    ctx.BlankColor = ToQColor(m_session.Settings().FarbeLeerfeld1, ctx.Palette);
    ctx.Font = m_listFont;
    ctx.Widget = m_lists[tag];
    const bool selected = row == m_lists[tag]->Row();
    PaintLegendCell(painter, ctx, col, rect,
                    ToQString(rows[static_cast<std::size_t>(row)].Cells[col]), m_activeTag == tag,
                    selected);
}

void TLegendForm::PaintLegendCell(QPainter& canvas, const TLegendCellPaint& ctx, int col,
                                  const QRect& cellRect, const QString& text, bool listActive,
                                  bool rowSelected) {
    const QPalette& pal = ctx.Palette;
    QRect rect = cellRect;
    QFont font = ctx.Font;
    font.setBold(col == 0);
    canvas.setFont(font);
    if (col == 0)
        FillCell(canvas, ctx, rect, pal.color(QPalette::Button), pal.color(QPalette::ButtonText));
    else
        FillCell(canvas, ctx, rect, pal.color(QPalette::Base), pal.color(QPalette::Text));
    const bool lines = LinesListed(ctx.Kind);
    const std::string bytes = FromQString(text);
    if (col == 1 || (col == 0 && lines)) {
        if (col == 1 && !lines) DrawBox(canvas, ctx, rect, IsDoneText(bytes));
        if (col == 1 && IsAmerican(ctx.Kind))
            FillCell(canvas, ctx, rect, ctx.BlankColor, Qt::white);
        rect.adjust(2, 0, -2, 0);
        if (!IsFillIn(ctx.Kind) && !IsJigsaw(ctx.Kind))
            canvas.drawText(rect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                            ToQString(DoneText(bytes, false)));
    } else if (col == 2) {
        if (rowSelected) {
            const bool active = listActive;
            FillCell(canvas, ctx, rect,
                     pal.color(active ? QPalette::Active : QPalette::Inactive, QPalette::Highlight),
                     pal.color(active ? QPalette::Active : QPalette::Inactive,
                               QPalette::HighlightedText));
            // An inactive selection stays visible, in a grey of its own.
            if (!active) FillCell(canvas, ctx, rect, QColor(0xBF, 0xCD, 0xDB), Qt::black);
        }
        rect.adjust(2, 0, -2, 0);
        canvas.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}

// ================================================================= printing

QSize TLegendForm::LegendPrintSize(QPainter& canvas, const TPuzzleData& puzzle,
                                   const TProgramSettings& settings, bool stacked) {
    const TLegendContent content = zx::BuildLegend(puzzle, settings);
    const QFontMetrics fm(canvas.font());
    const int h = std::max(fm.height(), MinPrintLineHeight);
    const int boxRoom = BoxRoom(KindOf(puzzle), PaperBoxSize(fm.height()));
    auto width = [&](const TLegendRows& rows) { return Sum(PrintColWidths(fm, rows, boxRoom), LegendCols); };
    auto height = [&](const TLegendRows& rows) { return (static_cast<int>(rows.size()) + 2) * h; };
    const int wa = width(content.Across), wd = width(content.Down);
    const int ha = height(content.Across), hd = height(content.Down);
    if (!content.TwoLists) return QSize(wd, hd);
    if (stacked) return QSize(std::max(wa, wd), ha + hd + PrintGap);
    return QSize(wa + wd + PrintGap, std::max(ha, hd));
}

void TLegendForm::PrintLegend(QPainter& canvas, const QRect& rect, const TPuzzleData& puzzle,
                              const TProgramSettings& settings, bool stacked, bool onPaper,
                              int colorMode) {
    const TLegendContent content = zx::BuildLegend(puzzle, settings);
    const QFont font = canvas.font();
    const QFontMetrics fm(font);
    const int h = fm.height();
    const TLegendCellPaint ctx = PaperPaint(puzzle, settings, font, onPaper, colorMode, h);
    const int first = LinesListed(ctx.Kind) ? 0 : 1;
    canvas.save();
    canvas.fillRect(rect, Qt::white);
    QPoint offset(0, 0);
    if (content.TwoLists) {
        PrintBlock(canvas, ctx, rect.topLeft(), Utf8("Waagerecht:"), content.Across, first, h);
        offset = stacked
                     ? QPoint(0, (static_cast<int>(content.Across.size()) + 2) * h + 2 + PrintGap)
                     : QPoint(Sum(PrintColWidths(fm, content.Across, BoxRoom(ctx.Kind, ctx.BoxSize)),
                                  LegendCols) + PrintGap, 0);
    }
    PrintBlock(canvas, ctx, rect.topLeft() + offset,
               content.TwoLists ? Utf8("Senkrecht:") : Utf8("Legende:"), content.Down, first, h);
    canvas.restore();
}

namespace {

// The widths of the four cells over both lists, so that all columns of a
// flow line up alike.
std::array<int, LegendCols> FlowWidths(const QFontMetrics& fm, const TLegendContent& content,
                                       int boxRoom) {
    std::array<int, LegendCols> widths = PrintColWidths(fm, content.Down, boxRoom);
    if (content.TwoLists) {
        const std::array<int, LegendCols> across = PrintColWidths(fm, content.Across, boxRoom);
        for (int c = 0; c < LegendCols; ++c)
            widths[c] = std::max(widths[c], across[c]);
    }
    return widths;
}

// A clue broken into lines of at most width, between words where it can,
// inside a word longer than the line.
QStringList WrapText(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max(width, 1));
        lines << text.mid(line.textStart(), line.textLength()).trimmed();
    }
    layout.endLayout();
    if (lines.isEmpty()) lines << QString();
    return lines;
}

} // namespace

int TLegendForm::LegendPrintColumnWidth(QPainter& canvas, const TPuzzleData& puzzle,
                                        const TProgramSettings& settings) {
    const QFontMetrics fm(canvas.font());
    const TLegendContent content = zx::BuildLegend(puzzle, settings);
    const int boxRoom = BoxRoom(KindOf(puzzle), PaperBoxSize(fm.height()));
    const int first = LinesListed(KindOf(puzzle)) ? 0 : 1;
    const std::array<int, LegendCols> widths = FlowWidths(fm, content, boxRoom);
    return Sum(widths, LegendCols) - Sum(widths, first);
}

TLegendForm::TPrintFlow TLegendForm::LegendPrintFlow(QPainter& canvas, const TPuzzleData& puzzle,
                                                     const TProgramSettings& settings,
                                                     int columnWidth) {
    TPrintFlow flow;
    flow.Content = zx::BuildLegend(puzzle, settings);
    const QFont font = canvas.font();
    const QFontMetrics fm(font);
    const TPuzzleKind kind = KindOf(puzzle);
    const int h = fm.height();
    flow.LineHeight = h;
    flow.Widths = FlowWidths(fm, flow.Content, BoxRoom(kind, PaperBoxSize(h)));
    const int first = LinesListed(kind) ? 0 : 1;
    // The clue cell takes what the column leaves; its text keeps 2 units to
    // either side, as a cell draws it, and 2 more against rounding.
    int others = 0;
    for (int c = first; c < LegendCols; ++c)
        if (c != 2) others += flow.Widths[c];
    flow.Widths[2] = std::max(columnWidth - others, 4 * h);
    const int textWidth = flow.Widths[2] - 6;
    for (int list = flow.Content.TwoLists ? 0 : 1; list < 2; ++list) {
        // The second list's heading keeps the gap that parts the lists.
        flow.Pieces.push_back(
            {list, -1, {}, 2 * h + (list == 1 && flow.Content.TwoLists ? PrintGap : 0)});
        const TLegendRows& rows = flow.Content.List(list == 0);
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const QString clue = ToQString(rows[r].Cells[2]);
            QStringList lines = fm.horizontalAdvance(clue) <= textWidth
                                    ? QStringList{clue}
                                    : WrapText(clue, font, textWidth);
            const int height = static_cast<int>(lines.size()) * h;
            flow.Pieces.push_back({list, static_cast<int>(r), std::move(lines), height});
        }
    }
    return flow;
}

void TLegendForm::PrintLegendColumn(QPainter& canvas, const QPoint& topLeft, const TPrintFlow& flow,
                                    int from, int to, const TPuzzleData& puzzle,
                                    const TProgramSettings& settings, bool onPaper, int colorMode) {
    const int h = flow.LineHeight;
    const TLegendCellPaint ctx = PaperPaint(puzzle, settings, canvas.font(), onPaper, colorMode, h);
    const int first = LinesListed(ctx.Kind) ? 0 : 1;
    const int skip = Sum(flow.Widths, first);
    auto left = [&](int c) { return topLeft.x() + Sum(flow.Widths, c) - skip; };
    canvas.save();
    auto heading = [&](const TPrintFlow::TPiece& piece, int top, bool continued) {
        UseHeadingFont(canvas, ctx);
        QString text = !flow.Content.TwoLists ? Utf8("Legende")
                       : piece.List == 0      ? Utf8("Waagerecht")
                                              : Utf8("Senkrecht");
        text += continued ? Utf8(" (Fortsetzung):") : Utf8(":");
        canvas.drawText(QRect(topLeft.x() + 1, top + 1, 10000, h), Qt::AlignLeft | Qt::AlignTop,
                        text);
    };
    int y = topLeft.y();
    from = std::max(from, 0);
    to = std::min(to, static_cast<int>(flow.Pieces.size()));
    if (from < to && flow.Pieces[static_cast<std::size_t>(from)].Row >= 0) {
        heading(flow.Pieces[static_cast<std::size_t>(from)], y, true);
        y += 2 * h;
    }
    for (int i = from; i < to; ++i) {
        const TPrintFlow::TPiece& piece = flow.Pieces[static_cast<std::size_t>(i)];
        if (piece.Row < 0) {
            heading(piece, y + piece.Height - 2 * h, false);
        } else {
            const TLegendRow& row =
                flow.Content.List(piece.List == 0)[static_cast<std::size_t>(piece.Row)];
            for (int line = 0; line < piece.Lines.size(); ++line) {
                const int top = y + line * h;
                for (int c = first; c < LegendCols; ++c) {
                    const QRect cell(QPoint(left(c), top), QPoint(left(c + 1) - 1, top + h - 2));
                    if (c == 2)
                        PaintLegendCell(canvas, ctx, c, cell, piece.Lines[line], false, false);
                    else if (line == 0)
                        PaintLegendCell(canvas, ctx, c, cell, ToQString(row.Cells[c]), false,
                                        false);
                    else // the number and the box stand on the clue's first line only
                        FillCell(canvas, ctx, cell.adjusted(0, -1, 0, 0),
                                 ctx.Palette.color(c == 0 ? QPalette::Button : QPalette::Base),
                                 Qt::black);
                }
            }
        }
        y += piece.Height;
    }
    canvas.restore();
}

// ================================================================= input

int TLegendForm::TagOf(const QObject* object) const {
    for (int tag = 0; tag < 2; ++tag)
        if (object == m_lists[tag] || (m_scrolls[tag] && object == m_scrolls[tag]->viewport()))
            return tag;
    return -1;
}

bool TLegendForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_labels[0] || watched == m_labels[1]) {
        if (event->type() == QEvent::MouseMove) m_lastHoverCol = -1;
        return false;
    }
    const int tag = TagOf(watched);
    if (tag < 0) return QWidget::eventFilter(watched, event);
    if (watched == m_scrolls[tag]->viewport()) {
        if (event->type() == QEvent::Resize) LayoutList(tag);
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        LegendeMouseDown(tag, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonDblClick:
        // The second press of a double click counts as a press of its own.
        if (LegendeMouseDown(tag, static_cast<QMouseEvent*>(event)) == TPress::OnRow &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            EnterLegendWord();
        return true;
    case QEvent::MouseMove:
        LegendeMouseMove(tag, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::MouseButtonRelease:
        LegendeMouseUp(tag, static_cast<QMouseEvent*>(event));
        return true;
    case QEvent::KeyRelease:
        LegendeKeyUp(tag);
        return false;
    case QEvent::FocusIn:
        m_activeTag = tag;
        m_lists[1 - tag]->InvalidateGrid();
        return false;
    case QEvent::ContextMenu:
        MenuLegendePopup();
        m_menuLegende->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    default:
        return false;
    }
}

bool TLegendForm::LegendeSelectCell(int tag, int col, int) {
    // Whole rows are selected: the current cell always lies in column 2.
    if (col != 2) return false;
    m_lastRow = m_lists[tag]->Row();
    return true;
}

TLegendForm::TPress TLegendForm::LegendeMouseDown(int tag, QMouseEvent* event) {
    const bool left = event->button() == Qt::LeftButton;
    if (!left && event->button() != Qt::RightButton) return TPress::Elsewhere;
    TDrawGrid* list = m_lists[tag];
    const QPoint pos = event->position().toPoint();
    const QPoint cell = list->CellAt(pos);
    const int col = cell.x();
    const int row = cell.y();
    const TLegendRows& rows = Rows(tag);
    if (row < 0 || row >= static_cast<int>(rows.size())) return TPress::Elsewhere;
    const TPuzzleKind kind = m_session.Kind();
    // The empty row of a list whose words are all hidden stands for no word.
    if (rows[static_cast<std::size_t>(row)].WordIndex < 0 && !LinesListed(kind))
        return TPress::Elsewhere;
    list->setFocus(Qt::MouseFocusReason);
    m_activeTag = tag;
    const bool across = tag == 0;
    if (m_syncEnabled && IsSwedish(kind))
        Q_EMIT WordChosen(RowNumber(rows[static_cast<std::size_t>(row)].Cells[1]),
                          across ? TWordDir::Across : TWordDir::Down);
    // A right click chooses the row its popup menu acts on.
    list->SelectCell(2, row);
    if (!left) return TPress::OnRow;
    if (IsBrainTeaser(kind)) {
        m_session.SetDragFlags(TwoLists() ? !across : (event->modifiers() & Qt::ShiftModifier) != 0,
                               m_session.Puzzle().ReverseAllowed != 0 &&
                                   (event->modifiers() & Qt::ControlModifier));
        UpdateDragCursor();
        m_dragTag = tag;
        m_dragStart = pos;
    }
    if (IsSwedish(kind) && col == 0) SetRowText(tag, row, 0, "<");
    if (!LinesListed(kind) && col == 1 && pos.x() < list->ColWidth(0) + BoxArea) {
        ToggleRowDone(across, row, !IsDoneText(Rows(tag)[static_cast<std::size_t>(row)].Cells[1]));
        return TPress::OnBox;
    }
    return TPress::OnRow;
}

void TLegendForm::LegendeMouseMove(int tag, QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_dragTag == tag && (event->buttons() & Qt::LeftButton) &&
        (pos - m_dragStart).manhattanLength() >= QApplication::startDragDistance()) {
        m_dragTag = -1;
        StartWordDrag(tag);
        return;
    }
    LegendeHover(tag, pos);
}

void TLegendForm::LegendeMouseUp(int tag, QMouseEvent* event) {
    m_dragTag = -1;
    if (event->button() != Qt::LeftButton || !IsSwedish(m_session.Kind())) return;
    const QPoint cell = m_lists[tag]->CellAt(event->position().toPoint());
    if (cell.x() != 0 || cell.y() < 0) return;
    SetRowText(tag, cell.y(), 0, ">");
    EnterLegendWord();
}

void TLegendForm::LegendeKeyUp(int tag) {
    if (!m_syncEnabled || !IsSwedish(m_session.Kind())) return;
    const int row = m_lists[tag]->Row();
    if (row == m_lastRow || row < 0 || row >= static_cast<int>(Rows(tag).size())) return;
    if (Rows(tag)[static_cast<std::size_t>(row)].WordIndex < 0) return;
    Q_EMIT WordChosen(RowNumber(Rows(tag)[static_cast<std::size_t>(row)].Cells[1]),
                      tag == 0 ? TWordDir::Across : TWordDir::Down);
}

void TLegendForm::StartWordDrag(int tag) {
    const TLegendRows& rows = Rows(tag);
    const int row = m_lists[tag]->Row();
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    const TLegendRow& r = rows[static_cast<std::size_t>(row)];
    if (r.WordIndex < 0) return;
    TDraggedWord word{r.Cells[2], r.WordIndex, tag == 0 ? TLegendList::Across : TLegendList::Down,
                      TwoLists()};
    auto* drag = new QDrag(m_lists[tag]);
    m_drag = drag;
    drag->setMimeData(MakeWordDrag(word));
    UpdateDragCursor();
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
    m_drag = nullptr;
}

// ================================================================= hover hints

void TLegendForm::LegendeHover(int tag, const QPoint& pos) {
    const QPoint cell = m_lists[tag]->CellAt(pos);
    const int col = cell.x();
    const int row = cell.y();
    // The cell is remembered with its list: the same cell of the other list
    // needs a hint of its own.
    if (col == m_lastHoverCol && row == m_lastHoverRow && tag == m_lastHoverTag) return;
    const QString hint = HoverText(tag, col, row);
    TDrawGrid* list = m_lists[tag];
    QToolTip::hideText();
    m_frame.CloseHint();
    list->setToolTip(hint);
    list->setStatusTip(hint);
    QStatusTipEvent tip(hint);
    QApplication::sendEvent(list, &tip);
    m_lastHoverCol = col;
    m_lastHoverRow = row;
    m_lastHoverTag = tag;
}

QString TLegendForm::HoverText(int tag, int col, int row) const {
    const TPuzzleKind kind = m_session.Kind();
    const TPuzzleData& p = m_session.Puzzle();
    const bool across = tag == 0;
    const TLegendRows& rows = Rows(tag);
    const TLegendRow* r = row >= 0 && row < static_cast<int>(rows.size())
                              ? &rows[static_cast<std::size_t>(row)]
                              : nullptr;
    const TPuzzleWord* w =
        r && r->WordIndex >= 0 && r->WordIndex < p.wordCount() ? &p.Words[r->WordIndex] : nullptr;
    const bool listsWords = IsBrainTeaser(kind) || IsJigsaw(kind);
    const QString place = across ? Utf8("Rätselzeile") : Utf8("Rätselspalte");
    QString h;
    if (TwoLists()) {
        const QString dir = across ? QStringLiteral("waagerecht") : QStringLiteral("senkrecht");
        if (Code(kind) <= 5) {
            h = Utf8("Umschreibungen für ") + dir + Utf8("e Begriffe im Rätsel");
        } else if (LinesListed(kind) && r) {
            const std::string& t = r->Cells[2];
            h = t.empty() ? Utf8("Kein Begriff in dieser ") + place
                          : QString::number(std::count(t.begin(), t.end(), '|') + 1) +
                                Utf8(" Begriff(e) in dieser ") + place;
        } else if (listsWords) {
            // A word without a clue has nothing to tell.
            h = w ? (w->Clue.empty() ? QString() : dir + QStringLiteral(": ") + ToQString(w->Clue.view()))
                  : Utf8("Die ") + dir +
                        (IsJigsaw(kind) ? Utf8(" im Rätsel versteckten Begriffe")
                                        : Utf8(" ins Rätsel einzufügenden Begriffe"));
        }
    } else if (listsWords) {
        h = w ? ToQString(w->Clue.view())
              : (IsJigsaw(kind) ? Utf8("Die im Rätsel versteckten Begriffe")
                                : Utf8("Die ins Rätsel einzufügenden Begriffe"));
    } else {
        h = Utf8("Umschreibungen aller Begriffe im Rätsel");
    }
    if (col == 0) {
        if (IsSwedish(kind)) h = Utf8("Anklicken, um den gesuchten Begriff einzugeben");
        if (LinesListed(kind))
            h = across ? Utf8("Nummer der Zeile für die umschriebenen Begriffe")
                       : Utf8("Nummer der Spalte für die umschriebenen Begriffe");
    } else if (col == 1) {
        h = IsSwedish(kind)       ? Utf8("Die Nummer des gesuchten Begriffs / ")
            : IsBrainTeaser(kind) ? Utf8("Die Länge des gesuchten Begriffs / ")
                                  : QString();
        if (LinesListed(kind))
            h += across ? Utf8("Die Anzahl der Leerfelder in dieser Zeile")
                        : Utf8("Die Anzahl der Leerfelder in dieser Spalte");
        else
            h += Utf8("Den Begriff als gelöst oder ungelöst markieren");
    }
    return h;
}

// ================================================================= word entry

void TLegendForm::EnterLegendWord() {
    if (!IsSwedish(m_session.Kind())) return;
    const int tag = m_activeTag == 0 ? 0 : 1;
    const TLegendRows& rows = Rows(tag);
    const int row = m_lists[tag]->Row();
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    const TLegendRow& r = rows[static_cast<std::size_t>(row)];
    const int number = RowNumber(r.Cells[1]);
    const int word = r.WordIndex;
    if (word < 0) return;
    const TWordDir dir = tag == 0 ? TWordDir::Across : TWordDir::Down;
    const TInputDir input = tag == 0 ? TInputDir::Across : TInputDir::Down;
    const TPuzzleData& p = m_session.Puzzle();
    int c = -1;
    int rw = -1;
    const bool found = FindCellByNumber(p, number, c, rw);

    TWordEditDlg dialog(m_session.Settings(), this);
    dialog.setWindowTitle(Utf8("Gesuchten Begriff eingeben"));
    dialog.SetQuestion(ToQString(r.Cells[2]) + QStringLiteral(" :"));
    // The grid cursor has moved to this word when the row was chosen; its
    // start cell gives the same pattern without depending on the grid window.
    dialog.SetWordText(found ? CurrentWordText(p, c, rw, input, true) : std::string());
    if (m_frame.Dialogs().Exec(dialog) != QDialog::Accepted) return;

    const std::string typed = NormalizeWord(dialog.WordText());
    if (!found) {
        m_session.SaveUndoCopy();
        m_session.CheckCompletion();
        return;
    }
    // Whether a letter differs from the solution, over the cells the word reaches.
    bool wrong = false;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const int tc = dir == TWordDir::Across ? c + static_cast<int>(i) : c;
        const int tr = dir == TWordDir::Across ? rw : rw + static_cast<int>(i);
        if (IsBlock(p, tc, tr)) break;
        if (p.cell(tc, tr).Text.view() != std::string_view(&typed[i], 1)) wrong = true;
    }
    // The ticked row stays listed until the next rebuild, so that the player
    // sees the tick of the word just typed.
    m_keepTickedRows = true;
    m_session.EnterWord(c, rw, input, typed);
    const bool tick =
        word >= 0 && word < p.wordCount() && (!wrong || !m_session.Settings().FehlerZeigen);
    if (tick && !p.Words[word].Done) m_session.SetWordDone(word, dir, true);
    m_keepTickedRows = false;
}

// ================================================================= menu and toolbar

int TLegendForm::SelectedWord() const {
    if (m_activeTag < 0) return NoWord;
    const TLegendRows& rows = Rows(m_activeTag);
    const int row = m_lists[m_activeTag]->Row();
    if (row < 0 || row >= static_cast<int>(rows.size())) return NoWord;
    const int word = rows[static_cast<std::size_t>(row)].WordIndex;
    return word < m_session.Puzzle().wordCount() ? word : NoWord;
}

void TLegendForm::MenuLegendePopup() {
    const TPuzzleKind kind = m_session.Kind();
    const bool play = m_session.ViewMode() == 0;
    const bool listsWords = IsBrainTeaser(kind) || IsJigsaw(kind);
    MenuItem(TMenuItem::Bearbeitet)->setVisible(!LinesListed(kind) && play);
    bool ticked = false;
    if (m_activeTag >= 0) {
        const TLegendRows& rows = Rows(m_activeTag);
        const int row = m_lists[m_activeTag]->Row();
        ticked = row >= 0 && row < static_cast<int>(rows.size()) &&
                 IsDoneText(rows[static_cast<std::size_t>(row)].Cells[1]);
    }
    MenuItem(TMenuItem::Bearbeitet)->setChecked(ticked);
    MenuItem(TMenuItem::Eingeben)->setVisible(IsSwedish(kind) && play);
    MenuItem(TMenuItem::Umschreibung)->setVisible(listsWords && play);
    MenuItem(TMenuItem::Nachschlagen)->setVisible(listsWords && play);
    MenuItem(TMenuItem::Separator)
        ->setVisible(MenuItem(TMenuItem::Bearbeitet)->isVisible() ||
                     MenuItem(TMenuItem::Eingeben)->isVisible());
    const TSpeedButton* hide = Button(TButton::Ausblenden);
    MenuItem(TMenuItem::Ausblenden)->setVisible(!hide->isHidden());
    MenuItem(TMenuItem::Ausblenden)->setChecked(hide->Down());
    const TSpeedButton* mark = Button(TButton::Markieren);
    MenuItem(TMenuItem::Markieren)->setVisible(!mark->isHidden());
    MenuItem(TMenuItem::Markieren)->setEnabled(mark->isEnabled());
    MenuItem(TMenuItem::Markieren)->setChecked(m_session.Settings().AutomatischMarkieren);
    const TSpeedButton* one = Button(TButton::EineLegende);
    MenuItem(TMenuItem::EineLegende)->setVisible(!one->isHidden());
    MenuItem(TMenuItem::EineLegende)->setChecked(one->Down());
}

void TLegendForm::MItemLegendeBearbeitetClick() {
    if (m_activeTag < 0) return;
    const int row = m_lists[m_activeTag]->Row();
    const TLegendRows& rows = Rows(m_activeTag);
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    ToggleRowDone(m_activeTag == 0, row, !IsDoneText(rows[static_cast<std::size_t>(row)].Cells[1]));
}

void TLegendForm::MItemLegendeUmschreibungClick() {
    const int word = SelectedWord();
    if (word < 0) return;
    const TPuzzleWord& w = m_session.Puzzle().Words[word];
    if (w.Clue.empty()) return;
    m_frame.Dialogs().ShowNote(this, ToQString(w.Answer.view()), ToQString(w.Clue.view()));
}

void TLegendForm::MItemLegendeNachschlagenClick() {
    const int word = SelectedWord();
    if (word < 0) return;
    const std::string title = TitleCase(m_session.Puzzle().Words[word].Answer.view());
    m_frame.Dialogs().OpenAddress(QUrl(LookUpAddress(ToQString(title)), QUrl::StrictMode));
}

void TLegendForm::MItemLegendeAusblendenClick() {
    m_session.SetHideDoneWords(!m_session.Settings().BegriffeAusblenden);
    BuildLegend();
    SyncLegendButtons();
}

void TLegendForm::MItemLegendeMarkierenClick() {
    m_session.SetAutoMark(!m_session.Settings().AutomatischMarkieren);
    SyncLegendButtons();
}

void TLegendForm::MItemLegendeEineLegendeClick() {
    m_session.SetSingleList(!m_session.Settings().EinfacheLegende);
    BuildLegend();
    SyncLegendButtons();
}

void TLegendForm::SBAusblendenClick() {
    const bool hide = Button(TButton::Ausblenden)->Down();
    m_session.SetHideDoneWords(hide);
    Button(TButton::Markieren)->setEnabled(!hide);
    Button(TButton::NichtMarkieren)->setEnabled(!hide);
    BuildLegend();
}

void TLegendForm::SBMarkierenClick() {
    m_session.SetAutoMark(Button(TButton::Markieren)->Down());
}

void TLegendForm::SBLegendenClick() {
    m_session.SetSingleList(Button(TButton::EineLegende)->Down());
    BuildLegend();
    m_lastHoverCol = -1;
}

} // namespace zx
