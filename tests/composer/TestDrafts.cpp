#include "ComposerFixture.h"
#include "TestServerComponents.h"
#include "composer/DraftKeeper.h"
#include "platform/storage/DraftStore.h"
#include "settings/frmSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>

#include <sys/stat.h>

namespace
{

const QString LeftInstance = QStringLiteral("2026-01-01 00-00-00-000 4242");

QString leftDraftPath(const TestEnvironment& environment)
{
    return environment.dataFolder() + QStringLiteral("/Draft ") + LeftInstance + QStringLiteral(".json");
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString& folder, const QString& pattern)
{
    return QDir(folder).entryList({pattern}, QDir::Files | QDir::System, QDir::Name);
}

// The drafts of this process in the data folder, read back.
QList<Draft> draftsOnDisk(const TestEnvironment& environment)
{
    QList<Draft> drafts;
    for (const QString& name : filesIn(environment.dataFolder(), QStringLiteral("Draft *.json"))) {
        if (auto draft =
                DraftFile::fromBytes(contentOf(environment.dataFolder() + QLatin1Char('/') + name), nullptr))
            drafts.append(*draft);
    }
    return drafts;
}

ino_t inodeOf(const QString& path)
{
    struct stat status {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

QLabel* notice(const ComposerFixture& composer)
{
    return composer.control<QLabel>("lblDraftNotice");
}

} // namespace

// The message in progress on disk while the composer runs, and what each
// way of ending does with it.
class TestDrafts : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void eachChangeIsOnDiskWithinTwoSecondsAndNothingIsWrittenWhileNothingChanges()
    {
        ComposerFixture composer;
        QCOMPARE(draftsOnDisk(*environment), QList<Draft>());
        const QString attachment = environment->root() + QStringLiteral("/plan.txt");
        writeBytes(attachment, "plan");
        QTest::keyClicks(composer.txtTo(), QStringLiteral("anna@example.org"));
        composer.txtSubject()->setText(QStringLiteral("Отчёт"));
        QTest::keyClicks(composer.txtMessage(), QStringLiteral("Line one"));
        composer.window->Attachments = {attachment};
        composer.button("cmdSendHotkeyOption")->click();
        const Draft expected{QStringLiteral("anna@example.org"),
                             QStringLiteral("Отчёт"),
                             QStringLiteral("Line one"),
                             {attachment},
                             1,
                             QString()};
        QTRY_COMPARE_WITH_TIMEOUT(draftsOnDisk(*environment), QList<Draft>{expected}, 2000);

        const QString path = environment->dataFolder() + QLatin1Char('/') +
                             filesIn(environment->dataFolder(), QStringLiteral("Draft *.json")).first();
        const ino_t written = inodeOf(path);
        QTest::qWait(DraftKeeper::LongestWaitMilliseconds + DraftKeeper::QuietMilliseconds);
        QCOMPARE(inodeOf(path), written);
        // A change undone before the draft was due is no change either.
        QTest::keyClick(composer.txtMessage(), Qt::Key_X);
        QTest::keyClick(composer.txtMessage(), Qt::Key_Backspace);
        QTest::qWait(DraftKeeper::LongestWaitMilliseconds + DraftKeeper::QuietMilliseconds);
        QCOMPARE(inodeOf(path), written);
    }

    void aLeftDraftComesBackWithTheAttachmentsThatStillExist()
    {
        const QString kept = environment->root() + QStringLiteral("/kept.txt");
        const QString gone = environment->root() + QStringLiteral("/gone.txt");
        writeBytes(kept, "kept");
        writeBytes(leftDraftPath(*environment),
                   DraftFile::toBytes({QStringLiteral("anna@example.org"),
                                       QStringLiteral("Report"),
                                       QStringLiteral("Dear Anna,\nthe figures."),
                                       {kept, gone},
                                       3,
                                       QString()}));
        ComposerFixture composer;
        composer.window->RestoreDraft();
        QCOMPARE(composer.txtTo()->text(), QStringLiteral("anna@example.org"));
        QCOMPARE(composer.txtSubject()->text(), QStringLiteral("Report"));
        QCOMPARE(composer.txtMessage()->toPlainText(), QStringLiteral("Dear Anna,\nthe figures."));
        QCOMPARE(composer.window->Attachments, QStringList{kept});
        QCOMPARE(composer.button("cmdAttachments")->text(), QStringLiteral("A! [1]"));
        QCOMPARE(composer.button("cmdSendHotkeyOption")->text(), QStringLiteral("F12"));
        QVERIFY(notice(composer)->isVisible());
        QVERIFY2(notice(composer)->text().contains(QStringLiteral("ended unexpectedly")),
                 qPrintable(notice(composer)->text()));
        QVERIFY(notice(composer)->text().contains(gone));
        // Taken over: the file is this run's now.
        QVERIFY(!QFileInfo::exists(leftDraftPath(*environment)));
        QCOMPARE(draftsOnDisk(*environment).size(), 1);

        // Keys typed at once reach the body, and the notice goes.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("P.S."));
        QVERIFY(composer.txtMessage()->toPlainText().contains(QStringLiteral("P.S.")));
        QVERIFY(!notice(composer)->isVisible());
    }

    void aDamagedDraftIsKeptAsideAndTheStartIsAsWithout_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("link");
        const QByteArray whole = DraftFile::toBytes({QStringLiteral("left@example.org"),
                                                     QStringLiteral("Left"),
                                                     QStringLiteral("Left body"),
                                                     {},
                                                     2,
                                                     QString()});
        QTest::newRow("truncated") << whole.left(whole.size() / 2) << qint64(-1) << false;
        QByteArray notUtf8 = whole;
        notUtf8.replace("Left body", "Left \xff\xfe body");
        QTest::newRow("not valid UTF-8") << notUtf8 << qint64(-1) << false;
        QByteArray newer = whole;
        newer.replace("\"version\": 1", "\"version\": 2");
        QTest::newRow("written by a newer version") << newer << qint64(-1) << false;
        QTest::newRow("a link to someone else's file") << whole << qint64(-1) << true;
        QTest::newRow("100 MB") << whole << qint64(100) * 1024 * 1024 << false;
    }
    void aDamagedDraftIsKeptAsideAndTheStartIsAsWithout()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, size);
        QFETCH(bool, link);
        QSettings(environment->settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Mails/To"), QStringLiteral("last@example.org"));
        const QString target = environment->root() + QStringLiteral("/someone else's file");
        if (link) {
            writeBytes(target, content);
            QVERIFY(QFile::link(target, leftDraftPath(*environment)));
        } else {
            writeBytes(leftDraftPath(*environment), content);
            if (size > 0)
                QVERIFY(QFile::resize(leftDraftPath(*environment), size));
        }

        ComposerFixture composer;
        composer.window->RestoreDraft();
        QCOMPARE(composer.txtTo()->text(), QStringLiteral("last@example.org"));
        QCOMPARE(composer.txtSubject()->text(), QString());
        QCOMPARE(composer.txtMessage()->toPlainText(), QString());
        QCOMPARE(composer.button("cmdSendHotkeyOption")->text(), QStringLiteral("Ctrl+Enter"));
        const QString keptName = DraftStore::unreadablePrefix() + LeftInstance + QStringLiteral(".json");
        QVERIFY(notice(composer)->isVisible());
        QVERIFY2(notice(composer)->text().contains(keptName), qPrintable(notice(composer)->text()));

        // Nothing deleted: the same file (or link) under a name that says why.
        const QString kept = environment->dataFolder() + QLatin1Char('/') + keptName;
        QCOMPARE(filesIn(environment->dataFolder(), QStringLiteral("*.json")), QStringList{keptName});
        QCOMPARE(QFileInfo(kept).isSymLink(), link);
        if (link)
            QCOMPARE(QFileInfo(kept).symLinkTarget(), target);
        QCOMPARE(contentOf(link ? target : kept).left(content.size()), content);
        if (size > 0)
            QCOMPARE(QFileInfo(kept).size(), size);

        // Said once: the next start finds nothing to say.
        ComposerFixture next;
        next.window->RestoreDraft();
        QVERIFY(!notice(next)->isVisible());
    }

    void escRemovesTheDraft()
    {
        ComposerFixture composer;
        QTest::keyClicks(composer.txtMessage(), QStringLiteral("Never mind"));
        QTRY_COMPARE_WITH_TIMEOUT(draftsOnDisk(*environment).size(), 1, 2000);
        QTest::keyClick(composer.txtMessage(), Qt::Key_Escape);
        QVERIFY(!composer.window->isVisible());
        QCOMPARE(filesIn(environment->dataFolder(), QStringLiteral("Draft *")), QStringList());
    }

    void aFailedSendKeepsTheDraftAndASuccessfulOneRemovesIt_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("failed") << true;
        QTest::newRow("sent") << false;
    }
    void aFailedSendKeepsTheDraftAndASuccessfulOneRemovesIt()
    {
        QFETCH(bool, refused);
        SmtpTestServer::Options options;
        options.refuseAuth = refused;
        SmtpTestServer server(options);
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        ComponentFactory::install(std::make_unique<TestServerComponents>());
        ComposerFixture composer;
        fillForTestServer(composer, server);
        QTRY_COMPARE_WITH_TIMEOUT(draftsOnDisk(*environment).size(), 1, 2000);
        composer.button("cmdSend")->click();
        QTRY_VERIFY(!composer.window || !composer.window->isVisible() || !MessageBox::shown().isEmpty());
        if (refused) {
            QVERIFY(composer.window->isVisible());
            QCOMPARE(draftsOnDisk(*environment).size(), 1);
            QCOMPARE(draftsOnDisk(*environment).first().body, QStringLiteral("Hello"));
        } else {
            QTRY_VERIFY(!composer.window->isVisible());
            QCOMPARE(filesIn(environment->dataFolder(), QStringLiteral("Draft *.json")), QStringList());
        }
    }

    void theSystemsEndCancelsTheOpenDialogKeepsTheDraftAndSavesTheSettings()
    {
        ComposerFixture composer;
        QTest::keyClicks(composer.txtTo(), QStringLiteral("anna@example.org"));
        // Typed just before the end: not yet due, still kept.
        QTest::keyClicks(composer.txtMessage(), QStringLiteral("Half a sentence"));
        whenModalShown<frmSettings>([&composer](frmSettings* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("txtMailFrom"))
                ->setText(QStringLiteral("not confirmed"));
            composer.window->UnloadBySystem();
        });
        composer.button("cmdServerSettings")->click();
        QTRY_VERIFY(!composer.window->isVisible());
        QCOMPARE(
            QSettings(environment->settingsFile(), QSettings::IniFormat).value(QStringLiteral("Mails/To")),
            QVariant(QStringLiteral("anna@example.org")));
        QVERIFY(MailSettings::MailFrom.isEmpty());
        const QList<Draft> drafts = draftsOnDisk(*environment);
        QCOMPARE(drafts.size(), 1);
        QCOMPARE(drafts.first().body, QStringLiteral("Half a sentence"));
        QCOMPARE(drafts.first().endedBy, QStringLiteral("system"));

        // The run has ended: its lock is gone with it.
        delete composer.window.data();
        ComposerFixture next;
        next.window->RestoreDraft();
        QCOMPARE(next.txtMessage()->toPlainText(), QStringLiteral("Half a sentence"));
        QVERIFY(notice(next)->text().contains(QStringLiteral("logout")));
    }

    void settingsConfirmedWithOkAreStoredAtOnceAndCancelStoresNothing()
    {
        ComposerFixture composer;
        const auto storedSender = [this] {
            return QSettings(environment->settingsFile(), QSettings::IniFormat)
                .value(QStringLiteral("Mails/Mail from"))
                .toString();
        };
        for (const char* button : {"cmdCancel", "cmdOk"}) {
            whenModalShown<frmSettings>([button](frmSettings* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("txtMailFrom"))
                    ->setText(QStringLiteral("me@example.org"));
                dialog->findChild<QPushButton*>(QLatin1String(button))->click();
            });
            composer.button("cmdServerSettings")->click();
            QCOMPARE(storedSender(), QLatin1String(button) == QLatin1String("cmdOk")
                                         ? QStringLiteral("me@example.org")
                                         : QString());
        }
        QVERIFY(composer.window->isVisible());
    }
};

VELLUM_TEST_MAIN(TestDrafts)
#include "TestDrafts.moc"
