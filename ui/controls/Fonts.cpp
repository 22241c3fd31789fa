// Font substitutions of the player, and fonts sized by their line height.
#include "controls/Fonts.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace zx {

void InstallFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
}

QFont FontWithHeight(const QString& face, int height, bool bold) {
    QFont f(face);
    f.setBold(bold);
    height = std::max(height, 1);
    f.setPixelSize(height);
    const qreal lineHeight = QFontMetricsF(f).height();
    if (lineHeight > 0) {
        const int px = static_cast<int>(std::lround(height * height / lineHeight));
        f.setPixelSize(std::max(px, 1));
    }
    return f;
}

} // namespace zx
