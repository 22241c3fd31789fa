// The play commands: one action each, shared by the frame's menu item, the
// grid window's toolbar button and its popup menu. Their enabled, visible and
// checked states are computed here, in one place, from the play session.
#pragma once

#include <QObject>
#include <QString>
#include <array>

#include "session/PlayerSession.h"

class QAction;
class QActionGroup;
class QWidget;

namespace zx {

class TModalDialogs;

enum class TPlayCommand {
    BlankField,   // the cursor cell as a blank field (American crosswords)
    RevealLetter, // the right letter or symbol at the cursor, or empty again
    EnterWord,    // the whole word through the cursor, typed in the word dialog
    ShowClue,     // the clue of the word through the cursor
    LookUp,       // the solved word in the online encyclopedia
    LookUpWord,   // the solved word in the online dictionary
    ZoomIn,
    ZoomOut,
    ShowErrors,   // wrong letters in their colour
    ShowLengths,  // word lengths, or the possible symbols of a Sudoku
    ShowHints,    // numbers and clues as tooltips
    TakeSnapshot, // the entries of a Sudoku into a snapshot slot
};
inline constexpr int PlayCommandCount = 12;

// The addresses the look-ups open for a word (title case, any characters):
// its article in the encyclopedia, its entry in the dictionary.
QString LookUpAddress(const QString& word);
QString DictionaryAddress(const QString& word);

class TPlayCommands : public QObject {
    Q_OBJECT
public:
    TPlayCommands(TPlayerSession& session, TModalDialogs& dialogs, QObject* parent = nullptr);

    QAction* Action(TPlayCommand command) const;
    // Marking filter: tag 0 none, 1..12 a symbol, 13 one or two possible
    // symbols. The command, presented by the marking buttons of a Sudoku.
    QAction* MarkAction(int tag) const;
    // Its item of the frame's marking submenu, shown for the symbols the puzzle uses.
    QAction* MarkItem(int tag) const;
    // Restoring snapshot slot 1..4.
    QAction* SnapshotAction(int slot) const;
    // The window that owns the message boxes of the commands.
    void SetDialogParent(QWidget* parent) { m_dialogParent = parent; }

    // Every state from the session: visibility, enabled state, ticks, captions.
    void Update();
    // The marking items the puzzle's symbols allow, ticked at the current mark.
    void UpdateMarkItems();
    // Only the states that depend on the cursor's cell.
    void UpdateCursorCommands();
    // The snapshot slots in use, captioned with their time of day.
    void UpdateSnapshotItems();

    // The commands that need a message box.
    void ShowClue();
    void LookUp();
    void LookUpWord();

private:
    QAction* Make(TPlayCommand command, const char* name, const char* caption, const char* hint);
    // The current word for a look-up, or empty after telling the player that
    // only a whole word can be looked up.
    QString WordToLookUp();

    TPlayerSession& m_session;
    TModalDialogs& m_dialogs;
    QWidget* m_dialogParent = nullptr;
    std::array<QAction*, PlayCommandCount> m_actions{};
    std::array<QAction*, 14> m_marks{};
    std::array<QAction*, 14> m_markItems{};
    std::array<QAction*, TPlayerSession::SnapshotSlots> m_snapshots{};
    QActionGroup* m_markGroup = nullptr;
};

} // namespace zx
