// Frame window of the player.
#include "shell/Hauptformular.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPrinterInfo>
#include <QScreen>
#include <QStatusTipEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/GradientBar.h"
#include "controls/SpeedButton.h"
#include "grid/RaetselFormular.h"
#include "rules/EntryCheck.h"
#include "session/Colors.h"
#include "session/DragCursors.h"
#include "session/PlayerState.h"
#include "shell/AppTitle.h"
#include "shell/ChildCalls.h"
#include "shell/HinweisDialog.h"
#include "shell/InfoDialog.h"
#include "shell/PlayerDialogs.h"
#include "shell/RaetselInfoDialog.h"

namespace zx {

namespace {

// Class names of the child window kinds 1 to 5, matched with inherits() so the
// frame needs none of their headers.
const char* KindClass(int kind) {
    static constexpr std::array<const char*, 5> classes = {
        "zx::TRaetselForm", "zx::TLoesungForm", "zx::TLegendForm", "zx::TNumLegendForm", "zx::TStopuhrForm",
    };
    if (kind < 1 || kind > 5) return nullptr;
    return classes[static_cast<std::size_t>(kind - 1)];
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

} // namespace

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
    : QMainWindow(parent),
      m_exePath(std::move(exePath)),
      m_params(std::move(params)),
      m_state(std::make_unique<TPlayerState>()),
      m_dialogs(dialogs),
      m_hasPrinter([] { return !QPrinterInfo::availablePrinterNames().isEmpty(); }) {
    setObjectName(QStringLiteral("VxMainForm"));
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<TPlayerDialogs>();
        m_dialogs = m_ownDialogs.get();
    }
    resize(640, 480);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));

    // The hint line and the modifier tracking see every event of the program.
    qApp->installEventFilter(this);
    for (std::size_t i = 0; i < m_dragCursors.size(); ++i)
        m_dragCursors[i] = LoadDragCursor(crLeftToRight + static_cast<int>(i));

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

    CreateMenus();

    setWindowTitle(QStringLiteral("Tavimo Zindorax - ") + ApplicationTitle());
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));

    m_hintForm = new THintForm(this);
}

TVxMainForm::~TVxMainForm() {
    qApp->removeEventFilter(this);
    // The child windows hold references to the frame and its state: release
    // them while both are still whole.
    const auto subWindows = m_mdiArea->subWindowList();
    for (QMdiSubWindow* sub : subWindows) delete sub;
    delete m_hintForm;
}

void TVxMainForm::CreateToolbar(QWidget* bar) {
    struct Button {
        TSpeedButton** member;
        const char* name;
        int x;
        const char* icon;
        const char* hint;
        bool enabled;
    };
    const Button buttons[] = {
        {&m_tbPrgBeenden, "TBPrgBeenden", 4, ":/icons/quit.svg", "Das Programm beenden", true},
        {&m_tbRaeDrucken, "TBRaeDrucken", 37, ":/icons/print.svg", "Das Rätsel und die Legende drucken", false},
        {&m_tbRaeInfos, "TBRaeInfos", 62, ":/icons/puzzleinfo.svg", "Informationen zum aktuellen Rätsel anzeigen", false},
        {&m_tbBeaRueckgaengig, "TBBeaRueckgaengig", 96, ":/icons/undo.svg", "Die letzte Änderung am Rätsel zurücknehmen", false},
        {&m_tbBeaZuruecksetzen, "TBBeaZuruecksetzen", 121, ":/icons/reset.svg", "Alle Begriffe aus dem Rätsel löschen", false},
        {&m_tbHlfInfo, "TBHlfInfo", 154, ":/icons/programinfo.svg", "Informationen zum Programm anzeigen", true},
    };
    for (const Button& b : buttons) {
        auto* button = new TSpeedButton(QIcon(QString::fromLatin1(b.icon)), Utf8(b.hint), bar);
        button->setObjectName(QString::fromLatin1(b.name));
        button->move(b.x, 5);
        button->setEnabled(b.enabled);
        *b.member = button;
    }
    connect(m_tbPrgBeenden, &QToolButton::clicked, this, &TVxMainForm::MItemPrgBeendenClick);
    connect(m_tbRaeInfos, &QToolButton::clicked, this, &TVxMainForm::MItemRaeInfosClick);
    connect(m_tbBeaRueckgaengig, &QToolButton::clicked, this, &TVxMainForm::MItemBeaRueckgaengigClick);
    connect(m_tbHlfInfo, &QToolButton::clicked, this, &TVxMainForm::MItemPrgInfoClick);
}

