// The frame window: menu bar, gradient toolbar, status line and the area that
// holds the child windows; start-up loading, command states and the undo copy.
#pragma once

#include <QCursor>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/PuzzleFile.h"
#include "session/FrameLink.h"

class QAbstractButton;
class QAction;
class QKeyEvent;
class QLabel;
class QMdiArea;
class QMenu;
class QMouseEvent;

namespace zx {

struct TPlayerState;
class TModalDialogs;
class THintForm;
class TSpeedButton;

// The frame's size on a screen of the given size: 640 x 480 by design, 800
// wide or 600 high where the screen allows it, 1000 x 750 on large screens.
QSize FrameSizeFor(const QSize& screen);

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
    TPlayerState& State() override { return *m_state; }
    TModalDialogs& Dialogs() override { return *m_dialogs; }
    QWidget* FindChildForm(int kind) const override;
    bool PuzzleAllows(int mask) const override;
    void SaveUndoCopy() override;
    void RestoreUndoCopy() override;
    void UpdateCommands() override;
    void ShowHintAt(int x, int y, int size, const QString& text) override;
    void CloseHint() override;
    bool HintVisible() const override;
    QCursor DragCursor(int number) const override;

    bool HasPuzzleForm() const { return FindChildForm(fkPuzzle) != nullptr; }
    // Opens the grid window for the loaded puzzle in the child area.
    QWidget* CreatePuzzleForm();

    // Start-up, queued after the first showing: caption and loading.
    void StartUpMessage();
    void LoadStartPuzzle();
    // Whether the start-up message has run, and the result of the load.
    bool StartUpDone() const { return m_startUpDone; }
    TLoadResult LoadResult() const { return m_loadResult; }

    // Menu-opening handlers: the items' states are computed each time.
    void MItemRaetselClick();
    void MItemBearbeitenClick();
    void MItemAnsichtClick();
    // Submenus of Bearbeiten: the marking items the puzzle's symbols allow,
    // ticked at the grid window's mark kind; the snapshot slots in use.
    void MItemBeaFelderMarkierenClick();
    void MItemBeaSchnappschussClick();
    // Commands.
    void MItemBeaRueckgaengigClick();
    void MItemRaeInfosClick();
    void MItemPrgInfoClick();
    void MItemPrgBeendenClick();

    // Replaces the test for an installed printer (used by tests).
    void SetPrinterProbe(std::function<bool()> probe) { m_hasPrinter = std::move(probe); }
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
    QAction* AddItem(QMenu* menu, const char* name, const char* caption, const char* hint);
    void ShowDisabledItemHint(const QMenu& menu, const QMouseEvent& move);
    void TrackModifiers(const QKeyEvent& key);
    void ModifiersChanged();
    void ReleaseModifiers();
    void NoteClosing(QObject* receiver);
    // The grid window's button of that name, or nullptr.
    QAbstractButton* GridButton(const char* name) const;
    // Menu items follow the toolbar's master state so that their shortcuts
    // act exactly when the toolbar button would.
    void MirrorToolbarToMenu();

    std::string m_exePath;
    std::vector<std::string> m_params;
    std::unique_ptr<TPlayerState> m_state;
    std::unique_ptr<TModalDialogs> m_ownDialogs;
    TModalDialogs* m_dialogs;
    std::function<bool()> m_hasPrinter;
    std::array<QCursor, 4> m_dragCursors;
    std::vector<QPointer<QObject>> m_closing;
    bool m_shown = false;
    bool m_startUpDone = false;
    TLoadResult m_loadResult = lrBadFormat;

    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_lblHints = nullptr;
    THintForm* m_hintForm = nullptr;

    TSpeedButton* m_tbPrgBeenden = nullptr;
    TSpeedButton* m_tbRaeDrucken = nullptr;
    TSpeedButton* m_tbRaeInfos = nullptr;
    TSpeedButton* m_tbBeaRueckgaengig = nullptr;
    TSpeedButton* m_tbBeaZuruecksetzen = nullptr;
    TSpeedButton* m_tbHlfInfo = nullptr;

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
