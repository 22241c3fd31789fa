// Frame window of the player.
#include "shell/Hauptformular.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/GradientBar.h"
#include "controls/SpeedButton.h"
#include "controls/SvgImage.h"
#include "grid/RaetselFormular.h"
#include "legend/BegriffDialog.h"
#include "legend/LegendeDialog.h"
#include "legend/LoesungDialog.h"
#include "legend/ZahlenDialog.h"
#include "session/Colors.h"
#include "session/DragCursors.h"
#include "session/PlayCommands.h"
#include "session/TextConv.h"
#include "shell/AppTitle.h"
#include "shell/DruckDialog.h"
#include "shell/DruckMessageDialog.h"
#include "shell/HinweisDialog.h"
#include "shell/InfoDialog.h"
#include "shell/PlayerDialogs.h"
#include "shell/PrintLayout.h"
#include "shell/PrinterChoice.h"
#include "shell/RaetselInfoDialog.h"
#include "shell/StopuhrDialog.h"

namespace zx {

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

QPoint FramePlacement(const QRect& screen, const QSize& frame) {
    return {screen.x() + std::max(0, (screen.width() - frame.width()) / 2),
            screen.y() + std::max(0, (screen.height() - frame.height()) / 2)};
}

QSize FrameSizeFor(const QSize& screen) {
    int width = 640;
    int height = 480;
    if (screen.width() >= 800) width = 800;
    if (screen.height() >= 600) height = 600;
    if (screen.width() >= 1000) width = 1000;
    if (screen.height() >= 750) height = 750;
    return {width, height};
}

TVxMainForm::TVxMainForm(std::string exePath, std::vector<std::string> params,
                         TModalDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_exePath(std::move(exePath)), m_params(std::move(params)),
      m_dialogs(dialogs) {
    setObjectName(QStringLiteral("VxMainForm"));
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<TPlayerDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    resize(640, 480);
    // By its installed face: the look-up of an uninstalled one costs time at start.
    setFont(QFont(InstalledFace(QStringLiteral("MS Sans Serif")), 8));

    // The hint line and the modifier tracking see every event of the program.
    qApp->installEventFilter(this);

    m_commands = new TPlayCommands(m_session, *m_dialogs, this);
    CreateMenus();
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* toolbar = new TGradientBar(central, 33);
    toolbar->setObjectName(QStringLiteral("ToolBar"));
    CreateToolbar(toolbar);
    layout->addWidget(toolbar);

    m_mdiArea = new QMdiArea(central);
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setBackground(QColor(128, 128, 128));
    m_mdiArea->viewport()->setMouseTracking(true);
    layout->addWidget(m_mdiArea, 1);

    m_lblHints = new QLabel(central);
    m_lblHints->setObjectName(QStringLiteral("LblHints"));
    m_lblHints->setFixedHeight(21);
    m_lblHints->setAlignment(Qt::AlignCenter);
    m_lblHints->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_lblHints->setAutoFillBackground(true);
    m_lblHints->setBackgroundRole(QPalette::Button);
    layout->addWidget(m_lblHints);
    setCentralWidget(central);

    ConnectCommands();
    setWindowTitle(QStringLiteral("Tavimo Zindorax - ") + ApplicationTitle());
    setWindowIcon(SvgIcon(QStringLiteral(":/icons/app.svg")));

    m_hintForm = new THintForm(this);
    UpdateCommands();
}

TVxMainForm::~TVxMainForm() {
    qApp->removeEventFilter(this);
    // The child windows hold references to the frame and its session: release
    // them while both are still whole, also those closed but not yet deleted.
    const auto subWindows = m_mdiArea->findChildren<QMdiSubWindow*>();
    for (QMdiSubWindow* sub : subWindows) {
        if (QWidget* form = sub->widget()) form->disconnect(this);
        sub->disconnect(this);
        delete sub;
    }
    delete m_hintForm;
}

void TVxMainForm::CreateToolbar(QWidget* bar) {
    // Each button is its command's action: enabled state, hint and shortcut are one.
    const struct {
        QAction* action;
        const char* name;
        int x;
        const char* icon;
    } buttons[] = {
        {m_mItemPrgBeenden, "TBPrgBeenden", 4, ":/icons/quit.svg"},
        {m_mItemRaeDrucken, "TBRaeDrucken", 37, ":/icons/print.svg"},
        {m_mItemRaeInfos, "TBRaeInfos", 62, ":/icons/puzzleinfo.svg"},
        {m_mItemBeaRueckgaengig, "TBBeaRueckgaengig", 96, ":/icons/undo.svg"},
        {m_mItemBeaZuruecksetzen, "TBBeaZuruecksetzen", 121, ":/icons/reset.svg"},
        {m_mItemPrgInfo, "TBHlfInfo", 154, ":/icons/programinfo.svg"},
    };
    for (const auto& b : buttons) {
        b.action->setIcon(SvgIcon(QString::fromLatin1(b.icon)));
        b.action->setIconVisibleInMenu(false);
        b.action->setToolTip(b.action->statusTip());
        auto* button = new TSpeedButton(bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setDefaultAction(b.action);
        button->SetHint(b.action->statusTip());
        button->move(b.x, 5);
    }
}

QAction* TVxMainForm::AddItem(QMenu* menu, const char* name, const char* caption,
                              const char* hint) {
    QAction* item = menu->addAction(Utf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    if (hint) item->setStatusTip(Utf8(hint));
    return item;
}

void TVxMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();

    m_mItemRaetsel = bar->addMenu(Utf8("&Rätsel"));
    m_mItemRaetsel->setObjectName(QStringLiteral("MItemRaetsel"));
    m_mItemRaeDrucken = AddItem(m_mItemRaetsel, "MItemRaeDrucken", "&Drucken..",
                                "Das Rätsel und die Legende drucken");
    m_mItemRaeDrucken->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_mItemRaeDrucken->setEnabled(false);
    m_mItemRaeInfos = AddItem(m_mItemRaetsel, "MItemRaeInfos", "&Eigenschaften..",
                              "Informationen zum aktuellen Rätsel anzeigen");
    m_mItemRaeInfos->setEnabled(false);
    m_mItemRaetsel->addSeparator();
    m_mItemPrgInfo =
        AddItem(m_mItemRaetsel, "MItemPrgInfo", "I&nfo..", "Informationen zum Programm anzeigen");
    m_mItemPrgBeenden =
        AddItem(m_mItemRaetsel, "MItemPrgBeenden", "&Beenden", "Das Programm beenden");
    m_mItemPrgBeenden->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_mItemBearbeiten = bar->addMenu(Utf8("&Bearbeiten"));
    m_mItemBearbeiten->setObjectName(QStringLiteral("MItemBearbeiten"));
    m_mItemBeaRueckgaengig = AddItem(m_mItemBearbeiten, "MItemBeaRueckgaengig", "&Rückgängig",
                                     "Die letzte Änderung am Rätsel zurücknehmen");
    // Alt+Backspace, and the desktop's own undo key that every user tries first.
    m_mItemBeaRueckgaengig->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_Backspace), QKeySequence::Undo});
    m_mItemBeaRueckgaengig->setEnabled(false);
    m_mItemBeaZuruecksetzen = AddItem(m_mItemBearbeiten, "MItemBeaZuruecksetzen", "&Zurücksetzen",
                                      "Alle Begriffe aus dem Rätsel löschen");
    m_mItemBeaZuruecksetzen->setEnabled(false);
    m_mItemBeaN1 = m_mItemBearbeiten->addSeparator();
    m_mItemBeaN1->setObjectName(QStringLiteral("MItemBeaN1"));
    // The play commands are the grid window's: the same actions as its buttons.
    const TPlayCommands& c = *m_commands;
    m_mItemBeaLeerfeld = c.Action(TPlayCommand::BlankField);
    m_mItemBeaBegriff = c.Action(TPlayCommand::EnterWord);
    m_mItemBeaEintragen = c.Action(TPlayCommand::RevealLetter);
    m_mItemBearbeiten->addActions({m_mItemBeaLeerfeld, m_mItemBeaBegriff, m_mItemBeaEintragen});

