// Conversion of the document's 0x00BBGGRR colours (top byte 0x80: system
// colour) to Qt colours; system colours come from the widget palette.
#pragma once

#include <QColor>
#include <QPalette>

#include "Settings.h"

namespace zx {

// Windows system colour indices that the settings may name.
enum TSystemColorIndex : int {
    scWindow = 5,
    scWindowText = 8,
    scHighlight = 13,
    scHighlightText = 14,
    scBtnFace = 15,
    scBtnShadow = 16,
    scGrayText = 17,
    scBtnText = 18,
};

QColor ToQColor(TColor c, const QPalette& palette = QPalette());
TColor FromQColor(const QColor& c);
// Resolver for the document's colour blending, backed by a palette.
TSystemColorResolver PaletteResolver(const QPalette& palette = QPalette());
// The colour darkened (factor < 0, down to 60 % of each channel at -1) or
// lightened toward white (factor > 0, white at 1).
QColor ShadeColor(const QColor& c, double factor);

} // namespace zx
