// The play commands and the one place their states are computed.
#include "session/PlayCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QLocale>
#include <QUrl>

#include "document/PuzzleData.h"
#include "rules/WordQueries.h"
#include "session/CommandMirror.h"
#include "session/ModalDialogs.h"
#include "session/TextConv.h"

namespace zx {

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

// The cell under the grid window's cursor carries the flag.
bool CursorHas(const TPlayerSession& s, std::uint32_t flag) {
    const QPoint c = s.Cursor();
    if (!InsideGrid(s.Puzzle(), c.x(), c.y())) return false;
    return (s.Puzzle().cell(c.x(), c.y()).Flags & flag) != 0;
}

} // namespace

namespace {

QString WikiAddress(const QString& wiki, const QString& word) {
    // "." and ".." would be resolved by the browser as steps within the path
    // (encoded or not), and no page has these names or none: the search page.
    if (word.isEmpty() || word == QLatin1String(".") || word == QLatin1String(".."))
        return wiki + QStringLiteral("Spezial:Suche");
    // Any other word is one path segment: umlauts, blanks, slashes, '?', '#'
    // and '%' are encoded.
    return wiki + QString::fromLatin1(QUrl::toPercentEncoding(word));
}

} // namespace

QString LookUpAddress(const QString& word) {
    return WikiAddress(QStringLiteral("https://de.wikipedia.org/wiki/"), word);
}

QString DictionaryAddress(const QString& word) {
    return WikiAddress(QStringLiteral("https://de.wiktionary.org/wiki/"), word);
}

