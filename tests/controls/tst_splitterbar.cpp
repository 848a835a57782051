#include "controls/AlignLayout.h"
#include "controls/SplitterBar.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

namespace {

// A window like the main one: a left control, the splitter, and a control that fills the
// rest with a minimum width of 300; the window scrolls when it is too small for them.
struct Fixture {
    QWidget window;
    QWidget* left;
    SplitterBar* splitter;
    QWidget* rest;

    explicit Fixture(int leftMinimum, int width = 919)
    {
        window.resize(width, 420);
        left = new QWidget(&window);
        left->setProperty("align", "alLeft");
        left->setMinimumWidth(leftMinimum);
        left->resize(467, 420);
        splitter = new SplitterBar(&window);
        splitter->setProperty("align", "alLeft");
        rest = new QWidget(&window);
        rest->setProperty("align", "alClient");
        rest->setMinimumWidth(300);
        for (QWidget* w : {left, rest}) {
            QPalette pal = w->palette();
            pal.setColor(QPalette::Window, Qt::white);
            w->setPalette(pal);
            w->setAutoFillBackground(true);
        }
        AlignLayout::fromProperties(&window, 0)->setAutoScroll(true);
    }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }
};

const QPoint kDown(5, 200);

// A whole drag with real mouse events: press, two moves with the button held, release.
void drag(SplitterBar* splitter, int dx)
{
    QTest::mousePress(splitter, Qt::LeftButton, {}, kDown);
    QTest::mouseMove(splitter, kDown + QPoint(dx / 2, 0));
    QTest::mouseMove(splitter, kDown + QPoint(dx, 0));
    QTest::mouseRelease(splitter, Qt::LeftButton, {}, kDown + QPoint(dx, 0));
}

} // namespace

class TestSplitterBar : public QObject {
    Q_OBJECT

private slots:
    // The width asked of the control left of the splitter, before its own minimum applies.
    void requestedSize_data()
    {
        QTest::addColumn<int>("dragged");
        QTest::addColumn<int>("maxSize");
        QTest::addColumn<int>("expected");
        QTest::newRow("in range") << 500 << 879 << 500;
        QTest::newRow("just above the snap") << 31 << 879 << 31;
        QTest::newRow("the minimum snaps") << 30 << 879 << 0;
        QTest::newRow("below the minimum snaps") << 12 << 879 << 0;
        QTest::newRow("negative snaps") << -200 << 879 << 0;
        QTest::newRow("at the maximum") << 879 << 879 << 879;
        QTest::newRow("beyond the maximum") << 2000 << 879 << 879;
        QTest::newRow("maximum below the minimum snaps") << 500 << 20 << 0;
    }

    void requestedSize()
    {
        QFETCH(int, dragged);
        QFETCH(int, maxSize);
        QFETCH(int, expected);
        QCOMPARE(SplitterBar::requestedSize(dragged, maxSize), expected);
    }

    // Drags with the left control's minimum of 353 (as the grid's) or none at all.
    void drags_data()
    {
        QTest::addColumn<int>("leftMinimum");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("leftWidth");
        QTest::newRow("wider") << 353 << 100 << 567;
        QTest::newRow("narrower") << 353 << -50 << 417;
        QTest::newRow("below the minimum width") << 353 << -130 << 353;
        QTest::newRow("far left snaps, then the minimum") << 353 << -1000 << 353;
        QTest::newRow("far right: client width - 40") << 353 << 1000 << 879;
        QTest::newRow("exactly the maximum") << 353 << 879 - 467 << 879;
        QTest::newRow("no minimum: 31 stays") << 0 << 31 - 467 << 31;
        QTest::newRow("no minimum: 30 snaps to 0") << 0 << 30 - 467 << 0;
        QTest::newRow("no minimum: far left snaps to 0") << 0 << -1000 << 0;
    }

