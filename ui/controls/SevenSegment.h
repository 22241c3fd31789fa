// A seven-segment number display: a fixed number of digit places, the last
// ones after a colon or point, drawn as polygons so that it stays sharp at any size.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;

namespace zx {

class TSevenSegment : public QWidget {
    Q_OBJECT
public:
    explicit TSevenSegment(QWidget* parent = nullptr);

    // Digit places in all, fraction places among them (after the separator).
    void SetDigitCount(int count);
    int DigitCount() const { return m_digitCount; }
    void SetFractionDigits(int count);
    int FractionDigits() const { return m_fractionDigits; }
    // The separator before the fraction places: a colon (minutes:seconds) or a point.
    void SetColonSeparator(bool colon);
    bool ColonSeparator() const { return m_colon; }

    // The value, rounded to the fraction places. A negative value takes a
    // minus in the place left of its first digit; a value that does not fit
    // shows a dash in every place.
    void SetValue(double value);
    double Value() const { return m_value; }

    void SetDigitColor(const QColor& color);
    QColor DigitColor() const { return m_digitColor; }
    void SetBackgroundColor(const QColor& color);
    QColor BackgroundColor() const { return m_backgroundColor; }

    // The places as characters, the separator included: "  1:15", " -0:30", "---:--".
    QString DisplayText() const;
    // Draws the display into rect with any painter (screen, image or paper).
    void PaintDisplay(QPainter& painter, const QRectF& rect) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_digitCount = 5;
    int m_fractionDigits = 2;
    bool m_colon = true;
    double m_value = 0;
    QColor m_digitColor{0, 0, 255};
    QColor m_backgroundColor{0x33, 0x33, 0x33};
};

} // namespace zx
