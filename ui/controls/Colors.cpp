// Colour conversion between the document and Qt.
#include "Colors.h"

#include <algorithm>

namespace zx {

namespace {

QColor SystemColor(int index, const QPalette& pal) {
    switch (index) {
    case scWindow: return pal.color(QPalette::Base);
    case scWindowText: return pal.color(QPalette::Text);
    case scHighlight: return pal.color(QPalette::Highlight);
    case scHighlightText: return pal.color(QPalette::HighlightedText);
    case scBtnFace: return pal.color(QPalette::Button);
    case scBtnShadow: return pal.color(QPalette::Dark);
    case scGrayText: return pal.color(QPalette::Disabled, QPalette::Text);
    case scBtnText: return pal.color(QPalette::ButtonText);
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

QColor ToQColor(TColor c, const QPalette& palette) {
    if (IsSystemColor(c)) return SystemColor(static_cast<int>(c & 0xFF), palette);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TColor FromQColor(const QColor& c) {
    return static_cast<TColor>(c.red()) | (static_cast<TColor>(c.green()) << 8) |
           (static_cast<TColor>(c.blue()) << 16);
}

TSystemColorResolver PaletteResolver(const QPalette& palette) {
    return [palette](int index) { return FromQColor(SystemColor(index, palette)); };
}

QColor ShadeColor(const QColor& c, double factor) {
    factor = std::clamp(factor, -1.0, 1.0);
    // Darkening keeps a trace of the colour: factor -1 takes 40 % off each channel,
    // so the toolbar gradients end in a soft grey rather than black.
    auto channel = [factor](int v) {
        const double r = factor < 0 ? v * (1.0 + 0.4 * factor) : v + (255 - v) * factor;
        return std::clamp(static_cast<int>(r), 0, 255);
    };
    return QColor(channel(c.red()), channel(c.green()), channel(c.blue()));
}

} // namespace zx