QAction* TVxMainForm::AddItem(QMenu* menu, const char* name, const char* caption, const char* hint) {
    QAction* item = menu->addAction(Utf8(caption));
    item->setObjectName(QString::fromLatin1(name));
    if (hint) item->setStatusTip(Utf8(hint));
    return item;
}

void TVxMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();

    m_mItemRaetsel = bar->addMenu(Utf8("&Rätsel"));
    m_mItemRaetsel->setObjectName(QStringLiteral("MItemRaetsel"));
    m_mItemRaeDrucken = AddItem(m_mItemRaetsel, "MItemRaeDrucken", "&Drucken..", "Das Rätsel und die Legende drucken");
    m_mItemRaeDrucken->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_mItemRaeDrucken->setEnabled(false);
    m_mItemRaeInfos = AddItem(m_mItemRaetsel, "MItemRaeInfos", "&Eigenschaften..", "Informationen zum aktuellen Rätsel anzeigen");
    m_mItemRaeInfos->setEnabled(false);
    m_mItemRaetsel->addSeparator();
    m_mItemPrgInfo = AddItem(m_mItemRaetsel, "MItemPrgInfo", "I&nfo..", "Informationen zum Programm anzeigen");
    m_mItemPrgBeenden = AddItem(m_mItemRaetsel, "MItemPrgBeenden", "&Beenden", "Das Programm beenden");
    m_mItemPrgBeenden->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    m_mItemBearbeiten = bar->addMenu(Utf8("&Bearbeiten"));
    m_mItemBearbeiten->setObjectName(QStringLiteral("MItemBearbeiten"));
    m_mItemBeaRueckgaengig = AddItem(m_mItemBearbeiten, "MItemBeaRueckgaengig", "&Rückgängig", "Die letzte Änderung am Rätsel zurücknehmen");
    m_mItemBeaRueckgaengig->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace));
    m_mItemBeaRueckgaengig->setEnabled(false);
    m_mItemBeaZuruecksetzen = AddItem(m_mItemBearbeiten, "MItemBeaZuruecksetzen", "&Zurücksetzen", "Alle Begriffe aus dem Rätsel löschen");
    m_mItemBeaZuruecksetzen->setEnabled(false);
    m_mItemBeaN1 = m_mItemBearbeiten->addSeparator();
    m_mItemBeaN1->setObjectName(QStringLiteral("MItemBeaN1"));
    m_mItemBeaLeerfeld = AddItem(m_mItemBearbeiten, "MItemBeaLeerfeld", "&Leerfeld", "Das markierte Feld im Rätsel als Leerfeld festlegen");
    m_mItemBeaLeerfeld->setCheckable(true);
    m_mItemBeaBegriff = AddItem(m_mItemBearbeiten, "MItemBeaBegriff", "&Begriff eintragen..", "Den markierten Begriff eingeben");
    m_mItemBeaBegriff->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    m_mItemBeaEintragen = AddItem(m_mItemBearbeiten, "MItemBeaEintragen", "Buchstaben &eintragen", "An der aktuellen Eingabeposition den gesuchten Buchstaben eintragen");

    m_mItemBeaFelderMarkieren = m_mItemBearbeiten->addMenu(Utf8("&Felder markieren"));
    m_mItemBeaFelderMarkieren->setObjectName(QStringLiteral("MItemBeaFelderMarkieren"));
    m_mItemBeaFelderMarkieren->menuAction()->setObjectName(QStringLiteral("MItemBeaFelderMarkierenItem"));
    m_mItemBeaFelderMarkieren->menuAction()->setStatusTip(Utf8("Ausgewählte Felder im Rätsel farblich markieren"));
    QAction* none = AddItem(m_mItemBeaFelderMarkieren, "MItemBeaMarkKeine", "&Keine", "Die Markierung im Rätsel aufheben");
    none->setData(0);
    none->setCheckable(true);
    QAction* separator = m_mItemBeaFelderMarkieren->addSeparator();
    separator->setObjectName(QStringLiteral("MItemBeaMarkN1"));
    separator->setData(-1);
    for (int tag = 1; tag <= 12; ++tag) {
        const QString symbol = tag <= 9 ? QString::number(tag) : QString(QChar(u'A' + (tag - 10)));
        const QString caption = QStringLiteral("\"&%1\" möglich").arg(symbol);
        const QString hint = Utf8(tag <= 9 ? "Alle Felder markieren, in die eine \"%1\" eingetragen werden kann"
                                           : "Alle Felder markieren, in die ein \"%1\" eingetragen werden kann")
                                 .arg(symbol);
        QAction* item = m_mItemBeaFelderMarkieren->addAction(caption);
        item->setObjectName(QStringLiteral("MItemBeaMark%1").arg(tag));
        item->setStatusTip(hint);
        item->setData(tag);
        item->setCheckable(true);
    }
    separator = m_mItemBeaFelderMarkieren->addSeparator();
    separator->setObjectName(QStringLiteral("MItemBeaMarkN2"));
    separator->setData(-1);
    QAction* duo = AddItem(m_mItemBeaFelderMarkieren, "MItemBeaMarkDuo", "Nur &zwei Zahlen möglich",
                           "Alle Felder markieren, in die nur ein oder zwei mögliche Zahlen eingetragen werden können");
    duo->setData(13);
    duo->setCheckable(true);

    m_mItemBeaSchnappschuss = m_mItemBearbeiten->addMenu(Utf8("&Schnappschuss"));
    m_mItemBeaSchnappschuss->setObjectName(QStringLiteral("MItemBeaSchnappschuss"));
    m_mItemBeaSchnappschuss->menuAction()->setObjectName(QStringLiteral("MItemBeaSchnappschussItem"));
    AddItem(m_mItemBeaSchnappschuss, "MItemBeaSnapErstellen", "&Erstellen",
            "Einen Schnappschuss des aktuellen Rätselzustands speichern")->setData(0);
    m_mItemBeaSchnappschuss->addSeparator()->setData(0);
    for (int slot = 1; slot <= 4; ++slot) {
        QAction* item = m_mItemBeaSchnappschuss->addAction(QString::number(slot));
        item->setObjectName(QStringLiteral("MItemBeaSnap%1").arg(slot));
        item->setData(slot);
    }

    m_mItemAnsicht = bar->addMenu(Utf8("&Ansicht"));
    m_mItemAnsicht->setObjectName(QStringLiteral("MItemAnsicht"));
    m_mItemAnsLoesung = AddItem(m_mItemAnsicht, "MItemAnsLoesung", "&Lösung zeigen", "Die Lösung des kompletten Rätsels zeigen");
    m_mItemAnsLoesung->setCheckable(true);
    m_mItemAnsLoesung->setEnabled(false);
    m_mItemAnsN1 = m_mItemAnsicht->addSeparator();
    m_mItemAnsN1->setObjectName(QStringLiteral("MItemAnsN1"));
    m_mItemAnsVergroessern = AddItem(m_mItemAnsicht, "MItemAnsVergroessern", "&Vergrößern", "Die Gitter des Rätsels vergrößern");
    m_mItemAnsVergroessern->setData(1);
    m_mItemAnsVerkleinern = AddItem(m_mItemAnsicht, "MItemAnsVerkleinern", "Ver&kleinern", "Die Gitter des Rätsels verkleinern");
    m_mItemAnsVerkleinern->setData(-1);
    m_mItemAnsicht->addSeparator()->setObjectName(QStringLiteral("MItemAnsN3"));
    m_mItemAnsFehleintraege = AddItem(m_mItemAnsicht, "MItemAnsFehleintraege", "&Fehleinträge markieren", "Fehlerhafte Buchstaben im Rätsel farblich absetzen");
    m_mItemAnsFehleintraege->setCheckable(true);
    m_mItemAnsBegriffLaengen = AddItem(m_mItemAnsicht, "MItemAnsBegriffLaengen", "&Begrifflängen anzeigen", "Die Längen der Begriffe anzeigen");
    m_mItemAnsBegriffLaengen->setCheckable(true);
    m_mItemAnsTooltips = AddItem(m_mItemAnsicht, "MItemAnsTooltips", "&Tooltips anzeigen", "Nummern und Umschreibungen als Tooltip anzeigen");
    m_mItemAnsTooltips->setCheckable(true);

    connect(m_mItemRaetsel, &QMenu::aboutToShow, this, &TVxMainForm::MItemRaetselClick);
    connect(m_mItemBearbeiten, &QMenu::aboutToShow, this, &TVxMainForm::MItemBearbeitenClick);
    connect(m_mItemAnsicht, &QMenu::aboutToShow, this, &TVxMainForm::MItemAnsichtClick);
    connect(m_mItemBeaFelderMarkieren, &QMenu::aboutToShow, this, &TVxMainForm::MItemBeaFelderMarkierenClick);
    connect(m_mItemBeaSchnappschuss, &QMenu::aboutToShow, this, &TVxMainForm::MItemBeaSchnappschussClick);
    connect(m_mItemRaeInfos, &QAction::triggered, this, &TVxMainForm::MItemRaeInfosClick);
    connect(m_mItemPrgInfo, &QAction::triggered, this, &TVxMainForm::MItemPrgInfoClick);
    connect(m_mItemPrgBeenden, &QAction::triggered, this, &TVxMainForm::MItemPrgBeendenClick);
    connect(m_mItemBeaRueckgaengig, &QAction::triggered, this, &TVxMainForm::MItemBeaRueckgaengigClick);
}

