// The shell's small windows: puzzle and program information, the result
// dialog, the hint placement, flat toolbar buttons and calls into child windows.
#include <QCheckBox>
#include <QFile>
#include <cstdio>
#include <fstream>
#include <memory>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <QTemporaryDir>
#include <QtTest>

#include "ShellTestSupport.h"
#include "controls/SpeedButton.h"
#include "shell/HinweisDialog.h"
#include "shell/InfoDialog.h"
#include "shell/MessageDialog.h"
#include "shell/PlayerDialogs.h"
#include "shell/RaetselInfoDialog.h"

using namespace zx;
using zxtest::U;

// A child window offering the calls the frame makes.
class DialogsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_exe;

    template <class T> static T* Find(QWidget& parent, const char* name) {
        return parent.findChild<T*>(QString::fromLatin1(name));
    }
    static QString Text(QWidget& parent, const char* name) { return Find<QLabel>(parent, name)->text(); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_exe = m_dir.filePath(QStringLiteral("player"));
        zxtest::WriteBytes(m_exe, "program");
    }

    void puzzleInformationLines_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<int>("bestTime");
        QTest::addColumn<int>("help");
        QTest::addColumn<QString>("typeLine");
        QTest::addColumn<QString>("sizeLine");
        QTest::addColumn<QString>("authorCaption");
        QTest::addColumn<QString>("commentCaption");
        QTest::addColumn<QString>("comment");
        QTest::addColumn<QString>("versionLine");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("failCaption");
        QTest::addColumn<QString>("fillCaption");

        const QString letters = U("Falsche Buchstaben markieren");
        const QString letterFill = U("Korrekten Buchstaben einfügen");
        const QString symbols = U("Falsche Symbole markieren");
        const QString symbolFill = U("Korrektes Symbol einfügen");
        QTest::newRow("plain Sudoku has no author lines and a shorter window")
            << 14 << 9 << QByteArray("7.21") << 0 << 5 << U("Sudoku (schwer)") << U("9 x 9 Felder")
            << U("Bester:") << U("Lösungszeit:") << QString() << U("Tavimo Rätsel-Player 7.21") << 277
            << symbols << symbolFill;
        QTest::newRow("timed Sudoku shows the best time")
            << 15 << 9 << QByteArray("7.21") << 187 << 3 << U("Sudoku auf Zeit (leicht)") << U("9 x 9 Felder")
            << U("Bester:") << U("Lösungszeit:") << U("03:07 min.") << U("Tavimo Rätsel-Player 7.21") << 329
            << symbols << symbolFill;
        QTest::newRow("version 5.10 shows the older product")
            << 1 << 12 << QByteArray("5.10") << 0 << 64 << U("Schwedenrätsel mit Lösungswort") << U("12 x 12 Felder")
            << U("Autor:") << U("Kommentar:") << U("Zum Wochenende") << U("Tavimo Melvarin 5.10") << 368
            << letters << letterFill;
        QTest::newRow("version 7.21 shows the program title")
            << 4 << 12 << QByteArray("7.21") << 0 << 255 << U("Füllrätsel") << U("12 x 12 Felder")
            << U("Autor:") << U("Kommentar:") << U("Zum Wochenende") << U("Tavimo Rätsel-Player 7.21") << 368
            << letters << letterFill;
        QTest::newRow("version 10 is newer than 6, not older")
            << 0 << 12 << QByteArray("10.02") << 0 << 0 << U("Schwedenrätsel") << U("12 x 12 Felder")
            << U("Autor:") << U("Kommentar:") << U("Zum Wochenende") << U("Tavimo Rätsel-Player 10.02") << 368
            << letters << letterFill;
        QTest::newRow("empty version counts as older")
            << 0 << 12 << QByteArray("") << 0 << 0 << U("Schwedenrätsel") << U("12 x 12 Felder")
            << U("Autor:") << U("Kommentar:") << U("Zum Wochenende") << U("Tavimo Melvarin ") << 368
            << letters << letterFill;
    }
    void puzzleInformationLines() {
        QFETCH(int, type);
        QFETCH(int, size);
        QFETCH(QByteArray, version);
        QFETCH(int, bestTime);
        QFETCH(int, help);
        QFETCH(QString, typeLine);
        QFETCH(QString, sizeLine);
        QFETCH(QString, authorCaption);
        QFETCH(QString, commentCaption);
        QFETCH(QString, comment);
        QFETCH(QString, versionLine);
        QFETCH(int, height);
        QFETCH(QString, failCaption);
        QFETCH(QString, fillCaption);

        auto puzzle = zxtest::MakePuzzle(type, size, size);
        puzzle->Level = type == 14 ? 2 : 0;
        puzzle->CreatorVersion.assign(version.toStdString());
        puzzle->BestTime = static_cast<std::uint16_t>(bestTime);
        puzzle->HelpOptions = static_cast<std::uint8_t>(help);
        puzzle->Author.assign(type == 15 ? "Anna" : "Bernd M\xFCller");
        puzzle->Comment.assign("Zum Wochenende");

        TReatselInfoDlg dialog;
        dialog.Fill(*puzzle, m_exe.toStdString());
        QCOMPARE(dialog.windowTitle(), U("Rätsel-Eigenschaften"));
        QCOMPARE(Text(dialog, "LblType"), typeLine);
        QCOMPARE(Text(dialog, "LblSize"), sizeLine);
        QCOMPARE(Text(dialog, "LblTitle"), U("Testrätsel"));
        QCOMPARE(Text(dialog, "LblAuthorDesr"), authorCaption);
        QCOMPARE(Text(dialog, "LblCommentDescr"), commentCaption);
        QCOMPARE(Text(dialog, "LblComment"), comment);
        QCOMPARE(Find<QLabel>(dialog, "LblComment")->height(), type >= 14 ? 21 : 57);
        QCOMPARE(Text(dialog, "LblAuthor"), type == 15 ? U("Anna") : U("Bernd Müller"));
        QCOMPARE(Text(dialog, "LblVersion"), versionLine);
        QCOMPARE(dialog.height(), height);

        QWidget* author = Find<QWidget>(dialog, "PanelAuthor");
        QWidget* date = Find<QWidget>(dialog, "PanelDate");
        QCOMPARE(author->isHidden(), type == 14);
        QCOMPARE(date->y(), type == 14 ? author->y() : author->geometry().bottom() + 1);
        if (type == 15) {
            // The one-line best time: the date line follows at the normal line step.
            auto top = [&](const char* name) {
                return Find<QWidget>(dialog, name)->mapTo(&dialog, QPoint()).y();
            };
            QCOMPARE(top("LblDate") - top("LblComment"), top("LblSize") - top("LblType"));
        }
        QCOMPARE(Find<QWidget>(dialog, "BtnClose")->geometry().bottom() + 1, height - 6);

        QCheckBox* fail = Find<QCheckBox>(dialog, "CBHelpShowFail");
        QCOMPARE(fail->text(), failCaption);
        QCOMPARE(Find<QCheckBox>(dialog, "CBHelpAutoFill")->text(), fillCaption);
        QCOMPARE(fail->isChecked(), (help & 1) != 0);
        QCOMPARE(Find<QCheckBox>(dialog, "CBHelpAutoFill")->isChecked(), (help & 2) != 0);
        QCOMPARE(Find<QCheckBox>(dialog, "CBHelpShowRiddle")->isChecked(), (help & 4) != 0);
        QCheckBox* edit = Find<QCheckBox>(dialog, "CBHelpEditRiddle");
        QCOMPARE(edit->isChecked(), (help & 64) != 0);
        QCOMPARE(edit->isHidden(), type >= 14);
        // The boxes only display: a click changes nothing.
        dialog.show();
        QTest::mouseClick(fail, Qt::LeftButton);
        QCOMPARE(fail->isChecked(), (help & 1) != 0);

        const QDateTime modified = QFileInfo(m_exe).lastModified();
        QCOMPARE(Text(dialog, "LblDate"), modified.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss")));
    }

    void programFileDateFromItsBytes_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("exists");
        QTest::newRow("plain name") << QByteArray("player2") << true;
        QTest::newRow("name that is not UTF-8") << QByteArray("R\xE4tsel-Player") << true;
        QTest::newRow("missing file") << QByteArray("fehlt") << false;
    }
    void programFileDateFromItsBytes() {
        QFETCH(QByteArray, name);
        QFETCH(bool, exists);
        const std::string path = QFile::encodeName(m_dir.path()).toStdString() + '/' + name.toStdString();
        if (exists) std::ofstream(path) << "program";
        // The temporary folder cannot remove a name that is not UTF-8 itself.
        const std::unique_ptr<const std::string, void (*)(const std::string*)> removal(
            &path, [](const std::string* p) { std::remove(p->c_str()); });
        const QDateTime modified = FileModified(path);
        QCOMPARE(modified.isValid(), exists);
        if (exists) QVERIFY(qAbs(modified.secsTo(QDateTime::currentDateTime())) < 60);

        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        TReatselInfoDlg dialog;
        dialog.Fill(*puzzle, path);
        QCOMPARE(Text(dialog, "LblDate"), exists ? TReatselInfoDlg::GermanDateTime(modified) : QString());
        const int year = exists ? modified.date().year() : QDate::currentDate().year();
        QVERIFY(TInfoDlg::CopyrightText(path).endsWith(QString::number(year)));
    }

    void programInformation() {
        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        puzzle->CreatorVersion.assign("7.21 Professional Edition 2008");
        TInfoDlg dialog(*puzzle, m_exe.toStdString());
        QCOMPARE(Text(dialog, "LblVersion"), U("Version 7.21 Professional Ed"));
        QCOMPARE(Text(dialog, "LblVersion").size(), 28);
        QCOMPARE(Text(dialog, "LblAppName"), U("Zindorax"));
        QCOMPARE(Text(dialog, "Label3"), U("Dieses ausführbare Rätsel wurde erstellt mit dem:"));
        const QString year = QString::number(QFileInfo(m_exe).lastModified().date().year());
        QVERIFY(Text(dialog, "LblCopyr").endsWith(year));
        QVERIFY(Text(dialog, "LblURL").contains(QLatin1String(".example")));
        QVERIFY(Text(dialog, "LbleMail").contains(QLatin1String("mailto:")));
        QCOMPARE(Find<QLabel>(dialog, "LblURL")->toolTip(), U("Homepage der Firma Tavimo aufrufen"));
        QCOMPARE(Find<QLabel>(dialog, "LbleMail")->toolTip(), U("Eine e-Mail an Tavimo schreiben"));
        QVERIFY(Find<QWidget>(dialog, "PanelURL")->isEnabled());
        QCOMPARE(dialog.size(), QSize(321, 206));

        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void resultDialogForms_data() {
        QTest::addColumn<int>("success");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("beeps");
        QTest::newRow("success is silent") << 1 << U("Glückwunsch!") << 0;
        QTest::newRow("failure beeps once") << 0 << U("Fehler!") << 1;
    }
    void resultDialogForms() {
        QFETCH(int, success);
        QFETCH(QString, caption);
        QFETCH(int, beeps);
        int beeped = 0;
        TWinMsgDlg dialog;
        dialog.SetBeep([&] { ++beeped; });
        dialog.SetSuccess(success);
        dialog.SetMessage(U("Sie haben das Rätsel gelöst!"));
        dialog.show();
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(beeped, beeps);
        QCOMPARE(Find<QWidget>(dialog, "ImgOK")->isVisible(), success != 0);
        QCOMPARE(Find<QWidget>(dialog, "ImgError")->isVisible(), success == 0);
        QCOMPARE(Text(dialog, "LblMessage"), U("Sie haben das Rätsel gelöst!"));
        auto* close = Find<QPushButton>(dialog, "BtnClose");
        QCOMPARE(close->text(), U("S&chließen"));
        QVERIFY(close->isDefault());
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void questionsDefaultToNo() {
        // Enter on the reset question must not wipe the player's work.
        zx::TPlayerDialogs dialogs;
        QTimer::singleShot(0, [] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            QTest::keyClick(box, Qt::Key_Return);
        });
        QVERIFY(!dialogs.AskYesNo(nullptr, U("Möchten Sie wirklich das komplette Rätsel zurücksetzen?")));
    }

    void fixedDialogsOfferNoMinimiseOrMaximise_data() {
        QTest::addColumn<QByteArray>("dialog");
        QTest::addColumn<bool>("closeButton");
        QTest::newRow("puzzle information") << QByteArray("ReatselInfoDlg") << true;
        QTest::newRow("result message") << QByteArray("WinMsgDlg") << true;
        QTest::newRow("program information has no border") << QByteArray("InfoDlg") << false;
    }
    void fixedDialogsOfferNoMinimiseOrMaximise() {
        QFETCH(QByteArray, dialog);
        QFETCH(bool, closeButton);
        auto puzzle = zxtest::MakePuzzle(0, 5, 5);
        std::unique_ptr<QDialog> d;
        if (dialog == "ReatselInfoDlg")
            d = std::make_unique<TReatselInfoDlg>();
        else if (dialog == "WinMsgDlg")
            d = std::make_unique<TWinMsgDlg>();
        else
            d = std::make_unique<TInfoDlg>(*puzzle, m_exe.toStdString());
        d->show();
        // The flags the window system gets; without CustomizeWindowHint it adds its defaults.
        const Qt::WindowFlags flags = d->windowHandle()->flags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(bool(flags & Qt::WindowCloseButtonHint), closeButton);
    }

    void hintPlacement_data() {
        QTest::addColumn<QRect>("cell");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("topLeft");
        // A 100 x 20 popup beside a 20 x 20 cell, which it never covers.
        const QRect screen(0, 0, 800, 600);
        QTest::newRow("free space: right of the cell, tops level") << QRect(300, 300, 20, 20) << screen << QPoint(324, 300);
        QTest::newRow("near the right edge: left of the cell") << QRect(750, 300, 20, 20) << screen << QPoint(646, 300);
        QTest::newRow("at the bottom edge: moved up beside it") << QRect(300, 590, 20, 20) << screen << QPoint(324, 580);
        QTest::newRow("above the top edge: kept on the screen") << QRect(300, -10, 20, 20) << screen << QPoint(324, 0);
        QTest::newRow("right edge of a second screen") << QRect(1800, 400, 20, 20) << QRect(800, 0, 1024, 768) << QPoint(1696, 400);
        QTest::newRow("no room beside: below the cell") << QRect(40, 300, 20, 20) << QRect(0, 0, 150, 600) << QPoint(40, 324);
        QTest::newRow("no room beside or below: above the cell") << QRect(40, 300, 20, 20) << QRect(0, 0, 150, 340) << QPoint(40, 276);
    }
    void hintPlacement() {
        QFETCH(QRect, cell);
        QFETCH(QRect, screen);
        QFETCH(QPoint, topLeft);
        const QPoint at = HintPlacement(cell, QSize(100, 20), screen);
        QCOMPARE(at, topLeft);
        QVERIFY(!QRect(at, QSize(100, 20)).intersects(cell));
    }

    void speedButtonGroups() {
        QWidget bar;
        auto make = [&](int group, bool allowAllUp) {
            auto* b = new TSpeedButton(QIcon(), U("Hinweis"), &bar);
            b->SetGroupIndex(group);
            b->SetAllowAllUp(allowAllUp);
            return b;
        };
        TSpeedButton* plain = make(0, false);
        TSpeedButton* a = make(1, false);
        TSpeedButton* b = make(1, false);
        TSpeedButton* toggle = make(2, true);
        bar.show();

        QCOMPARE(plain->size(), QSize(25, 25));
        QCOMPARE(plain->toolTip(), U("Hinweis"));
        QCOMPARE(plain->statusTip(), U("Hinweis"));
        QTest::mouseClick(plain, Qt::LeftButton);
        QVERIFY(!plain->Down());
        plain->SetDown(true);
        QVERIFY(!plain->Down());

        // A radio group: the clicked button goes down, the other comes up.
        QTest::mouseClick(a, Qt::LeftButton);
        QVERIFY(a->Down());
        QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY(b->Down());
        QVERIFY(!a->Down());
        QTest::mouseClick(b, Qt::LeftButton);
        QVERIFY2(b->Down(), "the down button of a radio group stays down");
        a->SetDown(true);
        QVERIFY(!b->Down());

        // Another group is independent; with AllowAllUp a click releases it.
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(toggle->Down());
        QVERIFY(a->Down());
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(!toggle->Down());

        int clicks = 0;
        connect(a, &QToolButton::clicked, this, [&] { ++clicks; });
        QTest::mouseClick(a, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }
};

QTEST_MAIN(DialogsTest)
#include "DialogsTest.moc"
