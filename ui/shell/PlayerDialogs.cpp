// Message boxes and the result dialog.
#include "shell/PlayerDialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>
#include <QPushButton>

#include "shell/MessageDialog.h"

namespace zx {

namespace {
void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::NoButton, parent);
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
} // namespace

void TPlayerDialogs::ShowInformation(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Information, QStringLiteral("Information"), text);
}

void TPlayerDialogs::ShowNote(QWidget* parent, const QString& title, const QString& text) {
    ShowBox(parent, QMessageBox::Information, title, text);
}

void TPlayerDialogs::ShowError(QWidget* parent, const QString& text) {
    ShowBox(parent, QMessageBox::Critical, QStringLiteral("Fehler"), text);
}

bool TPlayerDialogs::AskYesNo(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8("Bestätigung"), text,
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
    // Every question of the program puts the player's work at stake: Enter
    // must not answer it.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void TPlayerDialogs::ShowResult(QWidget* parent, const QString& text, bool success) {
    TWinMsgDlg dialog(parent);
    dialog.SetSuccess(success ? 1 : 0);
    dialog.SetMessage(text);
    dialog.exec();
}

int TPlayerDialogs::Exec(QDialog& dialog) { return dialog.exec(); }

void TPlayerDialogs::OpenAddress(const QUrl& address) { QDesktopServices::openUrl(address); }

QString TPlayerDialogs::AskSaveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                        const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

} // namespace zx
