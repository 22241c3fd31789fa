// The player under a dark palette: system-coloured parts follow the palette
// and stay readable, the puzzle's own colours stay as the settings say.
#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyleFactory>
#include <QtTest>

#include "ShellTestSupport.h"
#include "controls/DrawGrid.h"
#include "grid/RaetselFormular.h"
#include "legend/LegendeDialog.h"
#include "session/Colors.h"
#include "session/PlayerSession.h"
#include "shell/Hauptformular.h"

using namespace zx;

namespace {

QPalette DarkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x2B, 0x2B, 0x2B));
    p.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
    p.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    p.setColor(QPalette::Text, QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    p.setColor(QPalette::ButtonText, QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Highlight, QColor(0x2A, 0x82, 0xDA));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0x44, 0x44, 0x44));
    p.setColor(QPalette::ToolTipText, QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Light, QColor(0x55, 0x55, 0x55));
    p.setColor(QPalette::Midlight, QColor(0x48, 0x48, 0x48));
    p.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::Dark, QColor(0x20, 0x20, 0x20));
    p.setColor(QPalette::Shadow, Qt::black);
    return p;
}

// Pixels of the image region that are close to a colour.
int Near(const QImage& image, const QRect& rect, const QColor& colour) {
    int n = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += qAbs(c.red() - colour.red()) + qAbs(c.green() - colour.green()) + qAbs(c.blue() - colour.blue()) < 40;
        }
    return n;
}

} // namespace

class DarkPaletteTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(DarkPalette());
    }

    void followsThePaletteAndStaysReadable() {
        zxtest::TRecordingDialogs dialogs;
        TVxMainForm frame("player", {ZX_SAMPLES_DIR "/schwedenraetsel-loesungswort.raetsel"}, &dialogs);
        frame.resize(1000, 750);
        frame.show();
        QTRY_VERIFY(frame.StartUpDone());
        QTest::qWait(50);
        const QImage shot = frame.grab().toImage();
        if (!qEnvironmentVariableIsEmpty("ZX_KEEP")) shot.save(QStringLiteral("/tmp/zx-dark.png"));
        const QColor text = DarkPalette().color(QPalette::Text);

        // The clue lists: dark base, light text.
        auto* legend = frame.Child<TLegendForm>();
        TDrawGrid* list = legend->LegendeWaager()->isVisible() ? legend->LegendeWaager() : legend->LegendeSenkr();
        const QImage lists = list->grab().toImage();
        const QRect clue = list->CellRect(2, 1).adjusted(2, 2, -2, -2);
        QVERIFY(Near(lists, clue, DarkPalette().color(QPalette::Base)) > clue.width() * clue.height() / 2);
        QVERIFY(Near(lists, clue, text) > 0);

        // The grid keeps the puzzle's colours: letter cells stay white.
        TDrawGrid* grid = frame.Child<TRaetselForm>()->Raetsel();
        const QImage cells = grid->grab().toImage();
        // A letter cell away from the cursor's row and column (no highlight, no cursor).
        const TPuzzleData& p = frame.Session().Puzzle();
        QPoint plain;
        for (int c = 1; c <= p.ColCount && plain.isNull(); ++c)
            for (int r = 1; r <= p.RowCount && plain.isNull(); ++r)
                if (c != grid->Col() && r != grid->Row() && (p.cell(c, r).Flags & (cfBlock | cfSolution)) == 0)
                    plain = QPoint(c, r);
        const QRect letter = grid->CellRect(plain.x(), plain.y()).adjusted(3, 3, -3, -3);
        QCOMPARE(Near(cells, letter, ToQColor(frame.Session().Settings().FarbeBuchstabenfeld)),
                 letter.width() * letter.height());

        // Labels of the side windows are drawn in the palette's text colour.
        for (QLabel* label : frame.findChildren<QLabel*>()) {
            if (!label->isVisible() || label->text().isEmpty()) continue;
            const QColor ink = label->palette().color(label->foregroundRole());
            const QColor back = label->palette().color(label->backgroundRole());
            QVERIFY2(qAbs(ink.lightness() - back.lightness()) > 100, qPrintable(label->objectName() + label->text()));
        }
    }
};

QTEST_MAIN(DarkPaletteTest)
#include "DarkPaletteTest.moc"
