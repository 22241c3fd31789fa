// The frame window: menu bar, gradient toolbar, status line and the area that
// holds the child windows; start-up loading, the play session and the
// commands, each one action shared by its menu item, button and shortcut.
#pragma once

#include <QCursor>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/PuzzleFile.h"
#include "session/FrameLink.h"
#include "session/PlayerSession.h"

class QAction;
class QKeyEvent;
class QLabel;
class QMenu;
class QMouseEvent;

namespace zx {

class TModalDialogs;
class THintForm;
class TLegendForm;
class TPlayCommands;
class TPrintMsgDlg;
class TPrinterChoice;
struct TPrintBlocks;
class TRaetselForm;
class TSpeedButton;

// The frame's size on a screen of the given size, window frame included: 640
// x 480 by design, 800 wide or 600 high where the screen allows it, 1000 x 750
// on large screens.
QSize FrameSizeFor(const QSize& screen);
// Top left corner of a frame of size `frame` (decorations included) centred
// on `screen` and never beyond its top left corner. QRect::center() rounds
// down, which put an 800 x 600 frame one pixel off an 800 x 600 screen.
QPoint FramePlacement(const QRect& screen, const QSize& frame);

class TVxMainForm : public QMainWindow, public TFrameLink {
    Q_OBJECT
public:
    // exePath: the program's own file (its container, and the path the load
    // messages name); params: the command-line parameters without the program
    // name; dialogs: the modal dialogs to use, nullptr for the real ones.
    TVxMainForm(std::string exePath, std::vector<std::string> params,
                TModalDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~TVxMainForm() override;

    // What the child windows ask of the frame.
    TPlayerSession& Session() override { return m_session; }
    TModalDialogs& Dialogs() override { return *m_dialogs; }
    TPlayCommands& Commands() override { return *m_commands; }
    void ShowHintAt(const QRect& cell, int size, const QString& text) override;
    void CloseHint() override;
    bool HintVisible() const override;
    QCursor DragCursor(TDragCursor cursor) const override;

    // The open child window of a class, or nullptr.
    template <class W> W* Child() const {
        const auto subWindows = m_mdiArea->subWindowList(QMdiArea::CreationOrder);
        for (QMdiSubWindow* sub : subWindows)
            if (auto* form = qobject_cast<W*>(sub->widget())) return form;
        return nullptr;
    }
    // The open child window of a kind, or nullptr.
    QWidget* FindChildForm(TFormKind kind) const;
    bool HasPuzzleForm() const { return m_session.FormOpen(TFormKind::Puzzle); }
    // Opens the grid window for the loaded puzzle in the child area.
    TRaetselForm* CreatePuzzleForm();

    // Start-up, queued after the first showing: caption and loading.
    void StartUpMessage();
    void LoadStartPuzzle();
    // Whether the start-up message has run, and the result of the load.
    bool StartUpDone() const { return m_startUpDone; }
    TLoadResult LoadResult() const { return m_loadResult; }

    // The state of every command, computed from the session in one place.
    void UpdateCommands();
    // Commands.
    void MItemBeaBegriffClick();
    void MItemBeaRueckgaengigClick();
    void MItemBeaZuruecksetzenClick();
    void MItemAnsLoesungClick();
    void MItemRaeInfosClick();
    void MItemPrgInfoClick();
    void MItemPrgBeendenClick();

    // The print command: settings dialog, progress window, one job per copy.
    void MItemRaeDruckenClick();
    // Replaces the printers the print command offers (used by tests).
    void SetPrinterChoice(std::unique_ptr<TPrinterChoice> printers);
    TPrintMsgDlg* PrintMessage() const;
    QMdiArea* ChildArea() const { return m_mdiArea; }
    THintForm* HintForm() const { return m_hintForm; }
    QLabel* HintLine() const { return m_lblHints; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CreateToolbar(QWidget* bar);
    void ConnectCommands();
    QAction* AddItem(QMenu* menu, const char* name, const char* caption, const char* hint);
    // Sizes the whole window, frame included, to the screen and centres it.
    void FitToScreen();
    void ShowDisabledItemHint(const QMenu& menu, const QMouseEvent& move);
    void MenuClosed();
    void ModifiersChanged();
    void PuzzleFormClosing();
    void OpenSideWindow(TFormKind kind);
    void PlaceSideWindows();
    void ConnectLegend(TLegendForm* legend);
    void ShowResult(const QString& text, bool success);
    // The blocks of the printed page, drawn by the open windows' painters.
    TPrintBlocks PrintBlocks(TRaetselForm& form) const;
    void ShowPrintMessage(const QString& text);

    std::string m_exePath;
    std::vector<std::string> m_params;
    TPlayerSession m_session;
    TPlayCommands* m_commands = nullptr;
    std::unique_ptr<TModalDialogs> m_ownDialogs;
    TModalDialogs* m_dialogs;
    // Asked for at the first print, as asking the print system takes its time.
    std::unique_ptr<TPrinterChoice> m_printers;
    QPointer<TPrintMsgDlg> m_printMsg;
    mutable std::array<std::optional<QCursor>, 4> m_dragCursors;
    bool m_shown = false;
    bool m_fittedWithFrame = false;
    bool m_startUpDone = false;
    TLoadResult m_loadResult = lrBadFormat;

    QPointer<QWidget> m_keyboardOwner;
    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_lblHints = nullptr;
    THintForm* m_hintForm = nullptr;

    QMenu* m_mItemRaetsel = nullptr;
    QMenu* m_mItemBearbeiten = nullptr;
    QMenu* m_mItemAnsicht = nullptr;
    QAction* m_mItemRaeDrucken = nullptr;
    QAction* m_mItemRaeInfos = nullptr;
    QAction* m_mItemPrgInfo = nullptr;
    QAction* m_mItemPrgBeenden = nullptr;
    QAction* m_mItemBeaRueckgaengig = nullptr;
    QAction* m_mItemBeaZuruecksetzen = nullptr;
    QAction* m_mItemBeaN1 = nullptr;
    QAction* m_mItemBeaLeerfeld = nullptr;
    QAction* m_mItemBeaBegriff = nullptr;
    QAction* m_mItemBeaEintragen = nullptr;
    QMenu* m_mItemBeaFelderMarkieren = nullptr;
    QMenu* m_mItemBeaSchnappschuss = nullptr;
    QAction* m_mItemAnsLoesung = nullptr;
    QAction* m_mItemAnsN1 = nullptr;
    QAction* m_mItemAnsVergroessern = nullptr;
    QAction* m_mItemAnsVerkleinern = nullptr;
    QAction* m_mItemAnsFehleintraege = nullptr;
    QAction* m_mItemAnsBegriffLaengen = nullptr;
    QAction* m_mItemAnsTooltips = nullptr;
};

} // namespace zx
