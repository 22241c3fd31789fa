#include "shell/AppSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "controls/Fonts.h"
#include "shell/AppTitle.h"

namespace zx {

void PrepareApplication(QTranslator& toolkitTexts) {
    QApplication::setApplicationName(ApplicationTitle());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    if (toolkitTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);
    InstallFontSubstitutes();
}

} // namespace zx
