// Entry point of the player (replaced by the frame's start-up once it exists).
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromUtf8("Rätsel-Player"));
    QMainWindow frame;
    frame.setWindowTitle(QString::fromUtf8("Tavimo Zindorax - Rätsel-Player"));
    frame.show();
    return app.exec();
}
