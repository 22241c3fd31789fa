// Colour conversion between the document and Qt.
#include "session/Colors.h"

#include <algorithm>

namespace zx {

namespace {

// Every Windows system colour a settings block may name, by its palette
// equivalent; text colours map to text roles so that they stay readable on
// the background they belong with.
QColor SystemColor(int index, const QPalette& pal) {
    switch (index) {
    case scWindow:
    case scMenu:
    case scMenuBar: return pal.color(QPalette::Base);
    case scWindowText:
    case scMenuText:
    case scWindowFrame: return pal.color(QPalette::Text);
    case scActiveCaption:
    case scGradientActiveCaption:
    case scHighlight:
    case scMenuHilight: return pal.color(QPalette::Highlight);
    case scCaptionText:
    case scHighlightText: return pal.color(QPalette::HighlightedText);
    case scInactiveCaption:
    case scGradientInactiveCaption: return pal.color(QPalette::Inactive, QPalette::Highlight);
    case scInactiveCaptionText: return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case scScrollBar:
    case scActiveBorder:
    case scInactiveBorder:
    case scBtnFace: return pal.color(QPalette::Button);
    case scBackground:
    case scAppWorkSpace: return pal.color(QPalette::Mid);
    case scBtnShadow: return pal.color(QPalette::Dark);
    case sc3DDkShadow: return pal.color(QPalette::Shadow);
    case scBtnHighlight: return pal.color(QPalette::Light);
    case sc3DLight: return pal.color(QPalette::Midlight);
    case scGrayText: return pal.color(QPalette::Disabled, QPalette::Text);
    case scBtnText: return pal.color(QPalette::ButtonText);
    case scInfoText: return pal.color(QPalette::ToolTipText);
    case scInfoBk: return pal.color(QPalette::ToolTipBase);
    case scHotLight: return pal.color(QPalette::Link);
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

} // namespace zx
