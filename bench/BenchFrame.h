// The frame the benchmarks give their windows: a play session with its
// commands, and modal dialogs that answer at once without showing anything.
#pragma once

#include <QString>

#include "session/FrameLink.h"
#include "session/ModalDialogs.h"
#include "session/PlayCommands.h"
#include "session/PlayerSession.h"
#include "session/PlayerState.h"

namespace zxbench {

class TSilentDialogs : public zx::TModalDialogs {
public:
    void ShowInformation(QWidget*, const QString&) override {}
    void ShowNote(QWidget*, const QString&, const QString&) override {}
    void OpenAddress(const QUrl&) override {}
    QString AskSaveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    void ShowError(QWidget*, const QString&) override {}
    bool AskYesNo(QWidget*, const QString&) override { return true; }
    void ShowResult(QWidget*, const QString&, bool) override {}
    int Exec(QDialog&) override { return 0; }
};

// The grid window counts as open, so that the legend's switches act.
class TBenchFrame : public zx::TFrameLink {
public:
    zx::TPlayerSession Play;
    zx::TPlayerState& St = Play.Edit();
    TSilentDialogs Dlg;
    zx::TPlayCommands Commands_{Play, Dlg};
    TBenchFrame() { Play.SetFormOpen(zx::TFormKind::Puzzle, true); }
    zx::TPlayerSession& Session() override { return Play; }
    zx::TModalDialogs& Dialogs() override { return Dlg; }
    zx::TPlayCommands& Commands() override { return Commands_; }
};

} // namespace zxbench
