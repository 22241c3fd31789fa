// Helpers of the grid window tests: a frame stand-in recording what the window
// asks of it, puzzles compiled from readable text, key and pixel helpers.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "RecordingDialogs.h"
#include "controls/DrawGrid.h"
#include "controls/Fonts.h"
#include "document/Settings.h"
#include "grid/RaetselFormular.h"
#include "session/FrameLink.h"
#include "session/ModalDialogs.h"
#include "session/PlayCommands.h"
#include "session/PlayerSession.h"
#include "session/PlayerState.h"
#include "tools/PuzzleSource.h"

namespace gridtest {

class TFakeFrame : public zx::TFrameLink {
public:
    zx::TPlayerSession Play;
    zx::TPlayerState& St = Play.Edit();
    zxtest::TRecordingDialogs Dlg;
    zx::TPlayCommands Commands_{Play, Dlg};
    // Side windows that close with the grid window.
    std::map<zx::TFormKind, QWidget*> Children;
    int UndoSaves = 0;
    int CommandUpdates = 0;
    // The hint popup: every hint shown, and whether one is showing.
    struct THint {
        QRect Cell; // on the screen
        int Size;
        QString Text;
    };
    std::vector<THint> Hints;
    bool HintShowing = false;

    TFakeFrame() {
        QObject::connect(&Play, &zx::TPlayerSession::UndoCopyTaken, [this] { ++UndoSaves; });
        QObject::connect(&Play, &zx::TPlayerSession::CommandsChanged, [this] { ++CommandUpdates; });
        QObject::connect(&Play, &zx::TPlayerSession::ResultMessage,
                         [this](const QString& text, bool success) { Dlg.ShowResult(nullptr, text, success); });
    }
    zx::TPlayerSession& Session() override { return Play; }
    zx::TModalDialogs& Dialogs() override { return Dlg; }
    zx::TPlayCommands& Commands() override { return Commands_; }
    void ShowHintAt(const QRect& cell, int size, const QString& text) override {
        Hints.push_back({cell, size, text});
        HintShowing = true;
    }
    void CloseHint() override { HintShowing = false; }
    bool HintVisible() const override { return HintShowing; }
    // Registers a side window as open.
    void OpenChild(zx::TFormKind kind, QWidget* window) {
        Children[kind] = window;
        Play.SetFormOpen(kind, true);
    }
    // What the frame does when the grid window closes.
    void CloseChildren() {
        for (const auto& [kind, window] : Children) {
            window->close();
            Play.SetFormOpen(kind, false);
        }
    }
};

// A frame with its grid window.
struct TFormHolder {
    std::unique_ptr<TFakeFrame> Frame;
    std::unique_ptr<zx::TRaetselForm> Form;
};

std::unique_ptr<TFakeFrame> FrameFromSource(const std::string& source) {
    auto frame = std::make_unique<TFakeFrame>();
    zx::TCompiledPuzzle compiled;
    zx::TSourceError error;
    if (!zx::CompilePuzzleSource(source, "fixture", compiled, error)) {
        QTest::qFail(zx::FormatSourceError(error).c_str(), __FILE__, __LINE__);
        return nullptr;
    }
    frame->St.Puzzle = compiled.Record;
    zx::SetDefaultSettings(frame->St.Settings, frame->St.Puzzle);
    return frame;
}

std::unique_ptr<TFakeFrame> FrameFromSample(const QString& name) {
    QFile file(QStringLiteral(ZX_SAMPLES_DIR "/") + name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly)) return nullptr;
    return FrameFromSource(file.readAll().toStdString());
}

std::vector<QString> SampleNames() {
    std::vector<QString> names;
    for (const QString& f : QDir(QStringLiteral(ZX_SAMPLES_DIR)).entryList({"*.txt"}, QDir::Files))
        if (f != QStringLiteral("CMakeLists.txt")) names.push_back(f.chopped(4));
    return names;
}

// The shown grid window, with the keyboard focus in its grid.
inline TFormHolder Open(std::unique_ptr<TFakeFrame> frame) {
    TFormHolder h;
    h.Frame = std::move(frame);
    if (!h.Frame) return h;
    h.Frame->Play.SetFormOpen(zx::TFormKind::Puzzle, true);
    h.Form = std::make_unique<zx::TRaetselForm>(*h.Frame);
    QObject::connect(h.Form.get(), &zx::TRaetselForm::Closing, [frame = h.Frame.get()] { frame->CloseChildren(); });
    h.Form->show();
    h.Form->activateWindow();
    if (!QTest::qWaitForWindowActive(h.Form.get())) qWarning("grid window not active");
    h.Form->Raetsel()->setFocus();
    return h;
}

inline QImage RenderGrid(zx::TRaetselForm& form) {
    return form.Raetsel()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline QRect CellOnScreen(zx::TRaetselForm& form, int col, int row) {
    const int m = form.Raetsel()->Margin();
    return form.Raetsel()->CellRect(col, row).translated(m, m);
}

// A background pixel of a cell: near its top-right corner, clear of numbers,
// letters, the cursor frame and the direction arrow.
inline QColor BackgroundOf(const QImage& image, const QRect& cell) {
    return image.pixelColor(cell.right() - 4, cell.top() + 4);
}

// Pixels inside rect for which the test holds.
inline int Count(const QImage& image, const QRect& rect, const std::function<bool(QColor)>& test) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += test(image.pixelColor(x, y));
    return n;
}

inline int CountColour(const QImage& image, const QRect& rect, const QColor& colour) {
    return Count(image, rect, [&](QColor c) { return c.rgb() == colour.rgb(); });
}

inline int CountInk(const QImage& image, const QRect& rect, const QColor& background) {
    return Count(image, rect, [&](QColor c) { return c.rgb() != background.rgb(); });
}

// Types one character (or Enter as '\r', Backspace '\b', Delete '\x7f', arrows
// '<' '>' '^' '_') into the grid.
inline void Type(zx::TRaetselForm& form, char key) {
    static const std::map<char, Qt::Key> special = {
        {'\r', Qt::Key_Return}, {'\b', Qt::Key_Backspace}, {'\x7f', Qt::Key_Delete},
        {'<', Qt::Key_Left},    {'>', Qt::Key_Right},      {'^', Qt::Key_Up},
        {'_', Qt::Key_Down}};
    QWidget* grid = form.Raetsel();
    if (const auto it = special.find(key); it != special.end())
        QTest::keyClick(grid, it->second);
    else if (static_cast<unsigned char>(key) < 0x80)
        QTest::keyClick(grid, key);
    else {
        // Characters beyond ASCII arrive with their text only.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                        QString(QChar(static_cast<unsigned char>(key))));
        QApplication::sendEvent(grid, &press);
    }
}

inline void TypeKeys(zx::TRaetselForm& form, const char* keys) {
    for (; *keys; ++keys)
        Type(form, *keys);
}

inline void MoveTo(zx::TRaetselForm& form, int col, int row) {
    const zx::TDrawGrid* grid = form.Raetsel();
    for (int guard = 0; guard < 200 && grid->Col() != col; ++guard)
        Type(form, grid->Col() < col ? '>' : '<');
    for (int guard = 0; guard < 200 && grid->Row() != row; ++guard)
        Type(form, grid->Row() < row ? '_' : '^');
}

} // namespace gridtest
