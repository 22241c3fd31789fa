// The program information box: product name, the puzzle's generator version,
// the maker's line with the program file's year and the maker's addresses.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <string>

#include "document/PuzzleData.h"

class QLabel;

namespace zx {

// The maker's addresses shown in the information box.
inline constexpr char MakerWebAddress[] = "https://www.tavimo.example";
inline constexpr char MakerMailAddress[] = "support@tavimo.example";

// The modification time of a file named by its bytes; invalid when the file
// cannot be read.
QDateTime FileModified(const std::string& path);

class TInfoDlg : public QDialog {
    Q_OBJECT
public:
    // exePath: the program file whose modification year the maker line shows.
    TInfoDlg(const TPuzzleData& puzzle, const std::string& exePath, QWidget* parent = nullptr);

    // "Version " and the generator version, 28 characters at most.
    static QString VersionText(const TPuzzleData& puzzle);
    // The maker line followed by the four-digit year of the file's modification
    // date (the current year when the file cannot be read).
    static QString CopyrightText(const std::string& exePath);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ImgTavimoLogoClick();

    QLabel* m_imgTavimoLogo;
};

} // namespace zx