TPlayCommands::TPlayCommands(TPlayerSession& session, TModalDialogs& dialogs, QObject* parent)
    : QObject(parent), m_session(session), m_dialogs(dialogs) {
    TPlayerSession& s = m_session;
    Make(TPlayCommand::BlankField, "MItemBeaLeerfeld", "&Leerfeld",
         "Das markierte Feld im Rätsel als Leerfeld festlegen")
        ->setCheckable(true);
    Make(TPlayCommand::RevealLetter, "MItemBeaEintragen", "Buchstaben &eintragen",
         "An der aktuellen Eingabeposition den gesuchten Buchstaben eintragen");
    QAction* word = Make(TPlayCommand::EnterWord, "MItemBeaBegriff", "&Begriff eintragen..",
                         "Den markierten Begriff eingeben");
    word->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    Make(TPlayCommand::ShowClue, "MItemPlayUmschreibung", "Umschreibung?",
         "Die Umschreibung des markierten Begriffs anzeigen");
    Make(TPlayCommand::LookUp, "MItemPlayNachschlagen", "Nachschlagen",
         "Den markierten Begriff im Online-Wörterbuch \"Wikipedia\" nachschlagen");
    Make(TPlayCommand::LookUpWord, "MItemPlaySuchen", "Begriff suchen..",
         "Den aktuell markierten Begriff im Wörterbuch suchen");
    Make(TPlayCommand::ZoomIn, "MItemAnsVergroessern", "&Vergrößern",
         "Die Gitter des Rätsels vergrößern")
        ->setData(1);
    Make(TPlayCommand::ZoomOut, "MItemAnsVerkleinern", "Ver&kleinern",
         "Die Gitter des Rätsels verkleinern")
        ->setData(-1);
    Make(TPlayCommand::ShowErrors, "MItemAnsFehleintraege", "&Fehleinträge markieren",
         "Fehlerhafte Buchstaben im Rätsel farblich absetzen")
        ->setCheckable(true);
    Make(TPlayCommand::ShowLengths, "MItemAnsBegriffLaengen", "&Begrifflängen anzeigen",
         "Die Längen der Begriffe anzeigen")
        ->setCheckable(true);
    Make(TPlayCommand::ShowHints, "MItemAnsTooltips", "&Tooltips anzeigen",
         "Nummern und Umschreibungen als Tooltip anzeigen")
        ->setCheckable(true);
    Make(TPlayCommand::TakeSnapshot, "MItemBeaSnapErstellen", "&Erstellen",
         "Einen Schnappschuss des aktuellen Rätselzustands speichern");

    // Exactly one marking is chosen at a time.
    m_markGroup = new QActionGroup(this);
    m_markGroup->setExclusive(true);
    for (int tag = 0; tag <= 13; ++tag) {
        QString caption;
        QString hint;
        QString name;
        if (tag == 0) {
            caption = Utf8("&Keine");
            hint = Utf8("Die Markierung im Rätsel aufheben");
            name = QStringLiteral("MItemBeaMarkKeine");
        } else if (tag == 13) {
            caption = Utf8("Nur zwei Zahlen möglich");
            hint = Utf8("Alle Felder markieren, in die nur ein oder zwei mögliche Zahlen "
                        "eingetragen werden können");
            name = QStringLiteral("MItemBeaMarkDuo");
        } else {
            const QString symbol =
                tag <= 9 ? QString::number(tag) : QString(QChar(u'A' + (tag - 10)));
            caption = QStringLiteral("\"&%1\" möglich").arg(symbol);
            hint =
                Utf8(tag <= 9 ? "Alle Felder markieren, in die eine \"%1\" eingetragen werden kann"
                              : "Alle Felder markieren, in die ein \"%1\" eingetragen werden kann")
                    .arg(symbol);
            name = QStringLiteral("MItemBeaMark%1").arg(tag);
        }
        auto* mark = new QAction(caption, this);
        mark->setData(tag);
        mark->setCheckable(true);
        mark->setChecked(tag == 0);
        m_markGroup->addAction(mark);
        m_marks[static_cast<std::size_t>(tag)] = mark;
        connect(mark, &QAction::triggered, this, [&s, tag] { s.SetMarkSymbol(tag); });
        QAction* item = MirrorCommand(mark, caption, hint, this, false);
        item->setObjectName(name);
        item->setData(tag);
        m_markItems[static_cast<std::size_t>(tag)] = item;
    }
    for (int slot = 1; slot <= TPlayerSession::SnapshotSlots; ++slot) {
        auto* item = new QAction(QString::number(slot), this);
        item->setObjectName(QStringLiteral("MItemBeaSnap%1").arg(slot));
        item->setData(slot);
        item->setStatusTip(Utf8("Den Rätsel-Schnappschuss wiederherstellen"));
        m_snapshots[static_cast<std::size_t>(slot - 1)] = item;
        connect(item, &QAction::triggered, this, [&s, slot] { s.RestoreSnapshot(slot); });
    }

    connect(Action(TPlayCommand::BlankField), &QAction::triggered, this,
            [&s](bool on) { s.SetBlank(s.Cursor().x(), s.Cursor().y(), on); });
    connect(Action(TPlayCommand::RevealLetter), &QAction::triggered, this,
            [&s] { s.RevealLetter(s.Cursor().x(), s.Cursor().y()); });
    connect(Action(TPlayCommand::ShowClue), &QAction::triggered, this, &TPlayCommands::ShowClue);
    connect(Action(TPlayCommand::LookUp), &QAction::triggered, this, &TPlayCommands::LookUp);
    connect(Action(TPlayCommand::LookUpWord), &QAction::triggered, this,
            &TPlayCommands::LookUpWord);
    connect(Action(TPlayCommand::ZoomIn), &QAction::triggered, this, [&s] { s.Zoom(1); });
    connect(Action(TPlayCommand::ZoomOut), &QAction::triggered, this, [&s] { s.Zoom(-1); });
    connect(Action(TPlayCommand::ShowErrors), &QAction::triggered, this,
            [&s](bool on) { s.SetShowErrors(on); });
    connect(Action(TPlayCommand::ShowHints), &QAction::triggered, this,
            [&s](bool on) { s.SetShowHints(on); });
    connect(Action(TPlayCommand::ShowLengths), &QAction::triggered, this, [&s](bool on) {
        if (IsSudoku(s.Kind()))
            s.SetShowCandidates(on);
        else
            s.SetShowLengths(on);
    });
    connect(Action(TPlayCommand::TakeSnapshot), &QAction::triggered, &s,
            &TPlayerSession::TakeSnapshot);

    connect(&s, &TPlayerSession::CommandsChanged, this, &TPlayCommands::Update);
    // A cursor move changes only what depends on the cell: every arrow key
    // comes by here.
    connect(&s, &TPlayerSession::CursorChanged, this, &TPlayCommands::UpdateCursorCommands);
    Update();
}

