// Stand-in grid window.
#include "EmptyPuzzleForm.h"

#include <QCloseEvent>

#include "FrameLink.h"
#include "PlayerState.h"
#include "TextConv.h"

namespace zx {

TEmptyPuzzleForm::TEmptyPuzzleForm(TFrameLink& frame, QWidget* parent)
    : QWidget(parent), m_frame(frame) {
    setObjectName(QStringLiteral("RaetselForm"));
    setWindowTitle(PuzzleCaption(frame.State().Puzzle));
    setMinimumSize(320, 240);
}

QString TEmptyPuzzleForm::PuzzleCaption(const TPuzzleData& puzzle) {
    if (!puzzle.Title.empty()) return ToQString(puzzle.Title.view());
    return ToQString(PuzzleTypeCaption(puzzle));
}

void TEmptyPuzzleForm::closeEvent(QCloseEvent* event) {
    m_frame.State().ViewMode = 0;
    m_frame.CloseHint();
    m_frame.UpdateCommands();
    event->accept();
}

} // namespace zx