QWidget* TVxMainForm::FindChildForm(int kind) const {
    const char* className = KindClass(kind);
    if (!className || !m_mdiArea) return nullptr;
    const auto subWindows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
    for (QMdiSubWindow* sub : subWindows) {
        QWidget* form = sub->widget();
        if (!form) continue;
        const bool closing = std::any_of(m_closing.begin(), m_closing.end(), [&](const QPointer<QObject>& c) {
            return c == form || c == sub;
        });
        if (closing) continue;
        if (form->inherits(className)) return form;
    }
    return nullptr;
}

bool TVxMainForm::PuzzleAllows(int mask) const {
    if (!HasPuzzleForm()) return true;
    return (m_state->Puzzle.HelpOptions & mask) != 0;
}

void TVxMainForm::SaveUndoCopy() {
    m_state->UndoCopy = m_state->Puzzle;
    m_state->UndoAvailable = true;
    m_tbBeaRueckgaengig->setEnabled(true);
    MirrorToolbarToMenu();
}

void TVxMainForm::RestoreUndoCopy() {
    // At start the copy is still empty: restoring it would wipe the puzzle.
    if (!m_state->UndoAvailable) return;
    TPlayerState& s = *m_state;
    s.Puzzle = s.UndoCopy;
    // The verdicts must describe the restored entries, or the completion check
    // would judge the puzzle by entries that are gone.
    RebuildErrorGrid(s.Puzzle, s.ErrorGrid);

    QWidget* grid = FindChildForm(fkPuzzle);
    if (grid && !CallChild(grid, "RepaintGrid")) grid->update();
    s.UndoAvailable = false;
    m_tbBeaRueckgaengig->setEnabled(false);
    MirrorToolbarToMenu();

    const int type = s.Puzzle.PuzzleType;
    if (IsNumberPuzzle(type)) {
        CallChild(FindChildForm(fkNumLegend), "ShowSolutionCodes", false);
    } else if (type < 14) {
        CallChild(FindChildForm(fkLegend), "RebuildLists");
    }
    if (type < 14 && type % 2 == 1 && !FindChildForm(fkSolution) && s.Settings.LoesungswortZeigen)
        CallChild(grid, "OpenSolutionForm");
}

