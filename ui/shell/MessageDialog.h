// The result dialog of the completion check: a success form that
// congratulates and a failure form that warns with the system sound.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace zx {

class TWinMsgDlg : public QDialog {
    Q_OBJECT
public:
    explicit TWinMsgDlg(QWidget* parent = nullptr);

    // 0 = failure, anything else = success.
    void SetSuccess(int success) { m_success = success; }
    int Success() const { return m_success; }
    void SetMessage(const QString& text);
    // The warning sound of the failure form; the system beep unless replaced.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    int m_success = 0;
    std::function<void()> m_beep;
    QLabel* m_imgOK;
    QLabel* m_imgError;
    QLabel* m_lblMessage;
    QPushButton* m_btnClose;
};

} // namespace zx