    m_mItemBeaFelderMarkieren = m_mItemBearbeiten->addMenu(Utf8("&Felder markieren"));
    m_mItemBeaFelderMarkieren->setObjectName(QStringLiteral("MItemBeaFelderMarkieren"));
    m_mItemBeaFelderMarkieren->menuAction()->setObjectName(
        QStringLiteral("MItemBeaFelderMarkierenItem"));
    m_mItemBeaFelderMarkieren->menuAction()->setStatusTip(
        Utf8("Ausgewählte Felder im Rätsel farblich markieren"));
    m_mItemBeaFelderMarkieren->addAction(c.MarkItem(0));
    m_mItemBeaFelderMarkieren->addSeparator()->setObjectName(QStringLiteral("MItemBeaMarkN1"));
    for (int tag = 1; tag <= 12; ++tag)
        m_mItemBeaFelderMarkieren->addAction(c.MarkItem(tag));
    m_mItemBeaFelderMarkieren->addSeparator()->setObjectName(QStringLiteral("MItemBeaMarkN2"));
    m_mItemBeaFelderMarkieren->addAction(c.MarkItem(13));

    m_mItemBeaSchnappschuss = m_mItemBearbeiten->addMenu(Utf8("&Schnappschuss"));
    m_mItemBeaSchnappschuss->setObjectName(QStringLiteral("MItemBeaSchnappschuss"));
    m_mItemBeaSchnappschuss->menuAction()->setObjectName(
        QStringLiteral("MItemBeaSchnappschussItem"));
    m_mItemBeaSchnappschuss->addAction(c.Action(TPlayCommand::TakeSnapshot));
    m_mItemBeaSchnappschuss->addSeparator();
    for (int slot = 1; slot <= TPlayerSession::SnapshotSlots; ++slot)
        m_mItemBeaSchnappschuss->addAction(c.SnapshotAction(slot));

