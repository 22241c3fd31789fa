// Stopwatch of the timed Sudoku.
#include "shell/StopuhrDialog.h"

#include <QEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QTimer>

#include <algorithm>

#include "controls/GradientBar.h"
#include "controls/SevenSegment.h"
#include "controls/SpeedButton.h"
#include "document/PuzzleData.h"
#include "rules/Completion.h"
#include "session/Colors.h"
#include "session/FrameLink.h"
#include "session/PlayerSession.h"
#include "session/TextConv.h"

namespace zx {

namespace {

// Colours of the display and the sign (0x00BBGGRR).
constexpr TColor DigitsBehind = 0x0000FF;  // red: beyond the best time
constexpr TColor DigitsInTime = 0x00FF00;  // light green: within the best time
constexpr TColor DigitsNoBest = 0xFF0000;  // blue: no best time to compare with
constexpr TColor SignBehind = 0x000080;    // dark red "-"
constexpr TColor SignInTime = 0x008000;    // green "+"
constexpr TColor BestTimeColor = 0xFF0000; // blue
constexpr TColor DisplayBackground = 0x333333;

void SetHint(QWidget* w, const QString& hint) {
    w->setToolTip(hint);
    w->setStatusTip(hint);
}

void SetTextColor(QLabel* label, const QColor& color) {
    if (label->palette().color(QPalette::WindowText) == color) return;
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, color);
    label->setPalette(pal);
}

QLabel* AddLabel(QWidget* parent, const char* name, const QRect& place) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(place);
    return label;
}

TSpeedButton* AddToggle(QWidget* parent, const char* name, const char* caption, const char* hint,
                        int y) {
    auto* button = new TSpeedButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setText(QString::fromUtf8(caption));
    button->SetHint(QString::fromUtf8(hint));
    button->SetGroupIndex(1);
    button->SetAllowAllUp(true);
    button->setGeometry(182, y, 80, 21);
    button->setFixedSize(80, 21);
    return button;
}

} // namespace

TStopuhrForm::TStopuhrForm(TFrameLink& frame, std::function<qint64()> clock, QWidget* parent)
    : QWidget(parent), m_session(frame.Session()), m_clock(std::move(clock)) {
    setObjectName(QStringLiteral("StopuhrForm"));
    setWindowTitle(QString::fromUtf8("Lösungszeit"));
    setFixedSize(ClientWidth, ClientHeight);
    m_monotonic.start();
    if (!m_clock) m_clock = [this] { return m_monotonic.elapsed(); };

    m_ledTime = new TSevenSegment(this);
    m_ledTime->setObjectName(QStringLiteral("LEDTime"));
    m_ledTime->setGeometry(4, 4, 141, 41);
    m_ledTime->SetDigitCount(5);
    m_ledTime->SetFractionDigits(2);
    m_ledTime->SetColonSeparator(true);
    m_ledTime->SetBackgroundColor(ToQColor(DisplayBackground));
    m_ledTime->SetDigitColor(ToQColor(DigitsNoBest));
    SetHint(m_ledTime, QString::fromUtf8("Die für die Lösung des Rätsels benötigte Zeit"));

    m_lblMinus = AddLabel(this, "LblMinus", QRect(148, 4, 21, 36));
    m_lblMinus->setAlignment(Qt::AlignCenter);
    QFont signFont(QStringLiteral("Arial"), 24);
    signFont.setBold(true);
    m_lblMinus->setFont(signFont);
    m_lblMinus->setText(QStringLiteral("+"));

    m_sbCountUp =
        AddToggle(this, "SBCountUp", "Aufwärts", "Die Zeit von Null an aufwärts zählen", 4);
    m_sbCountDown = AddToggle(this, "SBCountDown", "Abwärts",
                              "Die Zeit von der Bestzeit aus rückwärts zählen", 25);
    m_sbCountUp->SetDown(true);

    m_label1 = AddLabel(this, "Label1", QRect(4, 52, 60, 16));
    m_label1->setText(QString::fromUtf8("Bestzeit:"));

    QFont bold = font();
    bold.setBold(true);
    m_lblBestTime = AddLabel(this, "LblBestTime", QRect(8, 72, 40, 16));
    m_lblBestTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lblBestTime->setFont(bold);
    SetTextColor(m_lblBestTime, ToQColor(BestTimeColor));
    SetHint(m_lblBestTime, QString::fromUtf8("Bisherige Bestzeit für die Lösung des Rätsels"));
    m_lblAuthor = AddLabel(this, "LblAuthor", QRect(52, 72, 207, 16));
    m_lblAuthor->setFont(bold);
    SetHint(m_lblAuthor, QString::fromUtf8("Name des Bestzeithalters für die Lösung des Rätsels"));

    m_timer = new QTimer(this);
    m_timer->setInterval(TickInterval);
    connect(m_timer, &QTimer::timeout, this, &TStopuhrForm::TimerTimer);
    connect(m_sbCountUp, &QToolButton::clicked, this, &TStopuhrForm::SBCountUpClick);
    connect(m_sbCountDown, &QToolButton::clicked, this, &TStopuhrForm::SBCountUpClick);
    connect(&m_session, &TPlayerSession::ClockChanged, this, &TStopuhrForm::SessionClockChanged);
    connect(&m_session, &TPlayerSession::RecordReplaced, this, &TStopuhrForm::SessionClockChanged);
}

