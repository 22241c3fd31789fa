// The real modal dialogs of the player: message boxes with German buttons and
// the result dialog.
#pragma once

#include "session/ModalDialogs.h"

namespace zx {

class TPlayerDialogs : public TModalDialogs {
public:
    void ShowInformation(QWidget* parent, const QString& text) override;
    void ShowNote(QWidget* parent, const QString& title, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    void ShowResult(QWidget* parent, const QString& text, bool success) override;
    int Exec(QDialog& dialog) override;
    void OpenAddress(const QUrl& address) override;
    QString AskSaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                            const QString& filter) override;
};

} // namespace zx
