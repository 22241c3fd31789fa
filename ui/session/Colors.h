// Conversion of the document's 0x00BBGGRR colours (top byte 0x80: system
// colour) to Qt colours; system colours come from the widget palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "document/Settings.h"

namespace zx {

// Windows system colour indices that the settings may name.
enum TSystemColorIndex : int {
    scScrollBar = 0,
    scBackground = 1,
    scActiveCaption = 2,
    scInactiveCaption = 3,
    scMenu = 4,
    scWindow = 5,
    scWindowFrame = 6,
    scMenuText = 7,
    scWindowText = 8,
    scCaptionText = 9,
    scActiveBorder = 10,
    scInactiveBorder = 11,
    scAppWorkSpace = 12,
    scHighlight = 13,
    scHighlightText = 14,
    scBtnFace = 15,
    scBtnShadow = 16,
    scGrayText = 17,
    scBtnText = 18,
    scInactiveCaptionText = 19,
    scBtnHighlight = 20,
    sc3DDkShadow = 21,
    sc3DLight = 22,
    scInfoText = 23,
    scInfoBk = 24,
    scHotLight = 26,
    scGradientActiveCaption = 27,
    scGradientInactiveCaption = 28,
    scMenuHilight = 29,
    scMenuBar = 30,
};

QColor ToQColor(TColor c, const QPalette& palette = QPalette());
TColor FromQColor(const QColor& c);
// Resolver for the document's colour blending, backed by a palette.
TSystemColorResolver PaletteResolver(const QPalette& palette = QPalette());

} // namespace zx