void TVxMainForm::UpdateCommands() {
    const bool open = HasPuzzleForm();
    m_tbRaeDrucken->setEnabled(open && m_hasPrinter && m_hasPrinter());
    m_tbRaeInfos->setEnabled(open);
    m_tbBeaZuruecksetzen->setEnabled(open);
    if (!PuzzleAllows(hoMarkErrors)) m_state->Settings.FehlerZeigen = false;
    m_mItemBearbeiten->menuAction()->setVisible(open);
    m_mItemAnsicht->menuAction()->setVisible(open);
    MirrorToolbarToMenu();
}

void TVxMainForm::MirrorToolbarToMenu() {
    m_mItemRaeDrucken->setEnabled(m_tbRaeDrucken->isEnabled());
    m_mItemRaeInfos->setEnabled(m_tbRaeInfos->isEnabled());
    m_mItemBeaRueckgaengig->setEnabled(m_tbBeaRueckgaengig->isEnabled());
    m_mItemBeaZuruecksetzen->setEnabled(m_tbBeaZuruecksetzen->isEnabled());
}

QAbstractButton* TVxMainForm::GridButton(const char* name) const {
    QWidget* grid = FindChildForm(fkPuzzle);
    if (!grid) return nullptr;
    return grid->findChild<QAbstractButton*>(QString::fromLatin1(name));
}

