#include "app/Application.h"
#include "app/ErrorText.h"
#include "core/Errors.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class TestErrorDisplay : public QObject {
    Q_OBJECT

private slots:
    void fullStop_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter") << "Stream write error"
                                << "Stream write error.";
        QTest::newRow("digit") << "Fout 42"
                               << "Fout 42.";
        QTest::newRow("question mark") << "Waarom?"
                                       << "Waarom?.";
        QTest::newRow("colon") << "Bestand:"
                               << "Bestand:.";
        QTest::newRow("full stop") << "Klaar."
                                   << "Klaar.";
        QTest::newRow("exclamation mark") << "Let op!"
                                          << "Let op!";
        QTest::newRow("closing parenthesis") << "(leeg)"
                                             << "(leeg)";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("accented letter") << QString::fromUtf8("één") << QString::fromUtf8("één.");
    }

    void fullStop()
    {
        QFETCH(QString, message);
        QFETCH(QString, shown);
        QCOMPARE(errorText(message), shown);
    }

    // Qt's own dialogs and buttons speak Dutch, whatever the machine's locale.
    void qtSpeaksDutch()
    {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Annuleren"));
    }

    // An exception that ends a handler reaches the error display through the event dispatch,
    // and the program goes on taking events.
    void handlerErrorIsShownAndLoopGoesOn()
    {
        QStringList shown;
        Application::setErrorSink([&](const QString& text) { shown << text; });
        QPushButton button(QStringLiteral("knop"));
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&] {
            ++clicks;
            if (clicks == 1)
                throw core::Error("Cannot create file /tmp/x/groep6.zbr");
            if (clicks == 2)
                throw core::Abort();
        });
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));

        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(shown, QStringList{QStringLiteral("Cannot create file /tmp/x/groep6.zbr.")});

        QTest::mouseClick(&button, Qt::LeftButton); // the silent kind shows nothing
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 3);
        QCOMPARE(shown.size(), 1);
        Application::setErrorSink({});
    }

    // The message box itself: caption "pluvana", the error icon and one OK button.
    void messageBox()
    {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            caption = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        static_cast<Application*>(qApp)->showException(core::Error("File is empty"));
        QCOMPARE(caption, QStringLiteral("pluvana"));
        QCOMPARE(text, QStringLiteral("File is empty."));
        QCOMPARE(icon, QMessageBox::Critical);
        QCOMPARE(buttons, 1);
    }
};

int main(int argc, char** argv)
{
    Application app(argc, argv);
    TestErrorDisplay test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_errordisplay.moc"
