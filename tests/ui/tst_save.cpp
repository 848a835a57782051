// Saving the student list, through the application's own error display: this test has its
// own main() so that the application object is Pluvana's and its arguments can be changed.
#include "ListFixture.h"
#include "app/Application.h"
#include "controls/SaveFileDialog.h"
#include "controls/SystemColors.h"
#include "tests/TestBytes.h"

#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace listfixture;

namespace {

// The command line the application sees; the first argument can be changed between saves.
int gArgc = 1;
char gProgram[] = "pluvana";
QByteArray gArgument;
char* gArgv[] = {gProgram, nullptr, nullptr};

void setArgument(const std::optional<QByteArray>& argument)
{
    if (argument) {
        gArgument = *argument;
        gArgv[1] = gArgument.data();
        gArgc = 2;
    } else {
        gArgv[1] = nullptr;
        gArgc = 1;
    }
}

} // namespace

class TestSave : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* dir = nullptr;
    QStringList errors;
    // What the dialog held each time it was shown, and the answers to give.
    QList<SaveFileDialog*> shown;
    QStringList shownInitialDir;
    QStringList shownFileName;
    QList<std::optional<QString>> answers;

    QString pathOf(const QString& name) const { return dir->filePath(name); }
    QStringList filesInDir() const
    {
        return QDir(dir->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }
    // A real click on "Bewaar": a failure reaches the application's error display.
    void clickSave() { QTest::mouseClick(fMain->tbBewaar, Qt::LeftButton); }
    void transferSample()
    {
        setMarks(*fMain, sampleNames());
        fMain->tbNaarmemo->click();
        QCOMPARE(listOf(*fMain), sampleList());
    }

private slots:
    void init()
    {
        dir = new QTemporaryDir;
        QVERIFY(dir->isValid());
        errors.clear();
        shown.clear();
        shownInitialDir.clear();
        shownFileName.clear();
        answers.clear();
        Application::setErrorSink([this](const QString& text) { errors << text; });
        SaveFileDialog::setAnswer([this](const SaveFileDialog& dialog) -> std::optional<QString> {
            shown << const_cast<SaveFileDialog*>(&dialog);
            shownInitialDir << dialog.initialDir;
            shownFileName << dialog.fileName;
            return answers.isEmpty() ? std::nullopt : answers.takeFirst();
        });
        fMain = new TfMain;
        fMain->show();
        QVERIFY(QTest::qWaitForWindowExposed(fMain));
    }
    void cleanup()
    {
        delete fMain;
        fMain = nullptr;
        SaveFileDialog::setAnswer({});
        Application::setErrorSink({});
        setArgument(std::nullopt);
        delete dir;
        dir = nullptr;
    }

    // The untouched placeholder: 68 bytes; a name typed without extension gets ".zbr".
    void placeholderAndDefaultExtension()
    {
        answers << pathOf("groep6");
        clickSave();
        QCOMPARE(errors, QStringList());
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0]->title, QString("Bewaar de leerlingenlijst"));
        QCOMPARE(shown[0]->filter, QString("*.zbr"));
        QCOMPARE(shown[0]->defaultExt, QString("zbr"));
        QCOMPARE(filesInDir(), QStringList{"groep6.zbr"});
        QCOMPARE(contents(pathOf("groep6.zbr")), placeholder());
        QCOMPARE(contents(pathOf("groep6.zbr")).size(), 68);
        QCOMPARE(listOf(*fMain), QByteArray());
        QCOMPARE(fMain->Memo->color(), syscolors::window());
        QCOMPARE(fMain->SaveDialog->fileName, pathOf("groep6.zbr"));
    }

    // The sample transfer: 44 bytes over an existing, longer file, without a question.
    void sampleTransferReplacesFile()
    {
        put(pathOf("groep5.zbr"), QByteArray(500, 'x'));
        transferSample();
        QCOMPARE(fMain->Memo->color(), syscolors::yellow());
        answers << pathOf("groep5.zbr");
        clickSave();
        QCOMPARE(errors, QStringList());
        QCOMPARE(contents(pathOf("groep5.zbr")), sampleList());
        QCOMPARE(filesInDir(), QStringList{"groep5.zbr"});
        QCOMPARE(listOf(*fMain), QByteArray());
        QCOMPARE(fMain->Memo->color(), syscolors::window());

        // Saving again writes the now empty list, over the file just written.
        answers << pathOf("groep5.zbr");
        clickSave();
        QCOMPARE(contents(pathOf("groep5.zbr")), QByteArray(""));
        QCOMPARE(fMain->Memo->color(), syscolors::window());
        // The last confirmed path was offered again.
        QCOMPARE(shownFileName, (QStringList{QString(), pathOf("groep5.zbr")}));
    }

    void cancelChangesNothing()
    {
        answers << pathOf("eerst.zbr");
        clickSave();
        transferSample();
        answers << std::nullopt;
        clickSave();
        QCOMPARE(shown.size(), 2);
        QCOMPARE(filesInDir(), QStringList{"eerst.zbr"});
        QCOMPARE(contents(pathOf("eerst.zbr")), placeholder());
        QCOMPARE(listOf(*fMain), sampleList());
        QCOMPARE(fMain->Memo->color(), syscolors::yellow());
        QCOMPARE(fMain->SaveDialog->fileName, pathOf("eerst.zbr"));
    }

    // The teacher's edits are saved exactly: here the final line break was deleted and a blank
    // line typed.
    void editedListWithoutFinalBreak()
    {
        ListEdit* memo = fMain->Memo;
        memo->setFocus();
        QTextCursor cursor = memo->textCursor();
        cursor.movePosition(QTextCursor::End);
        memo->setTextCursor(cursor);
        QTest::keyClick(memo, Qt::Key_Backspace);
        cursor.movePosition(QTextCursor::Start);
        memo->setTextCursor(cursor);
        QTest::keyClick(memo, Qt::Key_Return);
        answers << pathOf("bewerkt.zbr");
        clickSave();
        QCOMPARE(contents(pathOf("bewerkt.zbr")), "\r\n" + placeholder().chopped(2));
        QVERIFY(contents(pathOf("bewerkt.zbr")).endsWith("naam."));
    }

    // The first argument sets the folder the dialog opens in when it names an existing
    // folder at the moment of the save; otherwise the folder stays as it was.
    void argumentFolder_data()
    {
        QTest::addColumn<std::optional<QByteArray>>("argument");
        QTest::addColumn<QString>("initialDir"); // relative to the temporary folder; "-": unchanged
        QTest::newRow("none") << std::optional<QByteArray>() << "-";
        QTest::newRow("empty") << std::optional<QByteArray>("") << "-";
        QTest::newRow("absolute") << std::optional<QByteArray>("<dir>/lijsten") << "lijsten";
        QTest::newRow("trailing delimiter")
            << std::optional<QByteArray>("<dir>/lijsten/") << "lijsten";
        QTest::newRow("blanks") << std::optional<QByteArray>("<dir>/groep 6 lijsten")
                                << "groep 6 lijsten";
        QTest::newRow("relative") << std::optional<QByteArray>("lijsten") << "lijsten";
        QTest::newRow("relative, trailing delimiter")
            << std::optional<QByteArray>("./lijsten/") << "lijsten";
        QTest::newRow("a file") << std::optional<QByteArray>("<dir>/bestand.zbr") << "-";
        QTest::newRow("missing folder") << std::optional<QByteArray>("<dir>/weg") << "-";
    }
    void argumentFolder()
    {
        QFETCH(std::optional<QByteArray>, argument);
        QFETCH(QString, initialDir);
        QVERIFY(QDir(dir->path()).mkdir("lijsten"));
        QVERIFY(QDir(dir->path()).mkdir("groep 6 lijsten"));
        put(pathOf("bestand.zbr"), "x");
        if (argument)
            argument->replace("<dir>", QFile::encodeName(dir->path()));
        setArgument(argument);
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir->path()));
        fMain->SaveDialog->initialDir = QStringLiteral("/eerder");

        clickSave(); // answered with a cancel
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(shownInitialDir.size(), 1);
        QCOMPARE(shownInitialDir[0], initialDir == "-" ? QString("/eerder") : pathOf(initialDir));
        QCOMPARE(errors, QStringList());
    }

    // The argument is read anew at every save; a folder set earlier stays set.
    void argumentReadAtEverySave()
    {
        QVERIFY(QDir(dir->path()).mkdir("a"));
        QVERIFY(QDir(dir->path()).mkdir("b"));
        setArgument(QFile::encodeName(pathOf("a")));
        clickSave();
        setArgument(QFile::encodeName(pathOf("b")));
        clickSave();
        QVERIFY(QDir(pathOf("b")).removeRecursively());
        clickSave();
        QCOMPARE(shownInitialDir, (QStringList{pathOf("a"), pathOf("b"), pathOf("b")}));
    }

    // A read-only file is refused with its full name; it and the list stay as they were.
    void readOnlyTarget()
    {
        put(pathOf("vast.zbr"), "oude lijst\r\n");
        QVERIFY(QFile::setPermissions(pathOf("vast.zbr"), QFileDevice::ReadOwner |
                                                              QFileDevice::ReadGroup |
                                                              QFileDevice::ReadOther));
        transferSample();
        answers << pathOf("vast.zbr");
        clickSave();
        QCOMPARE(errors, QStringList{"Cannot create file " + pathOf("vast.zbr") + "."});
        QCOMPARE(contents(pathOf("vast.zbr")), QByteArray("oude lijst\r\n"));
        QCOMPARE(filesInDir(), QStringList{"vast.zbr"});
        QCOMPARE(listOf(*fMain), sampleList());
        QCOMPARE(fMain->Memo->color(), syscolors::yellow());
    }

    void missingFolder()
    {
        answers << pathOf("weg/groep6.zbr");
        clickSave();
        QCOMPARE(errors, QStringList{"Cannot create file " + pathOf("weg/groep6.zbr") + "."});
        QCOMPARE(listOf(*fMain), placeholder());
    }

    // A write that stops halfway (here the process's file size limit, as a full disk would)
    // leaves the existing file exactly as it was and no new file behind.
    void failingWriteKeepsOldFile()
    {
        const QByteArray old("Jelmar\xA0\r\n");
        put(pathOf("groep6.zbr"), old);
        transferSample();

        rlimit saved{};
        QVERIFY(::getrlimit(RLIMIT_FSIZE, &saved) == 0);
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 20;
        QVERIFY(::setrlimit(RLIMIT_FSIZE, &small) == 0);
        answers << pathOf("groep6.zbr");
        clickSave();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);

        QCOMPARE(errors, QStringList{"Stream write error."});
        QCOMPARE(contents(pathOf("groep6.zbr")), old);
        QCOMPARE(filesInDir(), QStringList{"groep6.zbr"});
        QCOMPARE(listOf(*fMain), sampleList());
        QCOMPARE(fMain->Memo->color(), syscolors::yellow());
    }

    // The platform's dialog itself: its settings, a typed name without extension, an existing
    // file replaced without a question, the last path offered again, and Cancel.
    void realDialog()
    {
        SaveFileDialog::setAnswer({});
        put(pathOf("groep6.zbr"), "oud");
        QVERIFY(QDir(dir->path()).mkdir("lijsten"));
        setArgument(QFile::encodeName(pathOf("lijsten")));
        fMain->SaveDialog->fileName = pathOf("groep6.zbr");

        QString title, directory, typed;
        QStringList filters;
        QString selectedFilter, suffix;
        bool confirmsOverwrite = true;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            selectedFilter = dialog->selectedNameFilter();
            suffix = dialog->defaultSuffix();
            confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
            directory = dialog->directory().absolutePath();
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(name);
            typed = name->text();
            name->setText("groep6");
            static_cast<QDialog*>(dialog)->accept();
        });
        // Should the dialog still be open later (a question it should not ask), close it.
        QTimer stray;
        stray.setSingleShot(true);
        connect(&stray, &QTimer::timeout, this, [] {
            while (QWidget* open = QApplication::activeModalWidget())
                open->close();
        });
        stray.start(5000);
        clickSave();
        QCOMPARE(title, QString("Bewaar de leerlingenlijst"));
        QCOMPARE(filters, QStringList{"*.zbr"});
        QCOMPARE(selectedFilter, QString("*.zbr"));
        QCOMPARE(suffix, QString("zbr"));
        QVERIFY(!confirmsOverwrite);
        QCOMPARE(directory, dir->path()); // the folder of the path offered
        QCOMPARE(typed, QString("groep6.zbr"));
        QCOMPARE(errors, QStringList());
        QCOMPARE(contents(pathOf("groep6.zbr")), placeholder());
        QCOMPARE(fMain->SaveDialog->fileName, pathOf("groep6.zbr"));

        // Cancel.
        fMain->Memo->setText("nieuw");
        QTimer::singleShot(0, this, [] {
            if (QWidget* open = QApplication::activeModalWidget())
                static_cast<QDialog*>(open)->reject();
        });
        clickSave();
        QCOMPARE(contents(pathOf("groep6.zbr")), placeholder());
        QCOMPARE(listOf(*fMain), QByteArray("nieuw"));
        QCOMPARE(fMain->SaveDialog->fileName, pathOf("groep6.zbr"));
    }
};

int main(int argc, char** argv)
{
    Application application(gArgc, gArgv);
    TestSave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_save.moc"
