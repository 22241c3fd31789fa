// Seven-segment number display.
#include "controls/SevenSegment.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace zx {

namespace {

// Segment bits: a top, b top right, c bottom right, d bottom, e bottom left,
// f top left, g middle.
enum : int { sgA = 1, sgB = 2, sgC = 4, sgD = 8, sgE = 16, sgF = 32, sgG = 64 };

int SegmentsOf(QChar c) {
    static constexpr int digits[10] = {sgA | sgB | sgC | sgD | sgE | sgF,
                                       sgB | sgC,
                                       sgA | sgB | sgD | sgE | sgG,
                                       sgA | sgB | sgC | sgD | sgG,
                                       sgB | sgC | sgF | sgG,
                                       sgA | sgC | sgD | sgF | sgG,
                                       sgA | sgC | sgD | sgE | sgF | sgG,
                                       sgA | sgB | sgC,
                                       sgA | sgB | sgC | sgD | sgE | sgF | sgG,
                                       sgA | sgB | sgC | sgD | sgF | sgG};
    if (c.isDigit()) return digits[c.digitValue()];
    return c == QLatin1Char('-') ? sgG : 0;
}

// A horizontal segment with pointed ends, centred on the line y.
QPolygonF Across(qreal x0, qreal x1, qreal y, qreal t) {
    const qreal h = t / 2;
    return QPolygonF(
        {{x0, y}, {x0 + h, y - h}, {x1 - h, y - h}, {x1, y}, {x1 - h, y + h}, {x0 + h, y + h}});
}

// A vertical segment with pointed ends, centred on the line x.
QPolygonF Down(qreal x, qreal y0, qreal y1, qreal t) {
    const qreal h = t / 2;
    return QPolygonF(
        {{x, y0}, {x + h, y0 + h}, {x + h, y1 - h}, {x, y1}, {x - h, y1 - h}, {x - h, y0 + h}});
}

// Draws the segments of one place into box: the lit ones in ink, the others
// faintly, as on a real display.
void PaintPlace(QPainter& painter, const QRectF& box, int lit, const QColor& ink,
                const QColor& unlit) {
    const qreal t = box.width() * 0.2;
    const qreal gap = t * 0.15; // keeps neighbouring segments apart
    const qreal l = box.left() + t / 2, r = box.right() - t / 2;
    const qreal top = box.top() + t / 2, mid = box.center().y(), bottom = box.bottom() - t / 2;
    const struct {
        int bit;
        QPolygonF shape;
    } segments[] = {
        {sgA, Across(l + gap, r - gap, top, t)},    {sgB, Down(r, top + gap, mid - gap, t)},
        {sgC, Down(r, mid + gap, bottom - gap, t)}, {sgD, Across(l + gap, r - gap, bottom, t)},
        {sgE, Down(l, mid + gap, bottom - gap, t)}, {sgF, Down(l, top + gap, mid - gap, t)},
        {sgG, Across(l + gap, r - gap, mid, t)},
    };
    for (const auto& s : segments) {
        painter.setBrush((lit & s.bit) ? ink : unlit);
        painter.drawPolygon(s.shape);
    }
}

} // namespace

TSevenSegment::TSevenSegment(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSevenSegment::SetDigitCount(int count) {
    m_digitCount = std::clamp(count, 1, 20);
    m_fractionDigits = std::min(m_fractionDigits, m_digitCount - 1);
    update();
}

void TSevenSegment::SetFractionDigits(int count) {
    // At least one place stays before the separator.
    m_fractionDigits = std::clamp(count, 0, m_digitCount - 1);
    update();
}

void TSevenSegment::SetColonSeparator(bool colon) {
    m_colon = colon;
    update();
}

void TSevenSegment::SetValue(double value) {
    if (value == m_value) return;
    m_value = value;
    update();
}

void TSevenSegment::SetDigitColor(const QColor& color) {
    if (color == m_digitColor) return;
    m_digitColor = color;
    update();
}

void TSevenSegment::SetBackgroundColor(const QColor& color) {
    if (color == m_backgroundColor) return;
    m_backgroundColor = color;
    update();
}

QString TSevenSegment::DisplayText() const {
    const int wholePlaces = m_digitCount - m_fractionDigits;
    const QChar separator = m_colon ? QLatin1Char(':') : QLatin1Char('.');
    auto join = [&](const QString& whole, const QString& fraction) {
        return m_fractionDigits > 0 ? whole + separator + fraction : whole;
    };
    const QString dashes =
        join(QString(wholePlaces, QLatin1Char('-')), QString(m_fractionDigits, QLatin1Char('-')));
    if (!std::isfinite(m_value) || std::abs(m_value) >= 1e15) return dashes;
    const QString digits = QString::number(std::abs(m_value), 'f', m_fractionDigits);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? digits : digits.left(point);
    const QString fraction = point < 0 ? QString() : digits.mid(point + 1);
    // A value that rounds to zero shows no minus.
    const bool negative = m_value < 0 && std::any_of(digits.begin(), digits.end(), [](QChar c) {
                              return c.isDigit() && c != QLatin1Char('0');
                          });
    if (negative) whole.prepend(QLatin1Char('-'));
    if (whole.size() > wholePlaces) return dashes;
    return join(whole.rightJustified(wholePlaces, QLatin1Char(' ')), fraction);
}

void TSevenSegment::PaintDisplay(QPainter& painter, const QRectF& rect) const {
    painter.save();
    painter.fillRect(rect, m_backgroundColor);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    // Places of 0.55 x their height, a quarter place between them, the
    // separator in a narrow place of its own; shrunk to fit the width.
    const bool separated = m_fractionDigits > 0;
    const qreal margin = std::min(rect.height(), rect.width()) * 0.12;
    const qreal height = rect.height() - 2 * margin;
    const qreal units = m_digitCount + 0.25 * (m_digitCount - 1) + (separated ? 0.6 : 0);
    const qreal width = std::min(height * 0.55, (rect.width() - 2 * margin) / units);
    if (width <= 0 || height <= 0) {
        painter.restore();
        return;
    }
    const qreal gap = width * 0.25;
    const qreal t = width * 0.2;
    const qreal top = rect.center().y() - height / 2;
    qreal x = rect.center().x() - width * units / 2;

    QColor unlit = m_digitColor;
    unlit.setRgbF(m_backgroundColor.redF() * 0.85f + m_digitColor.redF() * 0.15f,
                  m_backgroundColor.greenF() * 0.85f + m_digitColor.greenF() * 0.15f,
                  m_backgroundColor.blueF() * 0.85f + m_digitColor.blueF() * 0.15f);
    const QString text = DisplayText();
    for (const QChar c : text) {
        if (c == QLatin1Char(':') || c == QLatin1Char('.')) {
            const qreal w = width * 0.35;
            const qreal cx = x + w / 2;
            painter.setBrush(m_digitColor);
            if (c == QLatin1Char(':')) {
                painter.drawRect(QRectF(cx - t / 2, top + height * 0.3 - t / 2, t, t));
                painter.drawRect(QRectF(cx - t / 2, top + height * 0.7 - t / 2, t, t));
            } else {
                painter.drawRect(QRectF(cx - t / 2, top + height - t, t, t));
            }
            x += w + gap;
            continue;
        }
        PaintPlace(painter, QRectF(x, top, width, height), SegmentsOf(c), m_digitColor, unlit);
        x += width + gap;
    }
    painter.restore();
}

QSize TSevenSegment::sizeHint() const {
    return QSize(141, 41);
}

void TSevenSegment::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintDisplay(painter, rect());
}

} // namespace zx