namespace {
bool Shown(const QAbstractButton* button) { return button && !button->isHidden(); }
bool IsDown(const QAbstractButton* button) { return button && (button->isChecked() || button->isDown()); }
} // namespace

void TVxMainForm::MItemRaetselClick() {
    m_mItemRaeDrucken->setEnabled(m_tbRaeDrucken->isEnabled());
    m_mItemRaeInfos->setEnabled(m_tbRaeInfos->isEnabled());
}

void TVxMainForm::MItemBearbeitenClick() {
    const bool open = HasPuzzleForm();
    const int type = m_state->Puzzle.PuzzleType;

    m_mItemBeaRueckgaengig->setVisible(open);
    m_mItemBeaRueckgaengig->setEnabled(m_tbBeaRueckgaengig->isEnabled());
    m_mItemBeaN1->setVisible(m_mItemBeaRueckgaengig->isVisible());
    m_mItemBeaZuruecksetzen->setEnabled(m_tbBeaZuruecksetzen->isEnabled());

    const QAbstractButton* blank = GridButton("SBLeerfeld");
    m_mItemBeaLeerfeld->setVisible(open && Shown(blank));
    if (m_mItemBeaLeerfeld->isVisible()) m_mItemBeaLeerfeld->setChecked(IsDown(blank));

    m_mItemBeaEintragen->setVisible(open && Shown(GridButton("SBBuchstEintragen")));
    m_mItemBeaEintragen->setText(open && IsSudoku(type) ? Utf8("Symbol &eintragen") : Utf8("Buchstaben &eintragen"));
    m_mItemBeaBegriff->setVisible(open && Shown(GridButton("SBBegrEintragen")));
    m_mItemBeaFelderMarkieren->menuAction()->setVisible(open && Shown(GridButton("SBShowHintGrids")));
    m_mItemBeaSchnappschuss->menuAction()->setVisible(open && type == 14);
}

void TVxMainForm::MItemAnsichtClick() {
    const bool open = HasPuzzleForm();
    const int type = m_state->Puzzle.PuzzleType;

    m_mItemAnsLoesung->setEnabled(open && PuzzleAllows(hoShowSolution));
    m_mItemAnsLoesung->setChecked(m_state->ViewMode == 1);

    m_mItemAnsVergroessern->setVisible(open);
    m_mItemAnsVerkleinern->setVisible(open);
    m_mItemAnsN1->setVisible(m_mItemAnsVergroessern->isVisible() || m_mItemAnsVerkleinern->isVisible());

    m_mItemAnsFehleintraege->setVisible(open && PuzzleAllows(hoMarkErrors));
    if (m_mItemAnsFehleintraege->isVisible()) m_mItemAnsFehleintraege->setChecked(m_state->Settings.FehlerZeigen);

    const QAbstractButton* hints = GridButton("SBShowHints");
    m_mItemAnsTooltips->setVisible(open && Shown(hints));
    if (m_mItemAnsTooltips->isVisible()) m_mItemAnsTooltips->setChecked(IsDown(hints));

    if (IsSudoku(type)) {
        m_mItemAnsBegriffLaengen->setText(Utf8("&Mögliche Symbole anzeigen"));
        m_mItemAnsBegriffLaengen->setStatusTip(Utf8("Alle möglichen Symbole in den Feldern anzeigen"));
    } else {
        m_mItemAnsBegriffLaengen->setText(Utf8("&Begrifflängen anzeigen"));
        m_mItemAnsBegriffLaengen->setStatusTip(Utf8("Die Längen der Begriffe anzeigen"));
    }
    const QAbstractButton* length = GridButton("SBShowLength");
    const QAbstractButton* candidates = GridButton("SBShowHintGrids");
    m_mItemAnsBegriffLaengen->setVisible(open && (Shown(length) || Shown(candidates)));
    if (m_mItemAnsBegriffLaengen->isVisible())
        m_mItemAnsBegriffLaengen->setChecked(Shown(length) ? IsDown(length) : IsDown(candidates));
}

