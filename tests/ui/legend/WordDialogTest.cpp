// The word entry dialog: typing into the letter boxes, the OK button's state,
// the word handed back, and the dialog's size for the word's length.
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <map>

#include "controls/DrawGrid.h"
#include "controls/Fonts.h"
#include "legend/BegriffDialog.h"

using namespace zx;

namespace {
// Types one character into the grid: '>' Right, '$' End, '\b' Backspace,
// '\x7f' Delete, '\x1b' Escape, '\r' Enter; bytes beyond ASCII as Latin-1 text.
void Type(QWidget* grid, char key) {
    static const std::map<char, Qt::Key> special = {
        {'>', Qt::Key_Right},     {'$', Qt::Key_End},       {'\b', Qt::Key_Backspace},
        {'\x7f', Qt::Key_Delete}, {'\x1b', Qt::Key_Escape}, {'\r', Qt::Key_Return}};
    if (const auto it = special.find(key); it != special.end()) {
        QTest::keyClick(grid, it->second);
    } else if (static_cast<unsigned char>(key) < 0x80) {
        QTest::keyClick(grid, key);
    } else {
        const QString text(QChar(static_cast<unsigned char>(key)));
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
        QApplication::sendEvent(grid, &press);
        QApplication::sendEvent(grid, &release);
    }
}
} // namespace

class WordDialogTest : public QObject {
    Q_OBJECT
    TProgramSettings m_settings;

private Q_SLOTS:
    void initTestCase() { InstallFontSubstitutes(); }

    // After the keys: the current box and OK's state; then Enter (OK enabled)
    // or Escape closes, and the boxes are read back through OK.
    void typing_data() {
        QTest::addColumn<QByteArray>("pattern");
        QTest::addColumn<QByteArray>("keys");
        QTest::addColumn<QByteArray>("boxes");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("ok");
        auto row = [](const char* name, const char* pattern, const char* keys, const char* boxes,
                      int col, bool ok) {
            QTest::newRow(name) << QByteArray(pattern) << QByteArray(keys) << QByteArray(boxes)
                                << col << ok;
        };
        row("complete pattern keeps OK off", "KAT", "", "KAT", 0, false);
        row("gap filled", "k t", ">a", "KAT", 2, true);
        row("last box overwritten", "ABC", "$x", "ABX", 2, true);
        row("backspace on first", "ABC", "\b", "ABC", 0, true);
        row("backspace on third", "ABC", "$\b", "A C", 1, false);
        row("delete", "ABC", ">\x7f", "A C", 1, false);
        row("space empties", "ABC", " ", " BC", 1, false);
        row("digits and signs dropped", "ABC", "1-&", "ABC", 0, true);
        row("umlaut fills two boxes", "    ", "\xe4", "AE  ", 2, false);
        row("umlaut on last but one", "ABC", ">\xdc", "AUE", 2, true);
        row("sharp s on last box", "ABC", "$\xdf", "ABS", 2, true);
        row("no boxes", "", "a\b$", "", 0, false);
    }
    void typing() {
        QFETCH(QByteArray, pattern);
        QFETCH(QByteArray, keys);
        QFETCH(QByteArray, boxes);
        QFETCH(int, col);
        QFETCH(bool, ok);
        TWordEditDlg dlg(m_settings);
        dlg.SetWordText(pattern.toStdString());
        dlg.show();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCOMPARE(QApplication::focusWidget(), dlg.GridBegriff());
        for (const char k : keys)
            Type(dlg.GridBegriff(), k);
        QCOMPARE(dlg.GridBegriff()->Col(), col);
        QCOMPARE(dlg.BtnOK()->isEnabled(), ok);

        Type(dlg.GridBegriff(), ok ? '\r' : '\x1b');
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), ok ? QDialog::Accepted : QDialog::Rejected);
        if (!ok) {
            QCOMPARE(QByteArray::fromStdString(dlg.WordText()), pattern);
            dlg.BtnOK()->setEnabled(true);
            dlg.BtnOK()->click();
        }
        QCOMPARE(QByteArray::fromStdString(dlg.WordText()), boxes);
    }

    // clientWidth 0: as wide as the question needs.
    void size_data() {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("letters");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QSize>("grid");
        QTest::addColumn<int>("clientWidth");
        QTest::newRow("12 letters") << 30 << 12 << QString() << QSize(363, 31) << 427;
        QTest::newRow("3 letters") << 30 << 3 << QString() << QSize(93, 31) << 222;
        QTest::newRow("no letters") << 30 << 0 << QString() << QSize(3, 31) << 222;
        QTest::newRow("large boxes") << 60 << 3 << QString() << QSize(183, 61) << 247;
        QTest::newRow("long question")
            << 30 << 3 << QStringLiteral("Anderes Wort für einen sehr langen Begriff :")
            << QSize(93, 31) << 0;
    }
    void size() {
        QFETCH(int, cell);
        QFETCH(int, letters);
        QFETCH(QString, question);
        QFETCH(QSize, grid);
        QFETCH(int, clientWidth);
        m_settings.Feldgroesse = cell;
        TWordEditDlg dlg(m_settings);
        dlg.SetQuestion(question);
        dlg.SetWordText(std::string(static_cast<std::size_t>(letters), ' '));
        dlg.show();
        QCOMPARE(dlg.GridBegriff()->geometry(), QRect(QPoint(56, 21), grid));
        const QRect label = dlg.findChild<QLabel*>(QStringLiteral("LblBegriff"))->geometry();
        QCOMPARE(dlg.width(), clientWidth ? clientWidth : label.right() + 1 + 8);
        QVERIFY(dlg.width() > 222 || clientWidth);
        // The buttons stay below the boxes, 6 pixels above the bottom edge.
        QCOMPARE(dlg.BtnOK()->y(), std::max(60, 21 + grid.height() + 8));
        QCOMPARE(dlg.height(), dlg.BtnOK()->geometry().bottom() + 1 + 6);
    }

    void captionStaysWhole() {
        // Two boxes would make a narrow dialog; its caption keeps it wide
        // enough for the title bar to show the whole text beside the close box.
        TWordEditDlg dlg(m_settings);
        dlg.setWindowTitle(QString::fromUtf8("Gesuchten Begriff eingeben"));
        dlg.SetWordText("  ");
        dlg.show();
        QVERIFY(dlg.width() >= QFontMetrics(QApplication::font()).horizontalAdvance(dlg.windowTitle()) + 64);
    }
};

QTEST_MAIN(WordDialogTest)
#include "WordDialogTest.moc"