    m_mItemAnsicht = bar->addMenu(Utf8("&Ansicht"));
    m_mItemAnsicht->setObjectName(QStringLiteral("MItemAnsicht"));
    m_mItemAnsLoesung = AddItem(m_mItemAnsicht, "MItemAnsLoesung", "&Lösung zeigen",
                                "Die Lösung des kompletten Rätsels zeigen");
    m_mItemAnsLoesung->setCheckable(true);
    m_mItemAnsLoesung->setEnabled(false);
    m_mItemAnsN1 = m_mItemAnsicht->addSeparator();
    m_mItemAnsN1->setObjectName(QStringLiteral("MItemAnsN1"));
    m_mItemAnsVergroessern = c.Action(TPlayCommand::ZoomIn);
    m_mItemAnsVerkleinern = c.Action(TPlayCommand::ZoomOut);
    m_mItemAnsicht->addActions({m_mItemAnsVergroessern, m_mItemAnsVerkleinern});
    m_mItemAnsicht->addSeparator()->setObjectName(QStringLiteral("MItemAnsN3"));
    m_mItemAnsFehleintraege = c.Action(TPlayCommand::ShowErrors);
    m_mItemAnsBegriffLaengen = c.Action(TPlayCommand::ShowLengths);
    m_mItemAnsTooltips = c.Action(TPlayCommand::ShowHints);
    m_mItemAnsicht->addActions(
        {m_mItemAnsFehleintraege, m_mItemAnsBegriffLaengen, m_mItemAnsTooltips});

    // A closing menu gives the keyboard back to the window that had it.
    for (QMenu* menu : {m_mItemRaetsel, m_mItemBearbeiten, m_mItemAnsicht})
        connect(menu, &QMenu::aboutToHide, this, &TVxMainForm::MenuClosed);
}

void TVxMainForm::ConnectCommands() {
    TPlayerSession& s = m_session;
    // Menus show the current state when they open; shortcuts follow it at once.
    for (QMenu* menu : {m_mItemRaetsel, m_mItemBearbeiten, m_mItemAnsicht}) {
        connect(menu, &QMenu::aboutToShow, this, &TVxMainForm::UpdateCommands);
        connect(menu, &QMenu::aboutToShow, m_commands, &TPlayCommands::Update);
    }
    connect(m_mItemBeaFelderMarkieren, &QMenu::aboutToShow, m_commands,
            &TPlayCommands::UpdateMarkItems);
    connect(m_mItemBeaSchnappschuss, &QMenu::aboutToShow, m_commands,
            &TPlayCommands::UpdateSnapshotItems);
    connect(&s, &TPlayerSession::CommandsChanged, this, &TVxMainForm::UpdateCommands);
    connect(&s, &TPlayerSession::ResultMessage, this, &TVxMainForm::ShowResult);
    connect(&s, &TPlayerSession::ModifiersChanged, this, &TVxMainForm::ModifiersChanged);
    connect(&s, &TPlayerSession::SideWindowWanted, this, &TVxMainForm::OpenSideWindow);

    connect(m_mItemRaeDrucken, &QAction::triggered, this, &TVxMainForm::MItemRaeDruckenClick);
    connect(m_mItemRaeInfos, &QAction::triggered, this, &TVxMainForm::MItemRaeInfosClick);
    connect(m_mItemPrgInfo, &QAction::triggered, this, &TVxMainForm::MItemPrgInfoClick);
    connect(m_mItemPrgBeenden, &QAction::triggered, this, &TVxMainForm::MItemPrgBeendenClick);
    connect(m_mItemBeaRueckgaengig, &QAction::triggered, this,
            &TVxMainForm::MItemBeaRueckgaengigClick);
    connect(m_mItemBeaZuruecksetzen, &QAction::triggered, this,
            &TVxMainForm::MItemBeaZuruecksetzenClick);
    connect(m_mItemAnsLoesung, &QAction::triggered, this, &TVxMainForm::MItemAnsLoesungClick);
    connect(m_mItemBeaBegriff, &QAction::triggered, this, &TVxMainForm::MItemBeaBegriffClick);
    m_commands->SetDialogParent(this);
}