void TVxMainForm::MItemBeaFelderMarkierenClick() {
    const auto* grid = qobject_cast<const TRaetselForm*>(FindChildForm(fkPuzzle));
    if (!grid) return;
    // Tags: 0 none, -1 the separators, 1 to 12 a symbol, 13 only two possible.
    const int symbols = m_state->Puzzle.ColCount;
    const auto items = m_mItemBeaFelderMarkieren->actions();
    for (QAction* item : items) {
        const int tag = item->data().toInt();
        item->setVisible(tag <= symbols || tag == 13);
        if (item->isCheckable()) item->setChecked(tag == grid->MarkSymbol());
    }
}

void TVxMainForm::MItemBeaSchnappschussClick() {
    const auto* grid = qobject_cast<const TRaetselForm*>(FindChildForm(fkPuzzle));
    const auto items = m_mItemBeaSchnappschuss->actions();
    for (QAction* item : items) {
        const int slot = item->data().toInt();
        if (slot < 1) continue;
        item->setVisible(grid && grid->Snapshot(slot).Stamp > 0);
    }
}

void TVxMainForm::MItemBeaRueckgaengigClick() {
    if (!m_tbBeaRueckgaengig->isEnabled()) return;
    RestoreUndoCopy();
}

void TVxMainForm::MItemRaeInfosClick() {
    if (!HasPuzzleForm()) return;
    TReatselInfoDlg dialog(this);
    dialog.Fill(m_state->Puzzle, m_exePath);
    m_dialogs->Exec(dialog);
}

void TVxMainForm::MItemPrgInfoClick() {
    TInfoDlg dialog(m_state->Puzzle, m_exePath, this);
    m_dialogs->Exec(dialog);
}

void TVxMainForm::MItemPrgBeendenClick() { close(); }

QWidget* TVxMainForm::CreatePuzzleForm() {
    auto* form = new TRaetselForm(*this);
    QMdiSubWindow* sub = m_mdiArea->addSubWindow(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->move(0, 0);
    sub->show();
    return form;
}

void TVxMainForm::StartUpMessage() {
    setWindowTitle(QStringLiteral("Tavimo ") + ApplicationTitle());
    LoadStartPuzzle();
    m_startUpDone = true;
}

void TVxMainForm::LoadStartPuzzle() {
    TPlayerState& s = *m_state;
    const TSystemColorResolver resolve = PaletteResolver(palette());
    if (!m_params.empty()) {
        m_loadResult = LoadPuzzleFile(s.Puzzle, JoinCommandLine(m_params));
        SetDefaultSettings(s.Settings, s.Puzzle, resolve);
    } else {
        m_loadResult = LoadEmbeddedPuzzle(s.Puzzle, m_exePath, s.Settings, resolve);
    }

    const QString program = QString::fromStdString(m_exePath);
    switch (m_loadResult) {
    case lrLoaded:
        CreatePuzzleForm();
        UpdateCommands();
        break;
    case lrBadFormat:
        m_dialogs->ShowError(this, Utf8("Die Datei \"%1\" enthält kein Rätsel in einem bekannten Format!").arg(program));
        break;
    default:
        m_dialogs->ShowError(this, Utf8("Aus der Datei \"%1\" konnte nicht gelesen werden!").arg(program));
        break;
    }
}

void TVxMainForm::ShowHintAt(int x, int y, int size, const QString& text) {
    m_hintForm->ShowAt(x, y, size, text, this);
}

void TVxMainForm::CloseHint() {
    if (m_hintForm->isVisible()) m_hintForm->hide();
}

bool TVxMainForm::HintVisible() const { return m_hintForm->isVisible(); }

QCursor TVxMainForm::DragCursor(int number) const {
    if (number < crLeftToRight || number > crBottomToTop) return QCursor(Qt::ArrowCursor);
    return m_dragCursors[static_cast<std::size_t>(number - crLeftToRight)];
}

void TVxMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shown) return;
    m_shown = true;
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->geometry();
        resize(FrameSizeFor(area.size()));
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    // Loading starts only once the frame is on the screen.
    QMetaObject::invokeMethod(this, &TVxMainForm::StartUpMessage, Qt::QueuedConnection);
}

