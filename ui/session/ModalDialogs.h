// Every modal interaction of the player, and the hand-off of an address to the
// desktop, goes through this interface, so that tests can answer it without a
// screen and without starting a browser.
#pragma once

#include <QString>

class QUrl;

class QDialog;
class QWidget;

namespace zx {

class TModalDialogs {
public:
    virtual ~TModalDialogs() = default;

    // Information box with an OK button.
    virtual void ShowInformation(QWidget* parent, const QString& text) = 0;
    // Information box with its own title.
    virtual void ShowNote(QWidget* parent, const QString& title, const QString& text) = 0;
    // Error box with an OK button.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // Question with Yes and No; true for Yes.
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // The result dialog: the success form, or the failure form with the warning sound.
    virtual void ShowResult(QWidget* parent, const QString& text, bool success) = 0;
    // Any other modal dialog of the program: shows it and returns its result code.
    virtual int Exec(QDialog& dialog) = 0;
    // Opens a web address with the desktop's default handler.
    virtual void OpenAddress(const QUrl& address) = 0;
    // Asks where to save a file, suggesting a name; empty when cancelled.
    virtual QString AskSaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                    const QString& filter) = 0;
};

} // namespace zx