QWidget* TVxMainForm::FindChildForm(TFormKind kind) const {
    if (!m_session.FormOpen(kind)) return nullptr;
    switch (kind) {
    case TFormKind::Puzzle:
        return Child<TRaetselForm>();
    case TFormKind::Solution:
        return Child<TLoesungForm>();
    case TFormKind::NumLegend:
        return Child<TNumLegendForm>();
    case TFormKind::Stopwatch:
        return Child<TStopuhrForm>();
    case TFormKind::Legend:
        return Child<TLegendForm>();
    }
    return nullptr;
}

void TVxMainForm::UpdateCommands() {
    const TPlayerSession& s = m_session;
    const bool open = HasPuzzleForm();
    const TPuzzleKind kind = s.Kind();

    // The PDF file is always offered, so printing needs no installed printer.
    m_mItemRaeDrucken->setEnabled(open);
    m_mItemRaeInfos->setEnabled(open);
    m_mItemBeaZuruecksetzen->setEnabled(open);
    m_mItemBeaRueckgaengig->setEnabled(open && s.UndoAvailable());
    // Hidden actions keep their toolbar buttons; the menu items go with the grid window.
    m_mItemBeaRueckgaengig->setVisible(open);
    m_mItemBeaN1->setVisible(open);
    m_mItemBearbeiten->menuAction()->setVisible(open);
    m_mItemAnsicht->menuAction()->setVisible(open);

    m_mItemBeaFelderMarkieren->menuAction()->setVisible(open && IsSudoku(kind));
    m_mItemBeaSchnappschuss->menuAction()->setVisible(open && kind == TPuzzleKind::Sudoku);
    m_mItemAnsLoesung->setEnabled(open && s.PuzzleAllows(hoShowSolution));
    m_mItemAnsLoesung->setChecked(s.ViewMode() == 1);
    m_mItemAnsN1->setVisible(open);
}

void TVxMainForm::MItemBeaBegriffClick() {
    TPlayerSession& s = m_session;
    const TPuzzleData& p = s.Puzzle();
    const QAction* command = m_commands->Action(TPlayCommand::EnterWord);
    if (!HasPuzzleForm() || !command->isVisible() || !command->isEnabled()) return;
    const QPoint cursor = s.Cursor();
    const TInputDir dir = s.InputDirection();
    const TGridWordData word = GetWordData(p, cursor.x(), cursor.y(), false, false, WordDirOf(dir));
    QString question;
    if (IsSwedish(s.Kind()) && word.Index >= 0)
        question = ToQString(p.Words[word.Index].Clue.view()) + QStringLiteral(" :");
    else
        question = QStringLiteral("Begriff mit %1 Buchstaben :").arg(word.Length);
    TWordEditDlg dialog(s.Settings(), this);
    dialog.setWindowTitle(Utf8("Gesuchten Begriff eingeben"));
    dialog.SetQuestion(question.left(52));
    dialog.SetWordText(CurrentWordText(p, cursor.x(), cursor.y(), dir, true));
    if (m_dialogs->Exec(dialog) != QDialog::Accepted) return;
    s.EnterWord(cursor.x(), cursor.y(), dir, dialog.WordText());
}

void TVxMainForm::MItemBeaRueckgaengigClick() {
    if (!HasPuzzleForm()) return;
    m_session.Undo();
}

void TVxMainForm::MItemBeaZuruecksetzenClick() {
    if (!HasPuzzleForm()) return;
    if (!m_dialogs->AskYesNo(this, Utf8("Möchten Sie wirklich das komplette Rätsel zurücksetzen?")))
        return;
    m_session.Reset();
}

void TVxMainForm::MItemAnsLoesungClick() {
    if (!HasPuzzleForm() || !m_session.PuzzleAllows(hoShowSolution)) return;
    m_session.SetViewMode(m_session.ViewMode() == 0 ? 1 : 0);
    if (HasSolutionWord(m_session.Kind()) && m_session.Settings().LoesungswortZeigen)
        OpenSideWindow(TFormKind::Solution);
}

// ---------------------------------------------------------------- printing

namespace {

// The file of one copy: the chosen name for the first, "name (2).pdf" and so
// on for the others, so that every copy is a file of its own.
QString CopyFileName(const QString& file, int copy) {
    if (copy <= 1) return file;
    const QFileInfo info(file);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(" (%1)").arg(copy) + suffix);
}

// A file name from a window caption: no folder separators.
QString CaptionFileName(QString caption) {
    caption.replace(QLatin1Char('/'), QLatin1Char('-'));
    caption = caption.trimmed();
    if (caption.isEmpty()) caption = QStringLiteral("Rätsel");
    return caption + QStringLiteral(".pdf");
}

QString DocumentsFolder() {
    const QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !docs.isEmpty() && QDir(docs).exists() ? docs : QDir::homePath();
}

} // namespace

void TVxMainForm::SetPrinterChoice(std::unique_ptr<TPrinterChoice> printers) {
    m_printers = std::move(printers);
}

