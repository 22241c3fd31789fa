// At a device pixel ratio of 2 every picture is drawn at the screen's
// density: glyphs, toolbar icons and the seven-segment digits show detail
// finer than a logical pixel, which an image drawn at the logical size and
// blown up would not.
#include <QtTest>

#include "ShellTestSupport.h"
#include "controls/DrawGrid.h"
#include "controls/SevenSegment.h"
#include "controls/SpeedButton.h"
#include "grid/RaetselFormular.h"
#include "shell/Hauptformular.h"
#include "shell/StopuhrDialog.h"

using namespace zx;

namespace {

// Whether a region of a device-pixel image has a 2 x 2 block whose pixels
// differ: an image blown up from the logical size has none.
bool FinerThanLogicalPixels(const QImage& image, const QRect& logical) {
    const QRect device(logical.topLeft() * 2, logical.size() * 2);
    for (int y = device.top() & ~1; y + 1 <= device.bottom(); y += 2)
        for (int x = device.left() & ~1; x + 1 <= device.right(); x += 2) {
            const QRgb a = image.pixel(x, y);
            if (image.pixel(x + 1, y) != a || image.pixel(x, y + 1) != a || image.pixel(x + 1, y + 1) != a)
                return true;
        }
    return false;
}

QImage Grab(QWidget* widget) {
    const QPixmap pixmap = widget->grab();
    return pixmap.devicePixelRatio() == 2 ? pixmap.toImage() : QImage();
}

} // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sharpAtRatioTwo() {
        zxtest::TRecordingDialogs dialogs;
        TVxMainForm frame("player", {ZX_SAMPLES_DIR "/sudoku-auf-zeit.raetsel"}, &dialogs);
        frame.show();
        QTRY_VERIFY(frame.StartUpDone());

        // A digit typed into the grid.
        TDrawGrid* grid = frame.Child<TRaetselForm>()->Raetsel();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_5);
        grid->SelectCell(grid->Col(), grid->Row());
        const QImage cells = Grab(grid);
        QVERIFY(!cells.isNull());
        QVERIFY(FinerThanLogicalPixels(cells, grid->CellRect(1, 1).adjusted(4, 4, -4, -4)));

        // Toolbar icons.
        for (TSpeedButton* button : frame.findChildren<TSpeedButton*>()) {
            if (!button->isVisible() || button->icon().isNull()) continue;
            const QImage image = Grab(button);
            QVERIFY2(FinerThanLogicalPixels(image, button->rect().adjusted(4, 4, -4, -4)),
                     qPrintable(button->objectName()));
        }

        // The stopwatch's digits.
        TSevenSegment* led = frame.Child<TStopuhrForm>()->LEDTime();
        QVERIFY(FinerThanLogicalPixels(Grab(led), led->rect()));
    }
};

QTEST_MAIN(HiDpiTest)
#include "HiDpiTest.moc"