QAction* TPlayCommands::Make(TPlayCommand command, const char* name, const char* caption,
                             const char* hint) {
    auto* action = new QAction(Utf8(caption), this);
    action->setObjectName(QString::fromLatin1(name));
    action->setStatusTip(Utf8(hint));
    action->setToolTip(Utf8(hint));
    m_actions[static_cast<std::size_t>(command)] = action;
    return action;
}

QAction* TPlayCommands::Action(TPlayCommand command) const {
    return m_actions[static_cast<std::size_t>(command)];
}

QAction* TPlayCommands::MarkAction(int tag) const {
    return m_marks[static_cast<std::size_t>(std::clamp(tag, 0, 13))];
}

QAction* TPlayCommands::MarkItem(int tag) const {
    return m_markItems[static_cast<std::size_t>(std::clamp(tag, 0, 13))];
}

QAction* TPlayCommands::SnapshotAction(int slot) const {
    return m_snapshots[static_cast<std::size_t>(std::clamp(slot, 1, TPlayerSession::SnapshotSlots) -
                                                1)];
}

void TPlayCommands::Update() {
    const TPlayerSession& s = m_session;
    const TPuzzleData& p = s.Puzzle();
    const bool open = s.FormOpen(TFormKind::Puzzle);
    const bool playing = open && s.ViewMode() == 0;
    const TPuzzleKind kind = s.Kind();
    const TProgramSettings& settings = s.Settings();

    Action(TPlayCommand::BlankField)->setVisible(playing && IsAmerican(kind));

    QAction* reveal = Action(TPlayCommand::RevealLetter);
    reveal->setVisible(playing && !IsJigsaw(kind) && (p.HelpOptions & hoInsertLetter));
    reveal->setText(IsSudoku(kind) ? Utf8("Symbol &eintragen") : Utf8("Buchstaben &eintragen"));

    Action(TPlayCommand::EnterWord)
        ->setVisible(playing && (IsSwedish(kind) || IsBrainTeaser(kind)));
    UpdateCursorCommands();

    // The clue and the look-up of brain-teaser words only where the author allows hints.
    const bool clues =
        playing && IsCrossword(kind) && (!IsBrainTeaser(kind) || (p.HelpOptions & hoMarkErrors));
    Action(TPlayCommand::ShowClue)->setVisible(clues);
    Action(TPlayCommand::LookUp)->setVisible(clues);
    Action(TPlayCommand::LookUpWord)->setVisible(clues);

    Action(TPlayCommand::ZoomIn)->setVisible(open);
    Action(TPlayCommand::ZoomOut)->setVisible(open);

    QAction* errors = Action(TPlayCommand::ShowErrors);
    errors->setVisible(open && s.PuzzleAllows(hoMarkErrors));
    errors->setChecked(settings.FehlerZeigen);

    QAction* hints = Action(TPlayCommand::ShowHints);
    hints->setVisible(open && !IsSudoku(kind));
    hints->setChecked(settings.HinweiseZeigen);

    QAction* lengths = Action(TPlayCommand::ShowLengths);
    lengths->setVisible(open && (IsBrainTeaser(kind) || IsSudoku(kind)));
    if (IsSudoku(kind)) {
        lengths->setText(Utf8("&Mögliche Symbole anzeigen"));
        lengths->setStatusTip(Utf8("Alle möglichen Symbole in den Feldern anzeigen"));
        lengths->setChecked(settings.MoeglicheZahlenZeigen);
    } else {
        lengths->setText(Utf8("&Begrifflängen anzeigen"));
        lengths->setStatusTip(Utf8("Die Längen der Begriffe anzeigen"));
        lengths->setChecked(settings.LaengenZeigen);
    }

    UpdateMarkItems();
}

void TPlayCommands::UpdateCursorCommands() {
    const TPlayerSession& s = m_session;
    const TPuzzleData& p = s.Puzzle();
    const bool open = s.FormOpen(TFormKind::Puzzle);
    const QPoint cursor = s.Cursor();
    const bool across = s.InputDirection() == TInputDir::Across;
    Action(TPlayCommand::BlankField)->setChecked(CursorHas(s, cfBlank));
    // A given Sudoku symbol is its own solution: revealing does nothing there.
    const bool given = IsSudoku(s.Kind()) && CursorHas(s, cfSolution);
    Action(TPlayCommand::RevealLetter)
        ->setEnabled(open && !given && !CursorHas(s, StopFlag(s.Kind())));
    Action(TPlayCommand::EnterWord)
        ->setEnabled(open && WordNumberAt(p, cursor.x(), cursor.y(),
                                          across ? TWordDir::Across : TWordDir::Down) > 0);
}

