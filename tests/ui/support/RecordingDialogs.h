// Stand-in for the program's modal dialogs in the user-interface tests: it
// records every message, question, result and dialog instead of showing it.
#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>
#include <functional>
#include <vector>

#include "session/ModalDialogs.h"

namespace zxtest {

class TRecordingDialogs : public zx::TModalDialogs {
public:
    struct Shown {
        QString Kind; // "information", "error", "question", "result", or the dialog's class
        QString Text;
        bool Success = false;
    };
    std::vector<Shown> Log;
    bool Answer = true;
    // Runs on a dialog given to Exec while it is still filled, before it is released.
    std::function<void(QDialog&)> OnExec;
    // What Exec answers: accepted unless a test says otherwise.
    int ExecResult = QDialog::Accepted;
    // What a save dialog answers: the suggested name unless a test says otherwise
    // (an empty text is a cancelled dialog).
    std::function<QString(const QString& suggested)> SaveAnswer;

    void ShowInformation(QWidget*, const QString& text) override { Log.push_back({"information", text}); }
    void ShowNote(QWidget*, const QString& title, const QString& text) override {
        Log.push_back({"note", title + QLatin1Char('|') + text});
    }
    void OpenAddress(const QUrl& address) override { Log.push_back({"address", address.toString(QUrl::FullyEncoded)}); }
    QString AskSaveFileName(QWidget*, const QString&, const QString& suggested, const QString&) override {
        Log.push_back({"save", suggested});
        return SaveAnswer ? SaveAnswer(suggested) : suggested;
    }
    void ShowError(QWidget*, const QString& text) override { Log.push_back({"error", text}); }
    bool AskYesNo(QWidget*, const QString& text) override {
        Log.push_back({"question", text});
        return Answer;
    }
    void ShowResult(QWidget*, const QString& text, bool success) override {
        Log.push_back({"result", text, success});
    }
    int Exec(QDialog& dialog) override {
        Log.push_back({QString::fromLatin1(dialog.metaObject()->className()), QString()});
        if (OnExec) OnExec(dialog);
        return ExecResult;
    }

    // The result dialogs shown so far.
    std::vector<Shown> Results() const {
        std::vector<Shown> results;
        for (const Shown& s : Log)
            if (s.Kind == QLatin1String("result")) results.push_back(s);
        return results;
    }
};

} // namespace zxtest
