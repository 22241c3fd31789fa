// The stopwatch of the timed Sudoku: counts the solving time into the record
// while the puzzle's clock runs, and shows it or the time left to the best time.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace zx {

class TFrameLink;
class TPlayerSession;
class TSevenSegment;
class TSpeedButton;

// The time is measured on a monotonic clock from the moment the window starts
// counting, added to the elapsed time the record held then: changes of the
// system time cannot change the solving time.
class TStopuhrForm : public QWidget {
    Q_OBJECT
public:
    // clock: milliseconds of a monotonic clock; tests inject their own.
    // Default: a QElapsedTimer started at construction.
    explicit TStopuhrForm(TFrameLink& frame, std::function<qint64()> clock = {},
                          QWidget* parent = nullptr);

    static constexpr int ClientWidth = 266;
    static constexpr int ClientHeight = 93;
    static constexpr int TickInterval = 500; // ms

    // (Re)starts counting from the record's elapsed time and fills the
    // best-time line. Runs at the first showing; the frame places the window.
    void FormShow();
    // One tick: writes the counted time into the record and shows it.
    void TimerTimer();
    // Either toggle button changed: shows the time the buttons now ask for.
    void SBCountUpClick();

    TSevenSegment* LEDTime() const { return m_ledTime; }
    QLabel* LblMinus() const { return m_lblMinus; }
    QLabel* LblBestTime() const { return m_lblBestTime; }
    QLabel* LblAuthor() const { return m_lblAuthor; }
    TSpeedButton* SBCountUp() const { return m_sbCountUp; }
    TSpeedButton* SBCountDown() const { return m_sbCountDown; }
    // Whether the tick timer runs: only while the clock runs and the window is shown.
    bool TimerActive() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // The record's clock started, stopped or the record was replaced.
    void SessionClockChanged();
    // Seconds counted since the start, added to the start value (not clamped).
    qint64 CountedSeconds() const;
    void Refresh();
    void UpdateTimer();

    TPlayerSession& m_session;
    QElapsedTimer m_monotonic;
    std::function<qint64()> m_clock;
    qint64 m_startMs = 0;      // clock reading when counting started
    qint64 m_startElapsed = 0; // the record's elapsed seconds then
    bool m_counting = false;   // the puzzle's clock runs and the count follows it
    bool m_shown = false;

    TSevenSegment* m_ledTime;
    QLabel* m_lblMinus;
    TSpeedButton* m_sbCountUp;
    TSpeedButton* m_sbCountDown;
    QLabel* m_label1;
    QLabel* m_lblBestTime;
    QLabel* m_lblAuthor;
    QTimer* m_timer;
};

} // namespace zx