void TVxMainForm::closeEvent(QCloseEvent* event) {
    CloseHint();
    event->accept();
}

bool TVxMainForm::event(QEvent* event) {
    // The status line has shown the hint already (see eventFilter).
    if (event->type() == QEvent::StatusTip) return true;
    return QMainWindow::event(event);
}

void TVxMainForm::NoteClosing(QObject* receiver) {
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(widget);
    if (!sub) sub = qobject_cast<QMdiSubWindow*>(widget->parentWidget());
    if (!sub || sub->mdiArea() != m_mdiArea) return;
    m_closing.emplace_back(widget);
    // A close that was refused leaves the window open: forget it afterwards.
    QPointer<QWidget> watched(widget);
    QTimer::singleShot(0, this, [this, watched] {
        if (watched && watched->isVisible())
            std::erase_if(m_closing, [&](const QPointer<QObject>& c) { return c == watched; });
        std::erase_if(m_closing, [](const QPointer<QObject>& c) { return c.isNull(); });
    });
}

bool TVxMainForm::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        TrackModifiers(*static_cast<QKeyEvent*>(event));
        break;
    case QEvent::Close:
        NoteClosing(watched);
        break;
    case QEvent::StatusTip:
        // Hints of every window of the program, dialogs included, reach the status line.
        m_lblHints->setText(static_cast<QStatusTipEvent*>(event)->tip());
        break;
    case QEvent::MouseMove:
        if (watched == m_mdiArea->viewport()) CloseHint();
        else if (auto* menu = qobject_cast<QMenu*>(watched)) ShowDisabledItemHint(*menu, *static_cast<QMouseEvent*>(event));
        break;
    case QEvent::Hide:
        // The last closing menu leaves no hint behind, also not that of a
        // disabled item; a submenu closing under an open menu leaves its hint.
        if (qobject_cast<QMenu*>(watched) && !QApplication::activePopupWidget()) m_lblHints->clear();
        break;
    case QEvent::ApplicationDeactivate:
        ReleaseModifiers();
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

void TVxMainForm::TrackModifiers(const QKeyEvent& key) {
    TPlayerState& s = *m_state;
    const bool press = key.type() == QEvent::KeyPress;
    bool changed = false;
    if (key.key() == Qt::Key_Shift && s.Settings.EinfacheLegende && s.DragVertical != press) {
        s.DragVertical = press;
        changed = true;
    } else if (key.key() == Qt::Key_Control) {
        if (s.Puzzle.PuzzleType == 12) s.CtrlHeld = press;
        if (s.Puzzle.ReverseAllowed != 0 && s.DragReversed != press) {
            s.DragReversed = press;
            changed = true;
        }
    }
    if (changed) ModifiersChanged();
}

void TVxMainForm::ReleaseModifiers() {
    // Keys let go while another program had the focus never reach us.
    TPlayerState& s = *m_state;
    const bool changed = s.DragVertical || s.DragReversed;
    s.DragVertical = false;
    s.DragReversed = false;
    s.CtrlHeld = false;
    if (changed) ModifiersChanged();
}

void TVxMainForm::ModifiersChanged() {
    CallChild(FindChildForm(fkLegend), "UpdateDragCursor");
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
