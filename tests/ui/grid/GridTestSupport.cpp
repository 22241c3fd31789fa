// Helpers of the grid window tests.
#include "GridTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QFile>
#include <QFont>
#include <QTest>

#include "DrawGrid.h"
#include "PuzzleSource.h"
#include "RaetselFormular.h"
#include "Settings.h"

namespace gridtest {

void InstallFontSubstitutes() {
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

std::unique_ptr<TFakeFrame> FrameFromSource(const std::string& source) {
    auto frame = std::make_unique<TFakeFrame>();
    zx::TCompiledPuzzle compiled;
    zx::TSourceError error;
    if (!zx::CompilePuzzleSource(source, "fixture", compiled, error)) {
        QTest::qFail(zx::FormatSourceError(error).c_str(), __FILE__, __LINE__);
        return nullptr;
    }
    frame->St.Puzzle = compiled.Record;
    zx::SetDefaultSettings(frame->St.Settings, frame->St.Puzzle);
    return frame;
}

std::unique_ptr<TFakeFrame> FrameFromSample(const QString& name) {
    QFile file(QStringLiteral(ZX_SAMPLES_DIR "/") + name + QStringLiteral(".txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(qPrintable(QStringLiteral("cannot read ") + file.fileName()), __FILE__, __LINE__);
        return nullptr;
    }
    return FrameFromSource(file.readAll().toStdString());
}

std::vector<QString> SampleNames() {
    std::vector<QString> names;
    const QDir dir(QStringLiteral(ZX_SAMPLES_DIR));
    for (const QString& file : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        if (file != QStringLiteral("CMakeLists.txt")) names.push_back(file.chopped(4));
    return names;
}

zx::TRaetselForm* OpenForm(TFakeFrame& frame) {
    auto* form = new zx::TRaetselForm(frame);
    form->show();
    form->activateWindow();
    if (!QTest::qWaitForWindowActive(form))
        qWarning("grid window did not become active");
    form->Raetsel()->setFocus();
    return form;
}

TFormHolder Open(std::unique_ptr<TFakeFrame> frame) {
    TFormHolder h;
    h.Frame = std::move(frame);
    if (h.Frame) h.Form.reset(OpenForm(*h.Frame));
    return h;
}

QImage RenderGrid(zx::TRaetselForm& form) {
    return form.Raetsel()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect CellOnScreen(zx::TRaetselForm& form, int col, int row) {
    const int m = form.Raetsel()->Margin();
    return form.Raetsel()->CellRect(col, row).translated(m, m);
}

QColor BackgroundOf(const QImage& image, const QRect& cell) {
    return image.pixelColor(cell.right() - 4, cell.top() + 4);
}

int CountColour(const QImage& image, const QRect& rect, const QColor& colour) {
    int n = 0;
    const QRect r = rect.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb()) ++n;
    return n;
}

int CountInk(const QImage& image, const QRect& rect, const QColor& background) {
    const QRect r = rect.intersected(image.rect());
    return r.width() * r.height() - CountColour(image, r, background);
}

void Type(zx::TRaetselForm& form, char key) {
    if (static_cast<unsigned char>(key) < 0x80) {
        QTest::keyClick(form.Raetsel(), key);
        return;
    }
    // Characters beyond ASCII arrive with their text only.
    const QString text(QChar(static_cast<unsigned char>(key)));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(form.Raetsel(), &press);
}

void MoveTo(zx::TRaetselForm& form, int col, int row) {
    zx::TDrawGrid* grid = form.Raetsel();
    for (int guard = 0; guard < 200 && grid->Col() != col; ++guard)
        QTest::keyClick(grid, grid->Col() < col ? Qt::Key_Right : Qt::Key_Left);
    for (int guard = 0; guard < 200 && grid->Row() != row; ++guard)
        QTest::keyClick(grid, grid->Row() < row ? Qt::Key_Down : Qt::Key_Up);
}

} // namespace gridtest
