// Entry point of the player: the frame loads the puzzle once it is on screen.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <algorithm>
#include <string>
#include <vector>

#include "AppTitle.h"
#include "Hauptformular.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(zx::ApplicationTitle());
    // The toolkit's own texts (shortcut names in the menus, the child windows'
    // system menus, the edit fields' context menus) in German like the rest of
    // the program; without the translation file they stay in English.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkitTexts);
    // The faces the puzzles and windows name map to metric-compatible free fonts.
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));

    // The parameters as their bytes, so that a file name in any encoding is
    // found again (the toolkit has taken its own options out of argv).
    std::vector<std::string> params(argv + std::min(argc, 1), argv + argc);

    zx::TVxMainForm frame(QCoreApplication::applicationFilePath().toStdString(), std::move(params));
    QCoreApplication::processEvents();
    frame.show();
    return app.exec();
}
