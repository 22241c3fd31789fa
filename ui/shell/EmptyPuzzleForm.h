// A stand-in grid window: an empty child window with the puzzle's caption,
// opened after a good load until the real grid window takes its place.
#pragma once

#include <QWidget>

#include "PuzzleData.h"

namespace zx {

class TFrameLink;

class TEmptyPuzzleForm : public QWidget {
    Q_OBJECT
public:
    explicit TEmptyPuzzleForm(TFrameLink& frame, QWidget* parent = nullptr);

    // The grid window's caption: the title, or the type line when it is empty.
    static QString PuzzleCaption(const TPuzzleData& puzzle);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TFrameLink& m_frame;
};

} // namespace zx