    void drags()
    {
        QFETCH(int, leftMinimum);
        QFETCH(int, dx);
        QFETCH(int, leftWidth);
        Fixture f(leftMinimum);
        QVERIFY(f.show());
        drag(f.splitter, dx);
        QVERIFY(!f.splitter->isDragging());
        QVERIFY(!f.splitter->dragBar());
        QCOMPARE(f.left->geometry(), QRect(0, 0, leftWidth, f.left->height()));
        QCOMPARE(f.splitter->x(), leftWidth);
        QCOMPARE(f.splitter->width(), 10);
        // The rest takes what is left, but never less than its 300: then it is cut off at
        // the window's right edge and the window scrolls.
        QCOMPARE(f.rest->x(), leftWidth + 10);
        QCOMPARE(f.rest->width(), std::max(300, 919 - leftWidth - 10));
        QCOMPARE(f.rest->x() + f.rest->width() > 919,
                 !AlignLayout::of(f.rest)->horizontalScrollBar()->isHidden());
    }

    // Dragged far right, the list keeps its 300 pixels beyond the window's right edge; the
    // window's scroll bar brings it into view.
    void farRightCutsOffAndScrolls()
    {
        Fixture f(353);
        QVERIFY(f.show());
        drag(f.splitter, 1000);
        QCOMPARE(f.left->width(), 879);
        QCOMPARE(f.rest->geometry(), QRect(889, 0, 300, f.rest->height()));
        QScrollBar* bar = AlignLayout::of(f.rest)->horizontalScrollBar();
        QVERIFY(!bar->isHidden());
        QCOMPARE(bar->maximum(), 879 + 10 + 300 - 919);
        bar->setValue(bar->maximum());
        QCOMPARE(f.rest->x() + f.rest->width(), 919);
        QCOMPARE(f.left->x(), -270);
    }

    // Beside a vertical scroll bar the client width, which the drag leaves 40 pixels of, is
    // the window's width less the scroll bar.
    void farRightBesideVerticalScrollBar()
    {
        Fixture f(353);
        f.rest->setMinimumHeight(600);
        QVERIFY(f.show());
        AlignLayout* layout = AlignLayout::of(f.rest);
        QVERIFY(layout->verticalScrollBar()->isVisible());
        const int clientWidth = layout->clientRect().width();
        QCOMPARE(clientWidth, 919 - layout->verticalScrollBar()->width());
        drag(f.splitter, 1000);
        QCOMPARE(f.left->width(), clientWidth - 40);
        QCOMPARE(f.rest->width(), 300);
    }

    // While the button is held only the inverted bar moves; it stops at the same limits.
    void barFollowsThePointer()
    {
        Fixture f(353);
        QVERIFY(f.show());
        QTest::mousePress(f.splitter, Qt::LeftButton, {}, kDown);
        QVERIFY(f.splitter->isDragging());
        QWidget* bar = f.splitter->dragBar();
        QVERIFY(bar);
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->geometry(), f.splitter->geometry());

        QTest::mouseMove(f.splitter, kDown + QPoint(120, 0));
        QCOMPARE(bar->geometry(), f.splitter->geometry().translated(120, 0));
        QCOMPARE(f.left->width(), 467);
        QCOMPARE(f.splitter->x(), 467);

