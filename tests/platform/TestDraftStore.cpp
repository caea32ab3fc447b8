#include "TestEnvironment.h"
#include "platform/storage/DraftStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

Draft draftWithBody(const QString& body)
{
    return Draft{QStringLiteral("anna@example.org"), QStringLiteral("Report"), body, {}, 2, QString()};
}

// A draft as an instance that is gone left it, last written at the given
// second of the day.
void leaveDraft(const QString& folder, const QString& instance, const QString& body, int second)
{
    QFile file(folder + QStringLiteral("/Draft ") + instance + QStringLiteral(".json"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(DraftFile::toBytes(draftWithBody(body)));
    QVERIFY(file.flush());
    QVERIFY(file.setFileTime(QDateTime(QDate(2026, 1, 1), QTime(0, 0).addSecs(second)),
                             QFileDevice::FileModificationTime));
}

QStringList draftFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("Draft *")}, QDir::Files | QDir::System, QDir::Name);
}

} // namespace

// The drafts of several instances in one data folder: which one a start
// takes over, and that running instances keep theirs.
class TestDraftStore : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void aDraftIsReplacedWholeAndReadableByItsOwnerOnly()
    {
        DraftStore store(environment->dataFolder());
        store.write(draftWithBody(QStringLiteral("first")));
        store.write(draftWithBody(QStringLiteral("second")));
        QFile file(store.draftPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(DraftFile::fromBytes(file.readAll(), nullptr), draftWithBody(QStringLiteral("second")));
        struct stat status {
        };
        QCOMPARE(::stat(QFile::encodeName(store.draftPath()).constData(), &status), 0);
        QCOMPARE(status.st_mode & 07777, 0600u);
        store.remove();
        QVERIFY(!QFileInfo::exists(store.draftPath()));
    }

    void theNewestLeftDraftIsTakenOverAndTheOthersWaitOldestLast()
    {
        const QString folder = environment->dataFolder();
        leaveDraft(folder, QStringLiteral("old"), QStringLiteral("oldest"), 10);
        leaveDraft(folder, QStringLiteral("new"), QStringLiteral("newest"), 30);
        leaveDraft(folder, QStringLiteral("mid"), QStringLiteral("middle"), 20);
        for (const QString& body :
             {QStringLiteral("newest"), QStringLiteral("middle"), QStringLiteral("oldest")}) {
            auto store = std::make_unique<DraftStore>(folder);
            const DraftStore::TakeOver takeOver = store->takeOver();
            QVERIFY(takeOver.draft);
            QCOMPARE(takeOver.draft->body, body);
            // The start that took it over keeps it now, under its own name.
            QVERIFY(QFileInfo::exists(store->draftPath()));
            store->remove();
        }
        DraftStore last(folder);
        QVERIFY(!last.takeOver().draft);
        QCOMPARE(draftFiles(folder), QStringList());
    }

    void twoRunningInstancesKeepTheirOwnDrafts()
    {
        const QString folder = environment->dataFolder();
        DraftStore first(folder);
        first.write(draftWithBody(QStringLiteral("first")));
        DraftStore second(folder);
        QVERIFY(!second.takeOver().draft);
        second.write(draftWithBody(QStringLiteral("second")));
        first.remove();
        QVERIFY(QFileInfo::exists(second.draftPath()));
        QVERIFY(!QFileInfo::exists(first.draftPath()));
    }

    void aDraftWhoseLockNobodyHoldsIsTakenOverAndOneStillHeldIsNot()
    {
        const QString folder = environment->dataFolder();
        leaveDraft(folder, QStringLiteral("killed"), QStringLiteral("killed"), 10);
        leaveDraft(folder, QStringLiteral("running"), QStringLiteral("running"), 20);
        // A lock file left by a killed instance, and one held as a running instance holds it.
        QFile stale(folder + QStringLiteral("/Draft killed.lock"));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();
        const QByteArray held = QFile::encodeName(folder + QStringLiteral("/Draft running.lock"));
        const int descriptor = ::open(held.constData(), O_RDWR | O_CREAT, 0600);
        QVERIFY(descriptor >= 0);
        QCOMPARE(::flock(descriptor, LOCK_EX | LOCK_NB), 0);

        DraftStore store(folder);
        const DraftStore::TakeOver takeOver = store.takeOver();
        QVERIFY(takeOver.draft);
        QCOMPARE(takeOver.draft->body, QStringLiteral("killed"));
        QCOMPARE(takeOver.waiting, 0);
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/Draft running.json")));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/Draft killed.lock")));
        ::close(descriptor);
    }
};

VELLUM_TEST_MAIN(TestDraftStore)
#include "TestDraftStore.moc"
