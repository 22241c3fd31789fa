// The print settings dialog: layout or Sudoku scaling, colours, margins,
// legend font, printer and copies.
#pragma once

#include <QDialog>

#include "document/PuzzleData.h"
#include "document/Settings.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QToolButton;

namespace zx {

class TModalDialogs;
class TPrinterChoice;

class TPrintSettingsDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int ClientWidth = 569;
    static constexpr int ClientHeight = 310;

    // printers: the print system's choice, changed at once by the printer
    // list; dialogs: runs the printer set-up dialog.
    TPrintSettingsDlg(TPuzzleKind kind, TPrinterChoice& printers, TModalDialogs& dialogs,
                      QWidget* parent = nullptr);

    // Shows the settings: lengths in whole millimetres.
    void Fill(const TPrintSettings& print);
    // The settings as the dialog shows them, lengths in tenths of a millimetre.
    TPrintSettings Values(TPrintSettings print) const;

    // Handlers.
    void FormShow();
    void RBSizeStretchClick();
    // The orientation or legend position changed: shows the matching preview.
    void RBPortraitClick();
    void RBOnePageChange();
    void ComboDruckerChange(int index);
    void SBSetupPrinterClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Enter and Escape in the margin fields close the dialog.
    bool SpinLMarginKeyPress(QKeyEvent* key);

    TPrinterChoice& m_printers;
    TModalDialogs& m_dialogs;

    QGroupBox* m_gbLayout;
    QRadioButton* m_rbPortrait;
    QRadioButton* m_rbLandscape;
    QRadioButton* m_rbOnePage;
    QRadioButton* m_rbTwoPages;
    QLabel* m_imgOnePagePortaitB;
    QLabel* m_imgOnePagePortaitR;
    QLabel* m_imgOnePageLandscapeB;
    QLabel* m_imgOnePageLandscapeR;
    QLabel* m_imgTwoPages;
    QRadioButton* m_rbLegendRight;
    QRadioButton* m_rbLegendBottom;
    QGroupBox* m_gbScale;
    QRadioButton* m_rbSizeStretch;
    QRadioButton* m_rbSizeFixed;
    QSpinBox* m_spinGridSize;
    QLabel* m_lblGridSize;
    QGroupBox* m_rgColors;
    QRadioButton* m_rbColors[3];
    QSpinBox* m_spinLMargin;
    QSpinBox* m_spinTMargin;
    QLabel* m_lblLegFontSize;
    QSpinBox* m_seLegFontSize;
    QLabel* m_lblLegFontUnit;
    QComboBox* m_comboDrucker;
    QToolButton* m_sbSetupPrinter;
    QSpinBox* m_seNumCopies;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
};

} // namespace zx
