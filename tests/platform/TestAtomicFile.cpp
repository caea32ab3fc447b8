#include "TestEnvironment.h"
#include "platform/RuntimeError.h"
#include "platform/storage/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writePlain(const QString& path, const QByteArray& content, mode_t mode = 0644)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

unsigned modeOf(const QString& path)
{
    struct stat status {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_mode & 07777;
}

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> folder;

    QString path(const QString& name) const { return folder->filePath(name); }

    // What stands where the file goes, before it is written.
    void prepare(const QString& standing)
    {
        const QString target = path(QStringLiteral("target"));
        const QString file = path(QStringLiteral("file"));
        writePlain(target, "what the link points to\n");
        if (standing == QLatin1String("a file"))
            writePlain(file, "old\n", 0644);
        else if (standing == QLatin1String("a link to a file"))
            QVERIFY(QFile::link(target, file));
        else if (standing == QLatin1String("a dangling link"))
            QVERIFY(QFile::link(path(QStringLiteral("absent")), file));
        else if (standing == QLatin1String("a link to another user's file"))
            QVERIFY(linkToAnotherUsersFile(target, file));
        else if (standing == QLatin1String("a link to a folder"))
            QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("folder")) &&
                    QFile::link(path(QStringLiteral("folder")), file));
        else if (standing == QLatin1String("a folder"))
            QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("file")));
        else if (standing == QLatin1String("a pipe"))
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    }

    static bool isUsable(const QString& standing)
    {
        return standing == QLatin1String("nothing") || standing == QLatin1String("a file") ||
               standing == QLatin1String("a link to a file");
    }

    void verifyOutcome(const QString& standing, bool refused)
    {
        const QString file = path(QStringLiteral("file"));
        const QString target = path(QStringLiteral("target"));
        QCOMPARE(refused, !isUsable(standing));
        QVERIFY(!QFileInfo::exists(path(QStringLiteral("absent"))));
        if (standing.contains(QLatin1String("link")))
            QVERIFY(QFileInfo(file).isSymLink());
        if (standing == QLatin1String("a link to a file")) {
            // Written through: the file the link leads to is the new one.
            QCOMPARE(contentOf(target), QByteArray("new\n"));
            QCOMPARE(modeOf(target), 0600u);
            QCOMPARE(QDir(folder->path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 2);
            return;
        }
        QCOMPARE(contentOf(target), QByteArray("what the link points to\n"));
        if (!refused) {
            QCOMPARE(contentOf(file), QByteArray("new\n"));
            QCOMPARE(modeOf(file), 0600u);
        }
    }

private slots:
    void init() { folder = std::make_unique<QTemporaryDir>(); }

    void whatStandsInTheWay_data()
    {
        QTest::addColumn<QString>("standing");
        for (const char* standing : {"nothing", "a file", "a link to a file", "a link to another user's file",
                                     "a dangling link", "a link to a folder", "a folder", "a pipe"})
            QTest::newRow(standing) << QString::fromLatin1(standing);
    }

    void whatStandsInTheWay()
    {
        QFETCH(QString, standing);
        prepare(standing);
        bool refused = false;
        try {
            writeFileAtomically(path(QStringLiteral("file")), "new\n");
        } catch (const RuntimeError& error) {
            refused = true;
            QVERIFY2(error.description().startsWith(path(QStringLiteral("file")) + QStringLiteral(": ")),
                     qPrintable(error.description()));
            if (standing.contains(QLatin1String("link")))
                QVERIFY(error.description().contains(QLatin1String("This is a symbolic link to ")));
        }
        verifyOutcome(standing, refused);
    }

    // The message as sent sits in an unnamed file, which becomes the copy.
    void spooledMessageBecomesTheFile_data() { whatStandsInTheWay_data(); }
    void spooledMessageBecomesTheFile()
    {
        QFETCH(QString, standing);
        prepare(standing);
        const int spool = ::open(QFile::encodeName(folder->path()).constData(), O_TMPFILE | O_RDWR, 0644);
        QVERIFY(spool >= 0);
        QCOMPARE(::write(spool, "new\n", 4), ssize_t(4));
        const MessageSource source = MessageSource::fromFile(spool, 4);
        bool refused = false;
        try {
            writeFileAtomically(path(QStringLiteral("file")), source);
        } catch (const RuntimeError& error) {
            refused = true;
            QVERIFY(error.description().startsWith(path(QStringLiteral("file")) + QStringLiteral(": ")));
        }
        verifyOutcome(standing, refused);
    }

    void readingFollowsOnlyALinkToTheUsersFile_data() { whatStandsInTheWay_data(); }
    void readingFollowsOnlyALinkToTheUsersFile()
    {
        QFETCH(QString, standing);
        prepare(standing);
        QFile file;
        bool opened = false;
        bool refused = false;
        try {
            opened = openRegularFileForReading(file, path(QStringLiteral("file")));
        } catch (const RuntimeError&) {
            refused = true;
        }
        QCOMPARE(opened,
                 standing == QLatin1String("a file") || standing == QLatin1String("a link to a file"));
        QCOMPARE(refused, !isUsable(standing));
        if (opened)
            QCOMPARE(file.readAll(), standing == QLatin1String("a file")
                                         ? QByteArray("old\n")
                                         : QByteArray("what the link points to\n"));
    }

    void foldersAreCreatedOwnerOnly()
    {
        QVERIFY(QDir(folder->path()).mkdir(QStringLiteral("existing")));
        QCOMPARE(::chmod(QFile::encodeName(path(QStringLiteral("existing"))).constData(), 0755), 0);
        QVERIFY(createPrivateFolder(path(QStringLiteral("existing/vendor/product"))));
        QCOMPARE(modeOf(path(QStringLiteral("existing"))), 0755u);
        QCOMPARE(modeOf(path(QStringLiteral("existing/vendor"))), 0700u);
        QCOMPARE(modeOf(path(QStringLiteral("existing/vendor/product"))), 0700u);
        writePlain(path(QStringLiteral("plain")), "x");
        QVERIFY(!createPrivateFolder(path(QStringLiteral("plain/sub"))));
    }
};

VELLUM_TEST_MAIN(TestAtomicFile)
#include "TestAtomicFile.moc"