TPrintMsgDlg* TVxMainForm::PrintMessage() const { return m_printMsg; }

TPrintBlocks TVxMainForm::PrintBlocks(TRaetselForm& form) const {
    const TPlayerSession& s = m_session;
    TPrintBlocks blocks;
    blocks.Grid = [&form](QPainter& canvas, const QRect& area) {
        int cell = 0;
        form.PrintGrid(canvas, area, cell, TPaintOutput::Printer);
        return cell;
    };
    const int colorMode = s.Settings().PrintSettings.ColorMode;
    if (s.FormOpen(TFormKind::Legend)) {
        blocks.LegendSize = [&s](QPainter& canvas, bool stacked) {
            return TLegendForm::LegendPrintSize(canvas, s.Puzzle(), s.Settings(), stacked);
        };
        blocks.Legend = [&s, colorMode](QPainter& canvas, const QRect& rect, bool stacked) {
            TLegendForm::PrintLegend(canvas, rect, s.Puzzle(), s.Settings(), stacked, true, colorMode);
        };
        blocks.LegendColumnWidth = [&s](QPainter& canvas) {
            return TLegendForm::LegendPrintColumnWidth(canvas, s.Puzzle(), s.Settings());
        };
        // The flow is prepared once per print job and drawn column by column.
        auto flow = std::make_shared<TLegendForm::TPrintFlow>();
        blocks.LegendPieces = [&s, flow](QPainter& canvas, int width) {
            *flow = TLegendForm::LegendPrintFlow(canvas, s.Puzzle(), s.Settings(), width);
            std::vector<TPrintBlocks::TPiece> pieces;
            pieces.reserve(flow->Pieces.size());
            for (const TLegendForm::TPrintFlow::TPiece& piece : flow->Pieces)
                pieces.push_back({piece.Height, piece.Row < 0 ? 0 : 2 * flow->LineHeight});
            return pieces;
        };
        blocks.LegendColumn = [&s, flow, colorMode](QPainter& canvas, const QPoint& topLeft,
                                                    int from, int to) {
            TLegendForm::PrintLegendColumn(canvas, topLeft, *flow, from, to, s.Puzzle(),
                                           s.Settings(), true, colorMode);
        };
    }
    if (s.FormOpen(TFormKind::NumLegend)) {
        blocks.NumLegendRows = TNumLegendForm::TableRows;
        blocks.NumLegendSize = [](QPainter& canvas, int cell, bool upright) {
            return TNumLegendForm::NumLegendPrintSize(canvas, cell, !upright);
        };
        blocks.NumLegend = [&s, colorMode](QPainter& canvas, const QRect& rect, bool upright) {
            // The fitted table takes its cell size from the rectangle's short
            // side: hand it the side that gives the cell size it was measured at.
            const int cols = TNumLegendForm::TableCols;
            const int heading = 2 * canvas.fontMetrics().height();
            const int cell = std::max((upright ? rect.width() : rect.height() - heading) / cols - 1, 1);
            const QRect fitted(rect.topLeft(), upright ? QSize(cols * cell, rect.height())
                                                       : QSize(rect.width(), cols * cell));
            TNumLegendForm::PrintNumLegend(canvas, fitted, s.Puzzle(), s.Settings(), s.ViewMode(), true,
                                           true, colorMode, !upright);
        };
    }
    return blocks;
}

void TVxMainForm::ShowPrintMessage(const QString& text) {
    if (!m_printMsg) {
        m_printMsg = new TPrintMsgDlg(this);
        m_printMsg->SetPrintingProbe([this] {
            return m_printers && m_printers->Printer().printerState() == QPrinter::Active;
        });
    }
    m_printMsg->SetMessage(text);
    m_printMsg->show();
    m_printMsg->raise();
    // Printing holds the event loop: let the window appear first.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TVxMainForm::MItemRaeDruckenClick() {
    TRaetselForm* form = Child<TRaetselForm>();
    if (!form) return;
    if (!m_printers) m_printers = std::make_unique<TPrinterChoice>();
    const TPuzzleKind kind = m_session.Kind();
    TPrintSettings print = m_session.Settings().PrintSettings;
    {
        TPrintSettingsDlg dialog(kind, *m_printers, *m_dialogs, this);
        dialog.Fill(print);
        if (m_dialogs->Exec(dialog) != QDialog::Accepted) return;
        print = dialog.Values(print);
    }
    m_session.SetPrintSettings(print);
    m_printers->Select(print.PrinterIndex);

    QString file;
    if (m_printers->IsPdf()) {
        file = m_dialogs->AskSaveFileName(this, QStringLiteral("Als PDF-Datei speichern"),
                                          QDir(DocumentsFolder()).filePath(CaptionFileName(form->windowTitle())),
                                          QStringLiteral("PDF-Dateien (*.pdf)"));
        if (file.isEmpty()) return;
        if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".pdf");
    }

    ShowPrintMessage(ToQString(PuzzleTypeName(kind)) + QStringLiteral(" drucken"));
    QPrinter& printer = m_printers->Printer();
    printer.setPageOrientation(print.Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    const TPrintBlocks blocks = PrintBlocks(*form);
    const TPuzzleData& puzzle = m_session.Puzzle();
    for (int copy = 1; copy <= print.Copies; ++copy) {
        if (!file.isEmpty()) printer.setOutputFileName(CopyFileName(file, copy));
        TPrinterJob job(printer);
        const bool printed = print.OnePage && !IsSudoku(kind) ? PrintOnePage(job, puzzle, print, blocks)
                                                               : PrintTwoPages(job, puzzle, print, blocks);
        if (!printed) {
            if (m_printMsg) m_printMsg->hide();
            m_dialogs->ShowError(this, file.isEmpty()
                                           ? QStringLiteral("Der Drucker „%1“ kann das Rätsel nicht drucken.")
                                                 .arg(m_printers->Names().value(m_printers->Selected()))
                                           : QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden.")
                                                 .arg(QDir::toNativeSeparators(printer.outputFileName())));
            return;
        }
    }
}

