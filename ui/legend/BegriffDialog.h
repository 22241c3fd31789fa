// The modal dialog in which the player types a whole sought word, one letter
// box per character, pre-filled with what the grid already holds. It hands
// the word back to its caller and never touches the puzzle itself.
#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <string>

#include "document/Settings.h"

class QLabel;
class QPushButton;

namespace zx {

class TDrawGrid;

class TWordEditDlg : public QDialog {
    Q_OBJECT
public:
    // settings: Feldgroesse, Schriftart, Schriftgroesse, FarbeBuchstaben,
    // FarbeBuchstabenfeld, MarkedLetterColor are read when shown; the record
    // must outlive the dialog.
    TWordEditDlg(const TProgramSettings& settings, QWidget* parent = nullptr);

    void SetQuestion(const QString& text);
    // Windows-1252, one character per box, " " for an empty box.
    void SetWordText(const std::string& pattern);
    // The pattern until the dialog closes with OK, then the typed word with
    // " " for every box left empty.
    const std::string& WordText() const { return m_wordText; }

    TDrawGrid* GridBegriff() const { return m_gridBegriff; }
    QPushButton* BtnOK() const { return m_btnOK; }

    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Boxes from the pattern, sizes from the settings, focus on the first box.
    void Prepare();
    // Grid, buttons and dialog sized for the boxes and the question.
    void Layout();
    void GridBegriffDrawCell(QPainter& painter, int col, const QRect& rect);
    void GridBegriffKeyPress(char key);
    void GridBegriffKeyUp(int key);
    void BtnOKClick();
    int BoxCount() const { return static_cast<int>(m_boxes.size()); }
    void SetBox(int i, char c);

    const TProgramSettings& m_settings;
    std::string m_wordText;
    // One character per box, ' ' when empty.
    std::string m_boxes;
    QFont m_boxFont;
    QImage m_arrow;
    QLabel* m_imgIcon;
    QLabel* m_lblBegriff;
    TDrawGrid* m_gridBegriff;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
};

} // namespace zx
