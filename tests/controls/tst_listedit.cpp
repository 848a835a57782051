#include "controls/ListEdit.h"
#include "controls/TextCodec.h"
#include "tests/TestBytes.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#include <QTextCursor>

namespace {

QByteArray bytesOf(const ListEdit& edit)
{
    return QByteArray::fromStdString(edit.text());
}

QByteArray everyByte()
{
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(static_cast<char>(b));
    return bytes;
}

const QByteArray kPlaceholder("Hier komen de leerlingennamen te \r\nstaan.\r\nOp elke regel "
                              "\xE9\xE9n naam.\r\n");

} // namespace

class TestListEdit : public QObject {
    Q_OBJECT

private:
    ListEdit* edit = nullptr;

    void putCaret(int position)
    {
        QTextCursor cursor = edit->textCursor();
        cursor.setPosition(position);
        edit->setTextCursor(cursor);
    }
    void putCaretAtEnd()
    {
        QTextCursor cursor = edit->textCursor();
        cursor.movePosition(QTextCursor::End);
        edit->setTextCursor(cursor);
    }
    QString shown() const { return edit->document()->toPlainText(); }

private slots:
    void init()
    {
        edit = new ListEdit;
        edit->resize(300, 200);
        edit->show();
        QVERIFY(QTest::qWaitForWindowExposed(edit));
        edit->setFocus();
    }
    void cleanup()
    {
        delete edit;
        edit = nullptr;
    }

