#include "controls/AlignLayout.h"
#include "tests/TestBytes.h"
#include "ui/LayoutRules.h"
#include "ui/TfMain.h"

#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

namespace {

// The instructions panel as the program fills it, byte for byte.
const QByteArray kInstructions =
    "Hoe maak je uit de gegevens van een CSV-bestand een leerlingenlijst?\r\n"
    "1. Klik op 'Importeer' en zoek een csv-bestand met leerlinggegevens\r\n"
    "2. Wijzig zo nodig het scheidingsteken en klik op 'Kolomtitels bovenaan'\r\n"
    "3. Klik op ok\r\n"
    "4. Versleep de kolomtitels zodat de voornamen en tussenvoegsels en achternamen naast elkaar "
    "staan\r\n"
    "5. Klik op een kolomtitel om de kolom te sorteren\r\n"
    "6. Klik bv op de kolomtitel van 'Groep' om deze kolom te sorteren\r\n"
    "7. Selecteer de kolommen die je wilt gebruiken door de linker muistoets ingedrukt te "
    "houden\r\n"
    "8. Klik op 'Zet in de lijst' om de namen in de leerlingenlijst te zetten\r\n"
    "9. Controleer de leerlingenlijst en pas die zonodig aan\r\n"
    "10. Klik op 'Bewaar', kies een geschikte naam (bv groep6) en zet die in de map met "
    "leerlingenlijsten\r\n"
    "11. Herhaal zo nodig vanaf punt 7 de procedure\r\n"
    "\xA9 Uitgeverij Pluvana\r\n";

const QPoint kDown(5, 200);

// A splitter drag with real mouse events.
void dragSplitter(int dx)
{
    QWidget* splitter = fMain->Splitter;
    QTest::mousePress(splitter, Qt::LeftButton, {}, kDown);
    QTest::mouseMove(splitter, kDown + QPoint(dx, 0));
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, kDown + QPoint(dx, 0));
}

// Where the labels belong for the transfer button's and the save button's Lefts, with the
// widths the labels' font gives their texts.
int expectedCsvLeft(int naarmemoLeft)
{
    return 113 + (naarmemoLeft - 113) / 2 - fMain->lCSV->width() / 2;
}

int expectedZbrLeft(int naarmemoLeft, int bewaarLeft)
{
    const int b = naarmemoLeft + 113;
    return (bewaarLeft - b) / 2 + b - fMain->lZBR->width() / 2;
}

// The instructions scrolled down with a selection, as a user may leave them.
void scrollAndSelect()
{
    ListEdit* panel = fMain->mToelichting;
    QTextCursor cursor = panel->textCursor();
    cursor.setPosition(20);
    cursor.setPosition(40, QTextCursor::KeepAnchor);
    panel->setTextCursor(cursor);
    QScrollBar* bar = panel->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
}

