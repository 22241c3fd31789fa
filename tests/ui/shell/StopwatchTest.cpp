// The stopwatch of the timed Sudoku, driven by an injected clock: what the
// display shows for each button state, the record's elapsed time, the stop
// when solved, the restart after a reset, and the seven-segment control.
#include <QLabel>
#include <QtTest>
#include <memory>

#include "../grid/GridTestSupport.h"
#include "controls/SevenSegment.h"
#include "controls/SpeedButton.h"
#include "shell/StopuhrDialog.h"

using namespace zx;

namespace {

const QColor Red(255, 0, 0), LightGreen(0, 255, 0), Blue(0, 0, 255);

// The stopwatch over the timed Sudoku sample, shown; Now is its clock in ms.
struct TWatch {
    std::unique_ptr<gridtest::TFakeFrame> Frame;
    qint64 Now = 5000;
    std::unique_ptr<TStopuhrForm> Form;

    TPuzzleData& Puzzle() { return Frame->St.Puzzle; }
    // One tick, ms after the window opened.
    void TickAt(qint64 ms) {
        Now = 5000 + ms;
        Form->TimerTimer();
    }
    QString Shown() const { return Form->LEDTime()->DisplayText(); }
};

std::unique_ptr<TWatch> OpenWatch(int best, int elapsed) {
    auto w = std::make_unique<TWatch>();
    w->Frame = gridtest::FrameFromSample(QStringLiteral("sudoku-auf-zeit"));
    if (!w->Frame) return nullptr;
    TPuzzleData& p = w->Puzzle();
    p.BestTime = static_cast<std::uint16_t>(best);
    p.ElapsedTime = static_cast<std::uint16_t>(elapsed);
    p.ClockRunning = 1;
    p.Author.assign("Ingrid Lehmann");
    w->Form = std::make_unique<TStopuhrForm>(*w->Frame, [t = w.get()] { return t->Now; });
    w->Frame->OpenChild(TFormKind::Stopwatch, w->Form.get());
    w->Form->show();
    return w;
}

// Every cell gets its solution symbol; the session's check then solves the puzzle.
void FillSolution(TPuzzleData& p) {
    for (int c = 1; c <= p.ColCount; ++c)
        for (int r = 1; r <= p.RowCount; ++r)
            p.entry(c, r).assign(p.cell(c, r).Text.view());
}

} // namespace

class StopwatchTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { InstallFontSubstitutes(); }

    // Buttons: "up" as opened, "down" after a click on Abwärts, "none" after
    // a click releasing Aufwärts.
    void display_data() {
        QTest::addColumn<int>("best");
        QTest::addColumn<int>("elapsed");
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("recorded");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QColor>("digits");
        QTest::addColumn<QString>("sign"); // empty: no sign label
        auto row = [](const char* name, int best, int elapsed, const char* buttons, int ms,
                      int recorded, const char* shown, QColor digits, const char* sign) {
            QTest::newRow(name) << best << elapsed << QString::fromLatin1(buttons) << ms << recorded
                                << QString::fromLatin1(shown) << digits
                                << QString::fromLatin1(sign);
        };
        row("up from the stored time", 0, 75, "up", 2000, 77, "  1:17", Blue, "");
        row("half a second to the even second", 0, 0, "up", 2500, 2, "  0:02", Blue, "");
        row("up with a best time", 300, 270, "up", 31000, 301, "  5:01", LightGreen, "");
        row("down within the best time", 300, 270, "down", 0, 270, "  0:30", LightGreen, "+");
        row("down at the best time", 300, 270, "down", 30000, 300, "  0:00", LightGreen, "+");
        row("down past the best time", 300, 270, "down", 31000, 301, " -0:01", Red, "-");
        row("down far past", 300, 0, "down", 375000, 375, " -1:15", Red, "-");
        row("neither button counts down", 300, 270, "none", 31000, 301, " -0:01", Red, "");
        row("neither button, no best time", 0, 75, "none", 0, 75, " -1:15", Red, "");
    }
    void display() {
        QFETCH(int, best);
        QFETCH(int, elapsed);
        QFETCH(QString, buttons);
        QFETCH(int, ms);
        QFETCH(int, recorded);
        QFETCH(QString, shown);
        QFETCH(QColor, digits);
        QFETCH(QString, sign);
        auto w = OpenWatch(best, elapsed);
        QVERIFY(w);
        TStopuhrForm& f = *w->Form;
        QVERIFY(f.TimerActive());
        QCOMPARE(f.SBCountDown()->isEnabled(), best > 0);
        QCOMPARE(f.LblBestTime()->text(), best ? QStringLiteral("05:00") : QString());
        QCOMPARE(f.LblAuthor()->text(), best ? QStringLiteral("Ingrid Lehmann") : QString());
        if (buttons == QLatin1String("down")) QTest::mouseClick(f.SBCountDown(), Qt::LeftButton);
        if (buttons == QLatin1String("none")) QTest::mouseClick(f.SBCountUp(), Qt::LeftButton);
        QCOMPARE(f.SBCountUp()->Down(), buttons == QLatin1String("up"));
        QCOMPARE(f.SBCountDown()->Down(), buttons == QLatin1String("down"));
        w->TickAt(ms);
        QCOMPARE(int(w->Puzzle().ElapsedTime), recorded);
        QCOMPARE(w->Shown(), shown);
        QCOMPARE(f.LEDTime()->DigitColor(), digits);
        QCOMPARE(f.LblMinus()->isVisible(), !sign.isEmpty());
        if (!sign.isEmpty()) {
            QCOMPARE(f.LblMinus()->text(), sign);
            const QColor signColour =
                sign == QLatin1String("-") ? QColor(128, 0, 0) : QColor(0, 128, 0);
            QCOMPARE(f.LblMinus()->palette().color(QPalette::WindowText), signColour);
        }
    }

    // A puzzle left open overnight: the count stops at the largest value
    // instead of wrapping to a false best time, and the display says it is out of range.
    void stopsAtTheLargestTime() {
        auto w = OpenWatch(0, 65530);
        QVERIFY(w);
        w->TickAt(9000);
        QCOMPARE(int(w->Puzzle().ElapsedTime), 65535);
        w->TickAt(60000);
        QCOMPARE(int(w->Puzzle().ElapsedTime), 65535);
        QCOMPARE(w->Shown(), QStringLiteral("---:--"));
    }

    // Solved: the timer stops and the display keeps the final time; a reset
    // counts again from 0 with the new best time.
    void solvedThenReset() {
        auto w = OpenWatch(300, 100);
        QVERIFY(w);
        TStopuhrForm& f = *w->Form;
        QTest::mouseClick(f.SBCountDown(), Qt::LeftButton);
        w->TickAt(5000);
        FillSolution(w->Puzzle());
        w->Frame->Play.CheckCompletion();
        QCOMPARE(w->Frame->Dlg.Results().size(), 1u);
        QCOMPARE(int(w->Puzzle().BestTime), 105);
        QVERIFY(!f.TimerActive());
        QCOMPARE(w->Shown(), QStringLiteral("  3:15"));
        w->TickAt(90000);
        QCOMPARE(int(w->Puzzle().ElapsedTime), 105);
        QCOMPARE(w->Shown(), QStringLiteral("  3:15"));

        w->Frame->Play.Reset();
        QVERIFY(f.TimerActive());
        QCOMPARE(f.LblBestTime()->text(), QStringLiteral("01:45"));
        w->TickAt(93000);
        QCOMPARE(int(w->Puzzle().ElapsedTime), 3);
        QCOMPARE(w->Shown(), QStringLiteral("  1:42"));
        QVERIFY(!f.LblMinus()->isHidden() && f.LblMinus()->text() == QStringLiteral("+"));
    }

    // While counting: undo brings back an older record but not an older time
    // (undoing a dummy entry must not give back the minutes spent since); a
    // reset counts from 0, and undoing the reset brings the time before it back.
    void undoAndResetWhileCounting() {
        auto w = OpenWatch(0, 0);
        QVERIFY(w);
        w->TickAt(100000);
        TPlayerSession& s = w->Frame->Play;
        QVERIFY(s.TypeKey(1, 1, '1', TInputDir::Across) == TKeyEntry::Entered);
        w->TickAt(400000);
        s.Undo();
        QCOMPARE(int(w->Puzzle().ElapsedTime), 400);
        QVERIFY(w->Form->TimerActive());
        w->TickAt(401000);
        s.Reset();
        w->TickAt(403000);
        QCOMPARE(int(w->Puzzle().ElapsedTime), 2);
        s.Undo();
        w->TickAt(404000);
        QCOMPARE(int(w->Puzzle().ElapsedTime), 402);
    }

    void hiddenWindowRests() {
        auto w = OpenWatch(0, 0);
        QVERIFY(w);
        w->Now += 7000;
        w->Form->hide();
        QVERIFY(!w->Form->TimerActive());
        QCOMPARE(int(w->Puzzle().ElapsedTime), 7);
        w->Form->show();
        QVERIFY(w->Form->TimerActive());
    }

    void segmentText_data() {
        QTest::addColumn<int>("digits");
        QTest::addColumn<int>("fraction");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("minutes") << 5 << 2 << 12.3 << " 12:30";
        QTest::newRow("largest") << 5 << 2 << 999.59 << "999:59";
        QTest::newRow("too large") << 5 << 2 << 1092.15 << "---:--";
        QTest::newRow("minus fits") << 5 << 2 << -99.59 << "-99:59";
        QTest::newRow("minus does not fit") << 5 << 2 << -100.0 << "---:--";
        QTest::newRow("rounds to zero: no minus") << 5 << 2 << -0.001 << "  0:00";
        QTest::newRow("whole number only") << 3 << 0 << 7.6 << "  8";
    }
    void segmentText() {
        QFETCH(int, digits);
        QFETCH(int, fraction);
        QFETCH(double, value);
        QFETCH(QString, text);
        TSevenSegment led;
        led.SetDigitCount(digits);
        led.SetFractionDigits(fraction);
        led.SetValue(value);
        QCOMPARE(led.DisplayText(), text);
    }

    // Lit segments in the digit colour on the dark grey, unlit ones faint;
    // an 8 lights more than a 1.
    void segmentPixels() {
        TSevenSegment led;
        led.resize(141, 41);
        led.SetDigitColor(Red);
        auto lit = [&](double value) {
            led.SetValue(value);
            const QImage image = led.grab().toImage().convertToFormat(QImage::Format_RGB32);
            return gridtest::CountColour(image, image.rect(), Red);
        };
        const int ones = lit(111.11), eights = lit(888.88);
        QVERIFY(ones > 20);
        QVERIFY(eights > 2 * ones);
        const QImage image = led.grab().toImage();
        QCOMPARE(image.pixelColor(1, 1), QColor(0x33, 0x33, 0x33));
    }
};

QTEST_MAIN(StopwatchTest)
#include "StopwatchTest.moc"
