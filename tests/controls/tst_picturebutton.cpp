#include "controls/PictureButton.h"
#include "controls/SystemColors.h"

#include <QCursor>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTest>

// Any of the window's pictures will do.
static const char* const kPicture = ":/pictures/importeer.svg";

class TestPictureButton : public QObject {
    Q_OBJECT

    // A point of the face that neither the picture nor the caption covers.
    static QColor facePixel(PictureButton& button)
    {
        return button.grab().toImage().pixelColor(6, 50);
    }

private slots:
    void faceFollowsPointerAndPress()
    {
        QWidget panel;
        panel.setAutoFillBackground(true);
        QPalette pal = panel.palette();
        pal.setColor(QPalette::Window, syscolors::btnFace());
        panel.setPalette(pal);
        PictureButton button(&panel);
        button.setText(QStringLiteral("&Importeer"));
        button.setPicture(QString::fromLatin1(kPicture));
        panel.setGeometry(200, 200, 300, 200);
        QCursor::setPos(20, 20); // the pointer starts elsewhere
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));

        QCOMPARE(facePixel(button), syscolors::btnFace()); // flat while idle

        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
        QApplication::sendEvent(&button, &enter);
        QCOMPARE(facePixel(button), PictureButton::colorHot());

        button.setDown(true);
        QCOMPARE(facePixel(button), PictureButton::colorDown());

        button.setDown(false);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&button, &leave);
        QCOMPARE(facePixel(button), syscolors::btnFace());
    }

    void hotPictureIsLiftedWithShadow()
    {
        PictureButton button;
        button.setPicture(QString::fromLatin1(kPicture));
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        const QImage idle = button.grab().toImage();
        QEnterEvent enter(QPointF(10, 10), QPointF(10, 10), QPointF(10, 10));
        QApplication::sendEvent(&button, &enter);
        const QImage hot = button.grab().toImage();

        // Somewhere the lifted picture shows what the idle one had one pixel further on, and
        // a grey shadow pixel appears where the idle picture had none.
        bool lifted = false;
        bool shadow = false;
        for (int y = 2; y < 70; ++y) {
            for (int x = 2; x < 110; ++x) {
                if (idle.pixelColor(x, y) != syscolors::btnFace() &&
                    hot.pixelColor(x - 1, y - 1) == idle.pixelColor(x, y))
                    lifted = true;
                if (hot.pixelColor(x, y) == QColor(128, 128, 128))
                    shadow = true;
            }
        }
        QVERIFY(lifted);
        QVERIFY(shadow);
    }

    void mnemonicClicksWithoutFocus()
    {
        QWidget window;
        PictureButton button(&window);
        button.setText(QStringLiteral("&Bewaar"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QSignalSpy clicked(&button, &QAbstractButton::clicked);
        QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
        QTRY_COMPARE(clicked.count(), 1);
        QVERIFY(!button.hasFocus());
    }
};

QTEST_MAIN(TestPictureButton)
#include "tst_picturebutton.moc"
