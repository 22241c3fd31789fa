// The puzzle information dialog: type, size, title, author or best time,
// creation date, generator version and the help options the author allowed.
#pragma once

#include <QDialog>
#include <string>

#include "document/PuzzleData.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace zx {

class TReatselInfoDlg : public QDialog {
    Q_OBJECT
public:
    explicit TReatselInfoDlg(QWidget* parent = nullptr);

    // Fills every line from the record; exePath is the program file whose
    // modification time is shown as the creation date.
    void Fill(const TPuzzleData& puzzle, const std::string& exePath);

    // The generator line: the older product's name for versions before 6,
    // otherwise the maker and this program's title.
    static QString VersionLabel(const TPuzzleData& puzzle);
    // Date and time in the German short date and long time format.
    static QString GermanDateTime(const QDateTime& when);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_lblType;
    QLabel* m_lblSize;
    QLabel* m_lblTitle;
    QFrame* m_panelAuthor;
    QLabel* m_lblAuthorDesr;
    QLabel* m_lblAuthor;
    QLabel* m_lblCommentDescr;
    QLabel* m_lblComment;
    QFrame* m_panelDate;
    QLabel* m_lblDate;
    QLabel* m_lblVersion;
    QCheckBox* m_cbHelpShowFail;
    QCheckBox* m_cbHelpAutoFill;
    QCheckBox* m_cbHelpShowRiddle;
    QCheckBox* m_cbHelpEditRiddle;
    QPushButton* m_btnClose;
};

// True when version a is older than version b: their leading numbers compared
// as numbers, the rest as plain text ("9.5" is older than "10.00").
bool VersionOlder(std::string_view a, std::string_view b);

} // namespace zx