bool resizeWindow(int width, int height)
{
    fMain->resize(width, height);
    return QTest::qWaitFor([&] { return fMain->size() == QSize(width, height); });
}

} // namespace

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        fMain = new TfMain;
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
    }

    void cleanup()
    {
        delete fMain;
        fMain = nullptr;
    }

    // The rules with the stored sizes, and halving toward zero where a gap is negative.
    void rules_data()
    {
        QTest::addColumn<int>("splitterLeft");
        QTest::addColumn<int>("bewaarLeft");
        QTest::addColumn<int>("csvWidth");
        QTest::addColumn<int>("zbrWidth");
        QTest::addColumn<int>("naarmemoLeft");
        QTest::addColumn<int>("csvLeft");
        QTest::addColumn<int>("zbrLeft");
        QTest::newRow("stored sizes") << 467 << 805 << 161 << 166 << 411 << 182 << 581;
        // b = 524; the save button 5 pixels left of it: -5 / 2 is -2, not -3.
        QTest::newRow("negative gap right") << 467 << 519 << 161 << 166 << 411 << 182 << 439;
        // a = 108 - 113 = -5, halved to -2.
        QTest::newRow("negative gap left") << 164 << 805 << 161 << 166 << 108 << 31 << 430;
        QTest::newRow("odd gaps, even labels") << 500 << 806 << 160 << 170 << 444 << 198 << 596;
    }

    void rules()
    {
        QFETCH(int, splitterLeft);
        QFETCH(int, bewaarLeft);
        QFETCH(int, csvWidth);
        QFETCH(int, zbrWidth);
        QFETCH(int, naarmemoLeft);
        QFETCH(int, csvLeft);
        QFETCH(int, zbrLeft);
        const int naarmemo = layoutrules::naarmemoLeft(splitterLeft, 113);
        QCOMPARE(naarmemo, naarmemoLeft);
        QCOMPARE(layoutrules::csvLeft(naarmemo, 113, 113, csvWidth), csvLeft);
        QCOMPARE(layoutrules::zbrLeft(naarmemo, 113, bewaarLeft, zbrWidth), zbrLeft);
    }

    void instructionsWidthRule()
    {
        QCOMPARE(layoutrules::toelichtingWidth(919, 113), 806);
        QCOMPARE(layoutrules::toelichtingWidth(100, 113), -13);
    }

    // After start-up at the stored size of 919 by 620.
    void startUp()
    {
        QCOMPARE(fMain->size(), QSize(919, 620));
        QCOMPARE(fMain->Grid->width(), 467);
        QCOMPARE(fMain->Splitter->x(), 467);
        QCOMPARE(fMain->tbNaarmemo->geometry(), QRect(411, 1, 113, 98));
        QCOMPARE(fMain->tbBewaar->x(), 805);
        QCOMPARE(fMain->lCSV->x(), expectedCsvLeft(411));
        QCOMPARE(fMain->lZBR->x(), expectedZbrLeft(411, 805));
        QCOMPARE(fMain->lCSV->y(), 32);
        QCOMPARE(fMain->lZBR->y(), 32);
        QCOMPARE(fMain->mToelichting->geometry(), QRect(112, 1, 806, 98));
        QVERIFY(fMain->AdvPanel1->findChild<QScrollBar*>() == nullptr);
        QVERIFY(AlignLayout::of(fMain->Grid)->horizontalScrollBar()->isHidden());
        QVERIFY(AlignLayout::of(fMain->Grid)->verticalScrollBar()->isHidden());
    }

    // Thirteen lines, each with CR LF, the credit line with the copyright sign 0xA9.
    void instructionsText()
    {
        const QByteArray text = bytes(fMain->mToelichting->text());
        QCOMPARE(text, kInstructions);
        QCOMPARE(text.count("\r\n"), 13);
        QVERIFY(text.endsWith("\r\n\xA9 Uitgeverij Pluvana\r\n"));
        QVERIFY(fMain->mToelichting->isReadOnly());
    }

    // Widening or narrowing keeps the grid, the transfer button and the grid's label; the
    // list's label follows the save button; the instructions get the new width.
    void resizeKeepsTheGrid_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("wider") << 1200;
        QTest::newRow("narrower") << 800;
        QTest::newRow("odd") << 1001;
        QTest::newRow("back to the stored width") << 919;
    }

    void resizeKeepsTheGrid()
    {
        QFETCH(int, width);
        const int csvLeft = fMain->lCSV->x();
        QVERIFY(resizeWindow(width, 700));
        QCOMPARE(fMain->Grid->width(), 467);
        QCOMPARE(fMain->Splitter->x(), 467);
        QCOMPARE(fMain->tbNaarmemo->x(), 411);
        QCOMPARE(fMain->lCSV->x(), csvLeft);
        const int bewaarLeft = width - 1 - 113;
        QCOMPARE(fMain->tbBewaar->x(), bewaarLeft);
        QCOMPARE(fMain->lZBR->x(), expectedZbrLeft(411, bewaarLeft));
        QCOMPARE(fMain->mToelichting->geometry(), QRect(112, 1, width - 113, 98));
        QCOMPARE(fMain->Memo->geometry(), QRect(477, 100, width - 477, 700 - 200));
        QCOMPARE(bytes(fMain->mToelichting->text()), kInstructions);
    }

    // A resize refills the instructions and shows them from the top, nothing selected.
    void resizeResetsTheInstructions()
    {
        ListEdit* panel = fMain->mToelichting;
        scrollAndSelect();
        panel->lines().clear();
        panel->lines().add("iets anders");
        QVERIFY(resizeWindow(1000, 620));
        QCOMPARE(bytes(panel->text()), kInstructions);
        QCOMPARE(panel->verticalScrollBar()->value(), 0);
        QVERIFY(!panel->textCursor().hasSelection());
        QCOMPARE(panel->textCursor().position(), 0);
        QCOMPARE(panel->width(), 1000 - 113);
    }

    // A splitter drag places the transfer button and the labels again but leaves the
    // instructions alone: their width, text, scroll position and selection.
    void splitterDragLeavesTheInstructions()
    {
        ListEdit* panel = fMain->mToelichting;
        scrollAndSelect();
        const int scrolled = panel->verticalScrollBar()->value();
        dragSplitter(100);
        QCOMPARE(fMain->Grid->width(), 567);
        QCOMPARE(fMain->Splitter->x(), 567);
        QCOMPARE(fMain->tbNaarmemo->x(), 511);
        QCOMPARE(fMain->lCSV->x(), expectedCsvLeft(511));
        QCOMPARE(fMain->lZBR->x(), expectedZbrLeft(511, 805));
        QCOMPARE(panel->verticalScrollBar()->value(), scrolled);
        QCOMPARE(panel->textCursor().selectionStart(), 20);
        QCOMPARE(panel->textCursor().selectionEnd(), 40);
        QCOMPARE(panel->geometry(), QRect(112, 1, 806, 98));
        QCOMPARE(bytes(panel->text()), kInstructions);
    }

    // Dragging the splitter as far as it goes either way.
    void splitterDrags_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("gridWidth");
        QTest::newRow("far left") << -1000 << 353;
        QTest::newRow("a little left") << -14 << 453;
        QTest::newRow("far right") << 1000 << 919 - 40;
    }

    void splitterDrags()
    {
        QFETCH(int, dx);
        QFETCH(int, gridWidth);
        dragSplitter(dx);
        QCOMPARE(fMain->Grid->width(), gridWidth);
        QCOMPARE(fMain->Splitter->x(), gridWidth);
        const int naarmemo = gridWidth - 56;
        QCOMPARE(fMain->tbNaarmemo->x(), naarmemo);
        QCOMPARE(fMain->lCSV->x(), expectedCsvLeft(naarmemo));
        // The list keeps at least 300 pixels, cut off at the window's right edge if need be.
        QCOMPARE(fMain->Memo->x(), gridWidth + 10);
        QCOMPARE(fMain->Memo->width(), std::max(300, 919 - gridWidth - 10));
    }

    // Far right, the list is cut off and the window's content scrolls to bring it in view.
    void farRightScrolls()
    {
        dragSplitter(1000);
        QCOMPARE(fMain->Memo->geometry().right(), 879 + 10 + 300 - 1);
        QScrollBar* bar = AlignLayout::of(fMain->Grid)->horizontalScrollBar();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->maximum(), 879 + 10 + 300 - 919);
        bar->setValue(bar->maximum());
        QCOMPARE(fMain->Memo->x() + fMain->Memo->width(), 919);
        QCOMPARE(fMain->Grid->x(), -270);
        QCOMPARE(fMain->AdvPanel1->x(), -270);
        QCOMPARE(fMain->pOnder->x(), -270);
    }

    // Escape ends a drag without changing a width; the handler still runs and changes
    // nothing.
    void escapeKeepsTheWidths()
    {
        fMain->tbNaarmemo->move(0, 1); // the handler puts it back
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::mousePress(fMain->Splitter, Qt::LeftButton, {}, kDown);
        QTest::mouseMove(fMain->Splitter, kDown + QPoint(200, 0));
        QTest::keyClick(focus, Qt::Key_Escape);
        QTest::mouseRelease(fMain->Splitter, Qt::LeftButton, {}, kDown + QPoint(200, 0));
        QCOMPARE(fMain->Grid->width(), 467);
        QCOMPARE(fMain->Splitter->x(), 467);
        QCOMPARE(fMain->Memo->geometry(), QRect(477, 100, 442, 420));
        QCOMPARE(fMain->tbNaarmemo->x(), 411);
        QCOMPARE(fMain->lCSV->x(), expectedCsvLeft(411));
        QVERIFY(!fMain->findChild<QWidget*>(QStringLiteral("splitterDragBar")));
    }

    // The window scrolls when narrower than grid, splitter and the list's 300 pixels, or
    // lower than the two panels together.
    void windowScrollBars_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("vertical");
        QTest::newRow("stored size") << QSize(919, 620) << false << false;
        QTest::newRow("just wide enough") << QSize(777, 620) << false << false;
        QTest::newRow("a pixel too narrow") << QSize(776, 620) << true << false;
        QTest::newRow("just high enough") << QSize(919, 200) << false << false;
        QTest::newRow("a pixel too low") << QSize(919, 199) << false << true;
        QTest::newRow("too low") << QSize(919, 150) << false << true;
        QTest::newRow("both") << QSize(500, 150) << true << true;
        // The vertical scroll bar takes width, so the window is then too narrow as well.
        QTest::newRow("wide enough but too low") << QSize(777, 150) << true << true;
    }

    void windowScrollBars()
    {
        QFETCH(QSize, size);
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);
        QVERIFY(resizeWindow(size.width(), size.height()));
        AlignLayout* layout = AlignLayout::of(fMain->Grid);
        QCOMPARE(layout->horizontalScrollBar()->isVisible(), horizontal);
        QCOMPARE(layout->verticalScrollBar()->isVisible(), vertical);
        if (horizontal) {
            QScrollBar* bar = layout->horizontalScrollBar();
            bar->setValue(bar->maximum());
            QCOMPARE(fMain->Memo->x() + fMain->Memo->width(), layout->clientRect().width());
        }
        if (vertical) {
            QScrollBar* bar = layout->verticalScrollBar();
            bar->setValue(bar->maximum());
            QCOMPARE(fMain->pOnder->y() + 100, layout->clientRect().height());
        }
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