void TVxMainForm::MItemRaeInfosClick() {
    if (!HasPuzzleForm()) return;
    TReatselInfoDlg dialog(this);
    dialog.Fill(m_session.Puzzle(), m_exePath);
    m_dialogs->Exec(dialog);
}

void TVxMainForm::MItemPrgInfoClick() {
    TInfoDlg dialog(m_session.Puzzle(), m_exePath, this);
    m_dialogs->Exec(dialog);
}

void TVxMainForm::MItemPrgBeendenClick() {
    close();
}

void TVxMainForm::ShowResult(const QString& text, bool success) {
    m_dialogs->ShowResult(this, text, success);
}

TRaetselForm* TVxMainForm::CreatePuzzleForm() {
    m_session.SetFormOpen(TFormKind::Puzzle, true);
    auto* form = new TRaetselForm(*this);
    connect(form, &TRaetselForm::SideWindowRequested, this, &TVxMainForm::OpenSideWindow);
    connect(form, &TRaetselForm::Closing, this, &TVxMainForm::PuzzleFormClosing);
    // The printed grid carries the solution word's row while its strip is open.
    connect(form, &TRaetselForm::SolutionRowPrintRequested, this,
            [this](QPainter* canvas, const QRect& rect, TPaintOutput output) {
                const TPlayerSession& s = m_session;
                TLoesungForm::PrintSolutionWord(*canvas, rect, s.Puzzle(), s.Settings(),
                                                s.ViewMode(), output == TPaintOutput::Printer,
                                                s.Settings().PrintSettings.ColorMode);
            });
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(form);
    form->setAccessibleName(form->windowTitle());
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->move(0, 0);
    sub->show();
    return form;
}

void TVxMainForm::OpenSideWindow(TFormKind kind) {
    if (!HasPuzzleForm()) return;
    // At most one window of a kind: an open one is shown anew from the record.
    QWidget* form = FindChildForm(kind);
    if (!form) {
        // Side windows have a caption; the code table and the legend can be
        // closed by themselves: the child area gives a window its close box
        // and Ctrl+F4 only with the system-menu hint.
        Qt::WindowFlags flags = Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        const Qt::WindowFlags closable = Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        switch (kind) {
        case TFormKind::NumLegend:
            form = new TNumLegendForm(*this);
            flags |= closable;
            break;
        case TFormKind::Solution:
            form = new TLoesungForm(*this);
            break;
        case TFormKind::Stopwatch:
            form = new TStopuhrForm(*this);
            break;
        case TFormKind::Legend:
            form = new TLegendForm(*this);
            flags |= closable;
            ConnectLegend(static_cast<TLegendForm*>(form));
            break;
        case TFormKind::Puzzle:
            return;
        }
        QMdiSubWindow* active = m_mdiArea->activeSubWindow();
        QMdiSubWindow* sub = m_mdiArea->addSubWindow(form, flags);
        form->setAccessibleName(form->windowTitle());
        sub->setAttribute(Qt::WA_DeleteOnClose);
        m_session.SetFormOpen(kind, true);
        connect(sub, &QObject::destroyed, this,
                [this, kind] { m_session.SetFormOpen(kind, false); });
        sub->show();
        // The keys stay with the grid window.
        if (active) m_mdiArea->setActiveSubWindow(active);
    }
    switch (kind) {
    case TFormKind::NumLegend:
        static_cast<TNumLegendForm*>(form)->ShowNumLegend();
        break;
    case TFormKind::Solution:
        static_cast<TLoesungForm*>(form)->ShowSolution();
        break;
    case TFormKind::Stopwatch:
        static_cast<TStopuhrForm*>(form)->FormShow();
        break;
    case TFormKind::Legend:
        static_cast<TLegendForm*>(form)->ShowLegend();
        break;
    case TFormKind::Puzzle:
        break;
    }
    PlaceSideWindows();
}

