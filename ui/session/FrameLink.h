// What a child window may ask of the frame. Windows never include the frame
// or each other; the frame implements this interface and wires the windows.
#pragma once

class QCursor;
class QString;
class QWidget;

namespace zx {

struct TPlayerState;
class TModalDialogs;

// Kinds of child windows, at most one of each.
enum TFormKind : int {
    fkPuzzle = 1,    // grid window
    fkSolution = 2,  // solution-word window
    fkLegend = 3,    // clue lists
    fkNumLegend = 4, // code table of number puzzles
    fkStopwatch = 5,
};

class TFrameLink {
public:
    virtual ~TFrameLink() = default;

    virtual TPlayerState& State() = 0;
    virtual TModalDialogs& Dialogs() = 0;
    // The open child window of a kind, or nullptr.
    virtual QWidget* FindChildForm(int kind) const = 0;
    // True when no grid window is open, or the puzzle's help options allow any bit of mask.
    virtual bool PuzzleAllows(int mask) const = 0;
    // Copies the record into the undo copy and enables undo.
    virtual void SaveUndoCopy() = 0;
    // Recomputes the enabled and visible state of the frame's commands.
    virtual void UpdateCommands() = 0;

    // Copies the undo copy back over the record, refreshes the open windows
    // and disables undo.
    virtual void RestoreUndoCopy() {}
    // The hint popup next to a screen point: size 0 plain, otherwise that
    // point size in bold. Replaces a hint that is showing.
    virtual void ShowHintAt(int x, int y, int size, const QString& text);
    virtual void CloseHint() {}
    virtual bool HintVisible() const { return false; }
    // Drag cursor 101 (left to right), 102 (right to left), 103 (top to
    // bottom) or 104 (bottom to top); the arrow cursor for other numbers.
    virtual QCursor DragCursor(int number) const;
};

} // namespace zx
