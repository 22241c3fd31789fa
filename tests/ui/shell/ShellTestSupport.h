// Helpers of the shell tests: a recorder for modal interactions and hand-made
// puzzle records, puzzle files and packed players.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ModalDialogs.h"
#include "PuzzleData.h"

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

    void ShowInformation(QWidget*, const QString& text) override { Log.push_back({"information", text}); }
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
        return QDialog::Accepted;
    }
};

// A cleared, playable record of a type and size (Sudoku types must be square).
std::unique_ptr<zx::TPuzzleData> MakePuzzle(int type, int cols, int rows);

// A puzzle file: header and record.
void WritePuzzleFile(const QString& path, const zx::TPuzzleData& puzzle);
// A packed player: program bytes padded to the container offset, then the
// container with the record and the settings block.
void WritePackedPlayer(const QString& path, const zx::TPuzzleData& puzzle, const std::string& ini);
void WriteBytes(const QString& path, const std::string& bytes);

// Qt text of a Windows-1252 string written as UTF-8 in the source.
QString U(const char* utf8);

} // namespace zxtest