void TPlayCommands::UpdateMarkItems() {
    // The submenus show only for a Sudoku; within them the symbols it uses.
    const int symbols = m_session.Puzzle().ColCount;
    for (int tag = 0; tag <= 13; ++tag) {
        MarkItem(tag)->setVisible(tag <= symbols || tag == 13);
        MarkAction(tag)->setChecked(tag == m_session.MarkSymbol());
        MarkItem(tag)->setChecked(tag == m_session.MarkSymbol());
    }
}

void TPlayCommands::UpdateSnapshotItems() {
    const bool open = m_session.FormOpen(TFormKind::Puzzle);
    for (int slot = 1; slot <= TPlayerSession::SnapshotSlots; ++slot) {
        QAction* item = SnapshotAction(slot);
        const double stamp = m_session.Snapshot(slot).Stamp;
        item->setVisible(open && stamp > 0);
        if (stamp <= 0) continue;
        const QString time = QLocale::system().toString(
            QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(stamp)).time(), QLocale::LongFormat);
        item->setText(QStringLiteral("%1: %2 h").arg(slot).arg(time));
        item->setStatusTip(Utf8("Den Schnappschuss von %1 h wiederherstellen").arg(time));
    }
}

void TPlayCommands::ShowClue() {
    const TPlayerSession& s = m_session;
    const TPuzzleData& p = s.Puzzle();
    if (!s.FormOpen(TFormKind::Puzzle)) return;
    const QPoint c = s.Cursor();
    const TInputDir dir = s.InputDirection();
    if (IsAmerican(s.Kind())) {
        // The word at the cursor would tell where the hidden blocks are: the
        // clues of the cursor's line, as the legend lists them, tell nothing.
        if (!InsideGrid(p, c.x(), c.y())) return;
        const bool down = dir == TInputDir::Down;
        const std::string clues = LineClues(p, down ? c.x() : c.y(), !down);
        if (clues.empty()) return;
        m_dialogs.ShowNote(m_dialogParent,
                           (down ? Utf8("Rätselspalte %1") : Utf8("Rätselzeile %1"))
                               .arg(down ? c.x() : c.y()),
                           ToQString(clues));
        return;
    }
    const int number = ClueNumberAtCursor(p, c.x(), c.y(), dir);
    std::string pattern = CurrentWordText(p, c.x(), c.y(), dir, true);
    std::replace(pattern.begin(), pattern.end(), ' ', '?');
    const int index =
        FindWord(p, number, dir == TInputDir::Down ? TWordDir::Down : TWordDir::Across);
    if (index < 0) return;
    const TPuzzleWord& w = p.Words[index];
    if (w.Reversed) pattern = ReverseText(pattern);
    if (w.Clue.empty()) return;
    m_dialogs.ShowNote(m_dialogParent, ToQString(pattern), ToQString(w.Clue.view()));
}

QString TPlayCommands::WordToLookUp() {
    const TPlayerSession& s = m_session;
    if (!s.FormOpen(TFormKind::Puzzle)) return {};
    const QPoint c = s.Cursor();
    const std::string word =
        TitleCase(CurrentWordText(s.Puzzle(), c.x(), c.y(), s.InputDirection(), true));
    if (word.empty() || word.find(' ') != std::string::npos) {
        m_dialogs.ShowError(m_dialogParent,
                            Utf8("Sie können nur komplett gelöste Begriffe im Online-Lexikon "
                                 "nachschlagen."));
        return {};
    }
    return ToQString(word);
}

void TPlayCommands::LookUp() {
    const QString word = WordToLookUp();
    if (!word.isEmpty()) m_dialogs.OpenAddress(QUrl(LookUpAddress(word), QUrl::StrictMode));
}

void TPlayCommands::LookUpWord() {
    const QString word = WordToLookUp();
    if (!word.isEmpty()) m_dialogs.OpenAddress(QUrl(DictionaryAddress(word), QUrl::StrictMode));
}

} // namespace zx
