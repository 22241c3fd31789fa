// Helpers of the grid window tests: a frame stand-in that records what the
// window asks of it, puzzles compiled from readable text, and pixel probes.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FrameLink.h"
#include "ModalDialogs.h"
#include "PlayerState.h"
#include "RaetselFormular.h"

namespace gridtest {

class TRecordingDialogs : public zx::TModalDialogs {
public:
    struct Result {
        QString Text;
        bool Success = false;
    };
    std::vector<Result> Results;
    std::vector<QString> Messages;

    void ShowInformation(QWidget*, const QString& text) override { Messages.push_back(text); }
    void ShowError(QWidget*, const QString& text) override { Messages.push_back(text); }
    bool AskYesNo(QWidget*, const QString& text) override {
        Messages.push_back(text);
        return true;
    }
    void ShowResult(QWidget*, const QString& text, bool success) override {
        Results.push_back({text, success});
    }
    int Exec(QDialog&) override { return 0; }
};

class TFakeFrame : public zx::TFrameLink {
public:
    zx::TPlayerState St;
    TRecordingDialogs Dlg;
    std::map<int, QWidget*> Children;
    int UndoSaves = 0;
    int CommandUpdates = 0;

    zx::TPlayerState& State() override { return St; }
    zx::TModalDialogs& Dialogs() override { return Dlg; }
    QWidget* FindChildForm(int kind) const override {
        const auto it = Children.find(kind);
        return it == Children.end() ? nullptr : it->second;
    }
    bool PuzzleAllows(int mask) const override { return (St.Puzzle.HelpOptions & mask) != 0; }
    void SaveUndoCopy() override {
        St.UndoCopy = St.Puzzle;
        St.UndoAvailable = true;
        ++UndoSaves;
    }
    void UpdateCommands() override { ++CommandUpdates; }
};

// Maps the faces the program names to the installed metric-compatible fonts.
void InstallFontSubstitutes();

// A frame holding the puzzle compiled from source text (UTF-8) with default
// settings; fails the running test when the source does not compile.
std::unique_ptr<TFakeFrame> FrameFromSource(const std::string& source);
// A frame holding a sample puzzle, compiled from its source (name without extension).
std::unique_ptr<TFakeFrame> FrameFromSample(const QString& name);
// Every sample puzzle name.
std::vector<QString> SampleNames();

// A shown grid window with the keyboard focus in its grid.
zx::TRaetselForm* OpenForm(TFakeFrame& frame);

// A frame with its grid window, released in the right order.
struct TFormHolder {
    std::unique_ptr<TFakeFrame> Frame;
    std::unique_ptr<zx::TRaetselForm> Form;
};
TFormHolder Open(std::unique_ptr<TFakeFrame> frame);

// The grid as drawn now, in grid widget coordinates.
QImage RenderGrid(zx::TRaetselForm& form);
// The widget rectangle of a cell.
QRect CellOnScreen(zx::TRaetselForm& form, int col, int row);
// A background pixel of a cell: near its top-right corner, clear of numbers,
// letters, the input cursor frame and the direction arrow.
QColor BackgroundOf(const QImage& image, const QRect& cell);
// Pixels of a colour inside a rectangle.
int CountColour(const QImage& image, const QRect& rect, const QColor& colour);
// Pixels inside a rectangle that differ from its background colour.
int CountInk(const QImage& image, const QRect& rect, const QColor& background);

// Types one key into the grid.
void Type(zx::TRaetselForm& form, char key);
// Moves the grid cursor with the arrow keys.
void MoveTo(zx::TRaetselForm& form, int col, int row);

} // namespace gridtest