bool TStopuhrForm::TimerActive() const {
    return m_timer->isActive();
}

// ---------------------------------------------------------------- counting

void TStopuhrForm::FormShow() {
    const TPuzzleData& p = m_session.Puzzle();
    m_sbCountDown->setEnabled(p.BestTime > 0);
    if (p.BestTime > 0) {
        m_lblBestTime->setText(ToQString(TimeText(p.BestTime, false)));
        m_lblAuthor->setText(ToQString(p.Author.view()));
    } else {
        // Nothing to count down to.
        m_sbCountUp->SetDown(true);
        m_lblBestTime->clear();
        m_lblAuthor->clear();
    }
    m_startMs = m_clock();
    m_startElapsed = p.ElapsedTime;
    m_counting = p.ClockRunning != 0;
    Refresh();
    UpdateTimer();
}

qint64 TStopuhrForm::CountedSeconds() const {
    const qint64 ms = std::max<qint64>(0, m_clock() - m_startMs);
    // Whole seconds, a half to the even neighbour.
    qint64 seconds = ms / 1000;
    const qint64 rest = ms % 1000;
    if (rest > 500 || (rest == 500 && (seconds & 1))) ++seconds;
    return m_startElapsed + seconds;
}

void TStopuhrForm::TimerTimer() {
    if (!m_counting) return;
    if (!m_session.Puzzle().ClockRunning) {
        m_counting = false;
        UpdateTimer();
        return;
    }
    // The session stops the count at the largest time the record holds.
    m_session.SetElapsedTime(CountedSeconds());
    Refresh();
}

void TStopuhrForm::SessionClockChanged() {
    const TPuzzleData& p = m_session.Puzzle();
    if (!p.ClockRunning) {
        // Solved: the display keeps the final time, the one the best time was judged by.
        m_counting = false;
        UpdateTimer();
        return;
    }
    // The clock runs again (reset, or the solving entry undone), or a reset
    // set the time back to 0: count anew from the record's time.
    if (!m_counting || p.ElapsedTime == 0) {
        FormShow();
        return;
    }
    // Undo or a snapshot replaced the record while counting: its older time
    // must not give the player time back, so the count goes on; an undo of a
    // reset brings the time before it back.
    if (p.ElapsedTime > CountedSeconds()) {
        m_startMs = m_clock();
        m_startElapsed = p.ElapsedTime;
    }
    TimerTimer();
}

void TStopuhrForm::UpdateTimer() {
    if (m_counting && isVisible()) {
        if (!m_timer->isActive()) m_timer->start();
    } else {
        m_timer->stop();
    }
}

// ---------------------------------------------------------------- display

void TStopuhrForm::SBCountUpClick() {
    Refresh();
}

void TStopuhrForm::Refresh() {
    const TPuzzleData& p = m_session.Puzzle();
    const int elapsed = p.ElapsedTime;
    const int best = p.BestTime;
    // Counting down (also with neither button down) shows the time left to the best time.
    const int v = m_sbCountUp->Down() ? elapsed : best - elapsed;
    m_lblMinus->setVisible(m_sbCountDown->Down() && best > 0);
    int signSize = 24;
    if (v < 0) {
        m_ledTime->SetDigitColor(ToQColor(DigitsBehind));
        m_lblMinus->setText(QStringLiteral("-"));
        SetTextColor(m_lblMinus, ToQColor(SignBehind));
        signSize = 26;
    } else {
        m_ledTime->SetDigitColor(ToQColor(best > 0 ? DigitsInTime : DigitsNoBest));
        m_lblMinus->setText(QStringLiteral("+"));
        SetTextColor(m_lblMinus, ToQColor(SignInTime));
    }
    if (m_lblMinus->font().pointSize() != signSize) {
        QFont signFont = m_lblMinus->font();
        signFont.setPointSize(signSize);
        m_lblMinus->setFont(signFont);
    }
    // Minutes before the colon, seconds after it: 75 s read 1:15, -75 s -1:15.
    m_ledTime->SetValue(v / 60 + (v % 60) * 0.01);
}

// ---------------------------------------------------------------- window

bool TStopuhrForm::event(QEvent* event) {
    if (event->type() == QEvent::ParentChange) {
        // In the frame's child area: a caption without any title-bar buttons;
        // the window closes with the grid window.
        if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
            const bool visible = sub->isVisible();
            sub->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
            if (visible) sub->show();
        }
    }
    return QWidget::event(event);
}

void TStopuhrForm::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TGradientBar::PaintGradient(painter, rect(), palette());
}

void TStopuhrForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
        return;
    }
    // Shown again: the count went on meanwhile.
    TimerTimer();
    UpdateTimer();
}

void TStopuhrForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Nobody sees the display: the record gets the time so far and the timer rests.
    TimerTimer();
    m_timer->stop();
}

} // namespace zx
