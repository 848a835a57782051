#include "core/Errors.h"
#include "core/ListFile.h"
#include "tests/TestBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

// The message of the error the call throws; empty when it throws none.
QString errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const core::Error& error) {
        return QString::fromUtf8(error.what());
    }
    return {};
}

// The machine's file system, with one call made to fail.
class FailingFileSystem final : public core::FileSystem {
public:
    enum class Failing { Nothing, Create, Permissions, Write, Flush, Close, Replace };
    Failing failing = Failing::Nothing;
    core::FileSystem& real = core::nativeFileSystem();

    Target inspect(const std::string& path) override { return real.inspect(path); }
    int createBeside(const std::string& path, std::string& newPath) override
    {
        return failing == Failing::Create ? -1 : real.createBeside(path, newPath);
    }
    bool copyPermissions(const std::string& original, int file) override
    {
        return failing != Failing::Permissions && real.copyPermissions(original, file);
    }
    std::size_t write(int file, const char* data, std::size_t size) override
    {
        // A full disk: only the first few bytes fit.
        return real.write(file, data,
                          failing == Failing::Write ? std::min<std::size_t>(size, 5) : size);
    }
    bool flush(int file) override { return real.flush(file) && failing != Failing::Flush; }
    bool close(int file) override { return real.close(file) && failing != Failing::Close; }
    bool replace(const std::string& newPath, const std::string& path) override
    {
        return failing != Failing::Replace && real.replace(newPath, path);
    }
    void remove(const std::string& path) override { real.remove(path); }
};

} // namespace

Q_DECLARE_METATYPE(FailingFileSystem::Failing)

class TestListFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir* dir = nullptr;
    QString pathOf(const QString& name) const { return dir->filePath(name); }
    std::string nameOf(const QString& name) const
    {
        return QFile::encodeName(pathOf(name)).toStdString();
    }
    QStringList filesInDir() const
    {
        return QDir(dir->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private slots:
    void init()
    {
        dir = new QTemporaryDir;
        QVERIFY(dir->isValid());
    }
    void cleanup()
    {
        delete dir;
        dir = nullptr;
    }

    // Exactly the bytes, to a new file or over an existing one, whatever it held.
    void writesExactBytes_data()
    {
        QTest::addColumn<QByteArray>("old"); // null: no file yet
        QTest::addColumn<QByteArray>("bytes");
        QByteArray every;
        for (int b = 0; b < 256; ++b)
            every.append(static_cast<char>(b));
        QTest::newRow("new file") << QByteArray() << QByteArray("Jan\xA0\r\nPiet\xA0\r\n");
        QTest::newRow("every byte value") << QByteArray() << every;
        QTest::newRow("no final break") << QByteArray() << QByteArray("Jan\r\nPiet");
        QTest::newRow("empty list, new file") << QByteArray() << QByteArray("");
        QTest::newRow("longer old file replaced")
            << QByteArray(1000, 'x') << QByteArray("Jan\xA0\r\n");
        QTest::newRow("empty list empties the old file") << QByteArray("old\r\n") << QByteArray("");
    }
    void writesExactBytes()
    {
        QFETCH(QByteArray, old);
        QFETCH(QByteArray, bytes);
        if (!old.isNull())
            put(pathOf("groep6.zbr"), old);
        core::writeListFile(nameOf("groep6.zbr"), view(bytes));
        QCOMPARE(contents(pathOf("groep6.zbr")), bytes);
        QCOMPARE(filesInDir(), QStringList{"groep6.zbr"});
    }

    void permissions()
    {
        // A new file gets what any new file gets; an existing one keeps its own.
        const mode_t mask = ::umask(022);
        core::writeListFile(nameOf("nieuw.zbr"), "a");
        QCOMPARE(modeOf(pathOf("nieuw.zbr")), mode_t(0644));

        put(pathOf("oud.zbr"), "old");
        QVERIFY(::chmod(QFile::encodeName(pathOf("oud.zbr")).constData(), 0606) == 0);
        core::writeListFile(nameOf("oud.zbr"), "new");
        ::umask(mask);
        QCOMPARE(contents(pathOf("oud.zbr")), QByteArray("new"));
        QCOMPARE(modeOf(pathOf("oud.zbr")), mode_t(0606));
    }

    void writesThroughALink()
    {
        put(pathOf("echt.zbr"), "old");
        QVERIFY(QFile::link(pathOf("echt.zbr"), pathOf("link.zbr")));
        core::writeListFile(nameOf("link.zbr"), "new");
        QCOMPARE(contents(pathOf("echt.zbr")), QByteArray("new"));
        QVERIFY(QFileInfo(pathOf("link.zbr")).isSymLink());
    }

    // Targets that cannot be created are refused with their full name; nothing changes.
    void cannotCreate()
    {
        put(pathOf("alleenlezen.zbr"), "old list\r\n");
        QVERIFY(::chmod(QFile::encodeName(pathOf("alleenlezen.zbr")).constData(), 0444) == 0);
        QCOMPARE(errorOf([&] { core::writeListFile(nameOf("alleenlezen.zbr"), "new"); }),
                 "Cannot create file " + pathOf("alleenlezen.zbr"));
        QCOMPARE(contents(pathOf("alleenlezen.zbr")), QByteArray("old list\r\n"));
        QCOMPARE(modeOf(pathOf("alleenlezen.zbr")), mode_t(0444));

        QVERIFY(QDir(dir->path()).mkdir("map.zbr"));
        QCOMPARE(errorOf([&] { core::writeListFile(nameOf("map.zbr"), "new"); }),
                 "Cannot create file " + pathOf("map.zbr"));
        QVERIFY(QFileInfo(pathOf("map.zbr")).isDir());

        QCOMPARE(errorOf([&] { core::writeListFile(nameOf("weg/groep6.zbr"), "new"); }),
                 "Cannot create file " + pathOf("weg/groep6.zbr"));

        QCOMPARE(filesInDir(), (QStringList{"alleenlezen.zbr", "map.zbr"}));
    }

    // Whatever step fails, the old file is exactly as it was and no new file is left.
    void failureKeepsOldFile_data()
    {
        QTest::addColumn<FailingFileSystem::Failing>("failing");
        QTest::addColumn<QString>("message");
        using F = FailingFileSystem::Failing;
        QTest::newRow("create") << F::Create << "Cannot create file %1";
        QTest::newRow("permissions") << F::Permissions << "Cannot create file %1";
        QTest::newRow("disk full") << F::Write << "Stream write error";
        QTest::newRow("flush") << F::Flush << "Stream write error";
        QTest::newRow("close") << F::Close << "Stream write error";
        QTest::newRow("put in place") << F::Replace << "Cannot create file %1";
    }
    void failureKeepsOldFile()
    {
        QFETCH(FailingFileSystem::Failing, failing);
        QFETCH(QString, message);
        const QByteArray old("Jelmar\xA0van der\xA0Vlietman\xA0\r\n");
        put(pathOf("groep6.zbr"), old);
        FailingFileSystem fileSystem;
        fileSystem.failing = failing;

        QCOMPARE(errorOf([&] {
                     core::writeListFile(nameOf("groep6.zbr"),
                                         "Roosje\xA0"
                                         "de\xA0"
                                         "Brink\xA0\r\n",
                                         fileSystem);
                 }),
                 message.arg(pathOf("groep6.zbr")));
        QCOMPARE(contents(pathOf("groep6.zbr")), old);
        QCOMPARE(filesInDir(), QStringList{"groep6.zbr"});
    }

    void failureWithoutOldFileLeavesNothing()
    {
        FailingFileSystem fileSystem;
        fileSystem.failing = FailingFileSystem::Failing::Write;
        QCOMPARE(
            errorOf([&] { core::writeListFile(nameOf("groep6.zbr"), "0123456789", fileSystem); }),
            QString("Stream write error"));
        QCOMPARE(filesInDir(), QStringList{});
    }
};

QTEST_APPLESS_MAIN(TestListFile)
#include "tst_listfile.moc"