    // What the program puts in comes back byte for byte, in an editable and a read-only list.
    void programTextRoundTrips_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("placeholder") << kPlaceholder << false;
        QTest::newRow("every byte value") << everyByte() << false;
        QTest::newRow("every byte value, read-only") << everyByte() << true;
        QTest::newRow("CR LF inside a line") << QByteArray("Jan\r\nde\xA0\r\n") << false;
        QTest::newRow("lone CR and lone LF") << QByteArray("a\rb\nc\n\rd\r\r\n") << false;
        QTest::newRow("no final break, blanks") << QByteArray("  a \r\n\r\n b  ") << false;
    }
    void programTextRoundTrips()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, readOnly);
        edit->setReadOnly(readOnly);
        edit->setText(view(bytes));
        QCOMPARE(bytesOf(*edit), bytes);

        // The same bytes added as lines come back too.
        edit->lines().clear();
        QCOMPARE(bytesOf(*edit), QByteArray());
        edit->lines().add(view(bytes));
        QCOMPARE(bytesOf(*edit), bytes + "\r\n");
    }

    void shownDecoded()
    {
        edit->setText(view(kPlaceholder + "\x80\xA0x\x8A"));
        QCOMPARE(edit->document()->toRawText(),
                 QStringLiteral("Hier komen de leerlingennamen te \u2029staan.\u2029Op elke regel "
                                "\u00e9\u00e9n naam.\u2029\u20ac\u00a0x\u0160"));
        QCOMPARE(edit->document()->blockCount(), 4);
    }

    void linesAdd_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("empty text")
            << QByteArray() << QByteArray("Jan\xA0") << QByteArray("Jan\xA0\r\n");
        QTest::newRow("after CR LF")
            << QByteArray("a\r\n") << QByteArray("b") << QByteArray("a\r\nb\r\n");
        QTest::newRow("after a line without break")
            << QByteArray("a") << QByteArray("b") << QByteArray("a\r\nb");
        QTest::newRow("after a lone CR")
            << QByteArray("a\r") << QByteArray("b") << QByteArray("a\r\r\nb");
        QTest::newRow("empty line")
            << QByteArray("a\r\n") << QByteArray() << QByteArray("a\r\n\r\n");
    }
    void linesAdd()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, line);
        QFETCH(QByteArray, after);
        edit->setText(view(before));
        edit->lines().add(view(line));
        QCOMPARE(bytesOf(*edit), after);
    }

    void enterGivesCrLf()
    {
        edit->setText("ab");
        putCaret(1);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(bytesOf(*edit), QByteArray("a\r\nb"));
        QTest::keyClick(edit, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(bytesOf(*edit), QByteArray("a\r\n\r\nb"));
        // At the very end too: the text then ends with the break.
        putCaretAtEnd();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(bytesOf(*edit), QByteArray("a\r\n\r\nb\r\n"));
    }

    void deletedFinalBreakStaysDeleted()
    {
        edit->setText(view(kPlaceholder));
        putCaretAtEnd();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(bytesOf(*edit), kPlaceholder.chopped(2));
        QVERIFY(bytesOf(*edit).endsWith("naam."));
    }

    // Typing changes exactly the bytes typed; the bytes around stay, whatever they are.
    void editsKeepTheOtherBytes()
    {
        const QByteArray all = everyByte();
        edit->setText(view(all));
        putCaret(0);
        QTest::keyClicks(edit, QStringLiteral("  x"));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(bytesOf(*edit), "  x\r\n\r\n" + all);

        putCaretAtEnd();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("\u00e9 "));
        QApplication::sendEvent(edit, &typed);
        QCOMPARE(bytesOf(*edit), "  x\r\n\r\n" + all.chopped(1) + "\xE9 ");

        // Undo goes back to the bytes, not to what the screen shows.
        edit->setText(view(all));
        QTest::keyClick(edit, Qt::Key_Delete);
        QVERIFY(bytesOf(*edit) != all);
        edit->undo();
        QCOMPARE(bytesOf(*edit), all);
    }

    void removingLoneBreaksKeepsTheOthers()
    {
        edit->setText("a\rb\nc\r\nd");
        // Remove the lone LF, the break between "b" and "c".
        putCaret(4);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(bytesOf(*edit), QByteArray("a\rbc\r\nd"));
    }

    void wrappingAddsNothing()
    {
        const QByteArray longLine = QByteArray("Jelmar van der Vlietman ").repeated(20);
        edit->setText(view(longLine));
        edit->resize(120, 200);
        QTest::qWait(0);
        QVERIFY(edit->document()->documentLayout()->documentSize().height() > 1);
        putCaretAtEnd();
        QTest::keyClicks(edit, QStringLiteral("x"));
        QCOMPARE(bytesOf(*edit), longLine + "x");
    }

    void color()
    {
        edit->setColor(QColor(255, 255, 0));
        QCOMPARE(edit->color(), QColor(255, 255, 0));
        QCOMPARE(edit->viewport()->palette().color(QPalette::Base), QColor(255, 255, 0));
        edit->setColor(QColor(255, 255, 255));
        QCOMPARE(edit->color(), QColor(255, 255, 255));
    }

    // Characters Windows-1252 cannot hold are folded as they enter, by typing, pasting or an
    // input method, so the list shows what it will save.
    void folding_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("L with stroke")
            << QStringLiteral("\u0141ukasz") << QStringLiteral("Lukasz") << QByteArray("Lukasz");
        QTest::newRow("l with stroke")
            << QStringLiteral("Micha\u0142") << QStringLiteral("Michal") << QByteArray("Michal");
        QTest::newRow("s with cedilla")
            << QStringLiteral("Ay\u015Fe") << QStringLiteral("Ayse") << QByteArray("Ayse");
        QTest::newRow("o with double acute")
            << QStringLiteral("Er\u0151s") << QStringLiteral("Eros") << QByteArray("Eros");
        QTest::newRow("dotless i")
            << QStringLiteral("Y\u0131lmaz") << QStringLiteral("Yilmaz") << QByteArray("Yilmaz");
        QTest::newRow("emoji") << QStringLiteral("Jan \U0001F600") << QStringLiteral("Jan ?")
                               << QByteArray("Jan ?");
        QTest::newRow("no plain form")
            << QStringLiteral("\u03A9\u4E2D") << QStringLiteral("??") << QByteArray("??");
        QTest::newRow("euro stays")
            << QStringLiteral("\u20AC 5") << QStringLiteral("\u20AC 5") << QByteArray("\x80 5");
        QTest::newRow("held letters stay")
            << QStringLiteral("\u00e9\u0160\u00c5") << QStringLiteral("\u00e9\u0160\u00c5")
            << QByteArray("\xE9\x8A\xC5");
        QTest::newRow("combining accent")
            << QStringLiteral("Jose\u0301 o\u030B") << QStringLiteral("Jos\u00e9 o")
            << QByteArray("Jos\xE9 o");
        QTest::newRow("ring above and acute")
            << QStringLiteral("\u01FB") << QStringLiteral("\u00e5") << QByteArray("\xE5");
    }
    void folding()
    {
        QFETCH(QString, input);
        QFETCH(QString, shown);
        QFETCH(QByteArray, bytes);

        QCOMPARE(textcodec::fold(input), shown);

        // Typed: one key event carrying the text, as a keyboard layout delivers it.
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, input);
        QApplication::sendEvent(edit, &press);
        QCOMPARE(this->shown(), shown);
        QCOMPARE(bytesOf(*edit), bytes);

        // Pasted.
        edit->clear();
        QCOMPARE(bytesOf(*edit), QByteArray());
        QGuiApplication::clipboard()->setText(input);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(this->shown(), shown);
        QCOMPARE(bytesOf(*edit), bytes);

        // Committed by an input method.
        edit->clear();
        QInputMethodEvent commit;
        commit.setCommitString(input);
        QApplication::sendEvent(edit, &commit);
        QCOMPARE(this->shown(), shown);
        QCOMPARE(bytesOf(*edit), bytes);
    }

    // Copying within the list keeps every byte a line holds, markers included.
    void copyAndPasteKeepBytes()
    {
        const QByteArray line("Jelmar\xA0van der\xA0\x80\r\n");
        edit->setText(view(line));
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
        putCaretAtEnd();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(bytesOf(*edit), line + line);
    }

    void pastedLineBreaksBecomeCrLf()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("a\nb\r\nc\rd"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(bytesOf(*edit), QByteArray("a\r\nb\r\nc\r\nd"));
    }
};

QTEST_MAIN(TestListEdit)
#include "tst_listedit.moc"