void TVxMainForm::PlaceSideWindows() {
    // The code table and the stopwatch keep to the child area's top right
    // corner, the solution-word strip to its bottom right, also when the
    // area changes its size.
    const QRect area = m_mdiArea->viewport()->rect();
    auto subOf = [](QWidget* form) {
        return form ? qobject_cast<QMdiSubWindow*>(form->parentWidget()) : nullptr;
    };
    for (TFormKind kind : {TFormKind::NumLegend, TFormKind::Stopwatch})
        if (QMdiSubWindow* sub = subOf(FindChildForm(kind)))
            sub->move(std::max(area.width() - sub->width() - 10, 0), 0);
    int bottom = area.height() - 10;
    if (auto* strip = static_cast<TLoesungForm*>(FindChildForm(TFormKind::Solution)))
        if (QMdiSubWindow* sub = subOf(strip)) {
            sub->move(strip->PlaceFor(area));
            bottom = area.height() - sub->height() - 20;
        }
    // The legend: 300 wide along the right edge, down to the strip when it is open.
    if (QMdiSubWindow* sub = subOf(FindChildForm(TFormKind::Legend)))
        sub->setGeometry(std::max(area.width() - 300 - 10, 0), 0, 300, std::max(bottom, 120));
}

void TVxMainForm::ConnectLegend(TLegendForm* legend) {
    // The legend and the grid's cursor follow each other both ways.
    if (auto* grid = Child<TRaetselForm>()) {
        connect(legend, &TLegendForm::WordChosen, grid, &TRaetselForm::GotoWord);
        connect(grid, &TRaetselForm::CurrentWordChanged, legend, &TLegendForm::SelectLegendRow);
    }
}

void TVxMainForm::PuzzleFormClosing() {
    for (TFormKind kind :
         {TFormKind::Solution, TFormKind::NumLegend, TFormKind::Stopwatch, TFormKind::Legend}) {
        if (QWidget* w = FindChildForm(kind)) w->close();
        m_session.SetFormOpen(kind, false);
    }
    CloseHint();
    m_session.SetFormOpen(TFormKind::Puzzle, false);
}

void TVxMainForm::StartUpMessage() {
    setWindowTitle(QStringLiteral("Tavimo ") + ApplicationTitle());
    LoadStartPuzzle();
    m_startUpDone = true;
}

void TVxMainForm::LoadStartPuzzle() {
    TPlayerState& s = m_session.Edit();
    const TSystemColorResolver resolve = PaletteResolver(palette());
    // The file that failed is named: the one given on the command line, else the program.
    std::string source = m_exePath;
    if (!m_params.empty()) {
        source = JoinCommandLine(m_params);
        // A puzzle file, or a packed player sent from another system: its
        // container plays with its own settings.
        m_loadResult = LoadNamedPuzzle(s.Puzzle, source, s.Settings, resolve);
    } else {
        m_loadResult = LoadEmbeddedPuzzle(s.Puzzle, m_exePath, s.Settings, resolve);
    }

    const QString file = QString::fromStdString(source);
    switch (m_loadResult) {
    case lrLoaded:
        CreatePuzzleForm();
        UpdateCommands();
        break;
    case lrBadFormat:
        m_dialogs->ShowError(
            this,
            Utf8("Die Datei \"%1\" enthält kein Rätsel in einem bekannten Format!").arg(file));
        break;
    default:
        m_dialogs->ShowError(this,
                             Utf8("Aus der Datei \"%1\" konnte nicht gelesen werden!").arg(file));
        break;
    }
}

void TVxMainForm::ShowHintAt(const QRect& cell, int size, const QString& text) {
    m_hintForm->ShowAt(cell, size, text, this);
}

void TVxMainForm::CloseHint() {
    if (m_hintForm->isVisible()) m_hintForm->hide();
}

bool TVxMainForm::HintVisible() const {
    return m_hintForm->isVisible();
}

QCursor TVxMainForm::DragCursor(TDragCursor cursor) const {
    const int index = static_cast<int>(cursor) - static_cast<int>(TDragCursor::LeftToRight);
    if (index < 0 || index >= static_cast<int>(m_dragCursors.size()))
        return QCursor(Qt::ArrowCursor);
    // Rendered when a drag first asks for them, not while the program starts.
    std::optional<QCursor>& loaded = m_dragCursors[static_cast<std::size_t>(index)];
    if (!loaded) loaded = LoadDragCursor(cursor);
    return *loaded;
}

