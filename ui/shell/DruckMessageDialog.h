// The small window shown while a puzzle prints: a printer whose picture
// cycles, and the message "<kind> drucken".
#pragma once

#include <QWidget>
#include <functional>

class QLabel;
class QTimer;

namespace zx {

class TPrintMsgDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 317;
    static constexpr int ClientHeight = 66;
    static constexpr int TickInterval = 500; // ms
    static constexpr int MinimumTicks = 30;  // it stays at least this many ticks and one more

    explicit TPrintMsgDlg(QWidget* parent = nullptr);

    void SetMessage(const QString& text);
    // Tells whether the printer is still printing; the window waits for it.
    void SetPrintingProbe(std::function<bool()> printing) { m_printing = std::move(printing); }

    // Handlers.
    void FormShow();
    void TimerTimer();

    int Ticks() const { return m_ticks; }
    bool TimerActive() const;
    QLabel* LblMessage() const { return m_lblMessage; }
    QLabel* ImgPrinter(int i) const { return m_imgPrinter[i]; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_lblMessage;
    QLabel* m_imgPrinter[3];
    QTimer* m_timer;
    int m_ticks = 0;
    std::function<bool()> m_printing;
};

} // namespace zx