        QTest::mouseMove(f.splitter, kDown + QPoint(-1000, 0));
        QCOMPARE(bar->x(), SplitterBar::kMinSize);
        QTest::mouseMove(f.splitter, kDown + QPoint(1000, 0));
        QCOMPARE(bar->x(), 879);
        QCOMPARE(f.left->width(), 467);
        QTest::mouseRelease(f.splitter, Qt::LeftButton, {}, kDown + QPoint(1000, 0));
        QCOMPARE(f.left->width(), 879);
    }

    // The bar inverts every other pixel of what lies beneath it.
    void barIsInvertedAndCheckered()
    {
        Fixture f(353);
        QVERIFY(f.show());
        QTest::mousePress(f.splitter, Qt::LeftButton, {}, kDown);
        QTest::mouseMove(f.splitter, kDown + QPoint(100, 0));
        const QImage shot = f.window.grab().toImage();
        QTest::mouseRelease(f.splitter, Qt::LeftButton, {}, kDown + QPoint(100, 0));

        // Over the white control, half the pixels turn black; beside the bar all stay white.
        const int barLeft = 567;
        int black = 0;
        for (int x = barLeft; x < barLeft + 10; ++x) {
            for (int y = 100; y < 102; ++y) {
                const QRgb pixel = shot.pixel(x, y);
                QVERIFY2(pixel == qRgb(0, 0, 0) || pixel == qRgb(255, 255, 255),
                         qPrintable(QString::number(pixel, 16)));
                black += pixel == qRgb(0, 0, 0);
                // Horizontal neighbours differ: a checkerboard, not stripes.
                if (x > barLeft)
                    QVERIFY(shot.pixel(x - 1, y) != pixel);
            }
        }
        QCOMPARE(black, 10);
        QCOMPARE(shot.pixel(barLeft - 1, 100), qRgb(255, 255, 255));
        QCOMPARE(shot.pixel(barLeft + 10, 100), qRgb(255, 255, 255));
    }

    // moved() comes as every drag ends, and once more right after a new width was applied.
    void movedSignal()
    {
        Fixture f(353);
        QVERIFY(f.show());
        QSignalSpy spy(f.splitter, &SplitterBar::moved);
        int widthAtSignal = -1;
        connect(f.splitter, &SplitterBar::moved, [&] { widthAtSignal = f.left->width(); });

        drag(f.splitter, 100);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(widthAtSignal, 567);

        spy.clear();
        drag(f.splitter, 0); // asks for the same width again
        QCOMPARE(spy.count(), 1);
        QCOMPARE(f.left->width(), 567);

        spy.clear();
        drag(f.splitter, -1000);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(widthAtSignal, 353);
    }

    // Escape cancels: every width stays, the bar goes, moved() still comes once.
    void escapeCancels()
    {
        Fixture f(353);
        QVERIFY(f.show());
        auto focus = std::make_unique<QWidget>(&f.window);
        focus->setFocusPolicy(Qt::StrongFocus);
        focus->setFocus();
        QSignalSpy spy(f.splitter, &SplitterBar::moved);

        QTest::mousePress(f.splitter, Qt::LeftButton, {}, kDown);
        QTest::mouseMove(f.splitter, kDown + QPoint(150, 0));
        QTest::keyClick(focus.get(), Qt::Key_Escape);
        QVERIFY(!f.splitter->isDragging());
        QVERIFY(!f.splitter->dragBar());
        QCOMPARE(spy.count(), 1);
        QTest::mouseMove(f.splitter, kDown + QPoint(200, 0));
        QTest::mouseRelease(f.splitter, Qt::LeftButton, {}, kDown + QPoint(200, 0));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(f.left->width(), 467);
        QCOMPARE(f.splitter->x(), 467);
        QCOMPARE(f.rest->geometry(), QRect(477, 0, 442, 420));

        // Escape outside a drag is left to the focused control.
        QTest::keyClick(focus.get(), Qt::Key_Escape);
        QCOMPARE(spy.count(), 1);
    }

    // Only the left button drags.
    void otherButtonsDoNotDrag()
    {
        Fixture f(353);
        QVERIFY(f.show());
        QSignalSpy spy(f.splitter, &SplitterBar::moved);
        QTest::mousePress(f.splitter, Qt::RightButton, {}, kDown);
        QVERIFY(!f.splitter->isDragging());
        QTest::mouseRelease(f.splitter, Qt::RightButton, {}, kDown + QPoint(100, 0));
        QCOMPARE(f.left->width(), 467);
        QCOMPARE(spy.count(), 0);
    }

    // Red, a light line on the left edge and a dark one on the right; the resize cursor.
    void looks()
    {
        Fixture f(353);
        QVERIFY(f.show());
        const QImage shot = f.splitter->grab().toImage();
        QCOMPARE(shot.width(), 10);
        QCOMPARE(shot.pixel(5, 50), qRgb(255, 0, 0));
        QCOMPARE(shot.pixel(0, 50), qRgb(255, 255, 255));
        QCOMPARE(shot.pixel(9, 50), qRgb(160, 160, 160));
        QCOMPARE(f.splitter->cursor().shape(), Qt::SplitHCursor);
    }
};

QTEST_MAIN(TestSplitterBar)
#include "tst_splitterbar.moc"
