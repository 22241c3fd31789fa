// Entry point of the player: the frame loads the puzzle once it is on screen.
#include <QApplication>
#include <QTranslator>
#include <algorithm>
#include <string>
#include <vector>

#include <unistd.h>

#include "shell/AppSetup.h"
#include "shell/Hauptformular.h"

namespace {

// The program's own file as the system names it, byte for byte, so that the
// puzzle it carries is found in a folder whose name is not valid UTF-8 too.
std::string OwnFilePath() {
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length > 0 && static_cast<std::size_t>(length) < path.size()) {
        path.resize(static_cast<std::size_t>(length));
        return path;
    }
    return QCoreApplication::applicationFilePath().toStdString();
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTranslator toolkitTexts;
    zx::PrepareApplication(toolkitTexts);

    // The parameters as their bytes, so that a file name in any encoding is
    // found again (the toolkit has taken its own options out of argv).
    std::vector<std::string> params(argv + std::min(argc, 1), argv + argc);

    zx::TVxMainForm frame(OwnFilePath(), std::move(params));
    QCoreApplication::processEvents();
    frame.show();
    return app.exec();
}