void TVxMainForm::FitToScreen() {
    const QScreen* screen = this->screen();
    if (!screen) return;
    // The sizes are those of the whole window: a window manager's title bar
    // and borders come off the client area, so the frame stays on the screen.
    const QRect area = screen->geometry();
    const QMargins frame = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QSize outer = FrameSizeFor(area.size());
    resize(outer - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
    move(FramePlacement(area, outer));
    m_fittedWithFrame = !frame.isNull();
}

void TVxMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    FitToScreen();
    // Loading starts only once the frame is on the screen.
    QMetaObject::invokeMethod(this, &TVxMainForm::StartUpMessage, Qt::QueuedConnection);
}

void TVxMainForm::closeEvent(QCloseEvent* event) {
    CloseHint();
    event->accept();
}

bool TVxMainForm::event(QEvent* event) {
    switch (event->type()) {
    case QEvent::StatusTip:
        // The status line has shown the hint already (see eventFilter).
        return true;
    case QEvent::WindowActivate:
        // A window manager reports its frame only once the window is mapped.
        if (m_shown && !m_fittedWithFrame && windowHandle() &&
            !windowHandle()->frameMargins().isNull())
            FitToScreen();
        break;
    default:
        break;
    }
    return QMainWindow::event(event);
}

void TVxMainForm::MenuClosed() {
    // After Escape the menu bar keeps the keyboard with its title still
    // marked, swallowing the letters typed next. Once no menu is open any
    // more it is sent away like a second Escape would, and the window that
    // had the keyboard before gets it back.
    QTimer::singleShot(0, this, [this] {
        QMenuBar* bar = menuBar();
        if (QApplication::activePopupWidget() || (!bar->activeAction() && !bar->hasFocus())) return;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(bar, &escape);
        if (m_keyboardOwner && m_keyboardOwner->window() == this)
            m_keyboardOwner->setFocus(Qt::MenuBarFocusReason);
    });
}

bool TVxMainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            m_session.TrackModifierKey(key->key(), key->type() == QEvent::KeyPress);
        break;
    }
    case QEvent::WindowTitleChange:
        // A child window is named by its caption for screen readers.
        if (auto* widget = qobject_cast<QWidget*>(watched);
            widget && qobject_cast<QMdiSubWindow*>(widget->parentWidget()))
            widget->setAccessibleName(widget->windowTitle());
        break;
    case QEvent::FocusIn:
        // The widget to give the keyboard back to when a menu closes.
        if (auto* widget = qobject_cast<QWidget*>(watched);
            widget && !qobject_cast<QMenuBar*>(widget) && !qobject_cast<QMenu*>(widget))
            m_keyboardOwner = widget;
        break;
    case QEvent::StatusTip:
        // Hints of every window of the program, dialogs included, reach the status line.
        m_lblHints->setText(static_cast<QStatusTipEvent*>(event)->tip());
        break;
    case QEvent::Resize:
        if (watched == m_mdiArea->viewport()) PlaceSideWindows();
        break;
    case QEvent::MouseMove:
        if (watched == m_mdiArea->viewport())
            CloseHint();
        else if (auto* menu = qobject_cast<QMenu*>(watched))
            ShowDisabledItemHint(*menu, *static_cast<QMouseEvent*>(event));
        break;
    case QEvent::Hide:
        // The last closing menu leaves no hint behind, also not that of a
        // disabled item; a submenu closing under an open menu leaves its hint.
        if (qobject_cast<QMenu*>(watched) && !QApplication::activePopupWidget())
            m_lblHints->clear();
        break;
    case QEvent::ApplicationDeactivate:
        m_session.ReleaseModifiers();
        // The popup stays on top of every window: it must not linger over other programs.
        CloseHint();
        break;
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TVxMainForm::ShowDisabledItemHint(const QMenu& menu, const QMouseEvent& move) {
    // The menu reports the hints of enabled items itself; a disabled item's
    // hint says what the command would do, so it is shown as well.
    const QAction* item = menu.actionAt(move.position().toPoint());
    if (item && item->isEnabled()) return;
    m_lblHints->setText(item ? item->statusTip() : QString());
}

void TVxMainForm::ModifiersChanged() {
    // The window under the pointer gets a mouse-move so that it updates cursor
    // and hover hint at once. Setting the pointer onto its own position would
    // be the usual way, but the toolkit drops a move that goes nowhere.
    const QPoint global = QCursor::pos();
    const QWidget* under = QApplication::widgetAt(global);
    QWindow* window = under ? under->window()->windowHandle() : nullptr;
    if (!window) return;
    const QPointF local = window->mapFromGlobal(QPointF(global));
    QMouseEvent move(QEvent::MouseMove, local, local, QPointF(global), Qt::NoButton,
                     QApplication::mouseButtons(), QApplication::keyboardModifiers());
    QApplication::sendEvent(window, &move);
}

} // namespace zx
