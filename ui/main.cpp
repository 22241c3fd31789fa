// Entry point of the player: the frame loads the puzzle once it is on screen.
#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
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

    std::vector<std::string> params;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) params.push_back(arguments[i].toStdString());

    zx::TVxMainForm frame(QCoreApplication::applicationFilePath().toStdString(), std::move(params));
    QCoreApplication::processEvents();
    frame.show();
    return app.exec();
}
