#include "ComposerFixture.h"
#include "ScriptedFileDialog.h"
#include "SmtpTestServer.h"
#include "app/modMain.h"
#include "attachments/frmAttachments.h"
#include "composer/MailSettings.h"
#include "platform/ApplicationIdentity.h"
#include "platform/ComponentFactory.h"
#include "platform/RuntimeError.h"
#include "platform/StandardComponents.h"
#include "platform/mail/SmtpMailMessage.h"
#include "platform/storage/FileHistoryList.h"
#include "send/frmSubject.h"
#include "widgets/ucAnimation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSettings>
#include <QTimer>
#include <functional>
#include <sys/stat.h>

namespace
{

const int TimeoutSeconds = 3;

// The real mail component, trusting the test server's certificate and with
// short time-outs so a dead server fails the test quickly.
class TestServerFactory : public ComponentFactory
{
public:
    using Reporter = std::function<int(const RuntimeError&, int, const QString&)>;

    explicit TestServerFactory(QString caFile, Reporter reporter = {},
                               std::shared_ptr<FileDialogScript> fileDialogs = {})
        : m_caFile(std::move(caFile)), m_reporter(std::move(reporter)), m_fileDialogs(std::move(fileDialogs))
    {
    }

    std::unique_ptr<FileDialog> createFileDialog() override
    {
        if (!m_fileDialogs)
            return ComponentFactory::createFileDialog();
        return std::make_unique<ScriptedFileDialog>(m_fileDialogs);
    }

    std::unique_ptr<MailMessage> createMailMessage() override
    {
        SmtpMailMessage::Options options;
        options.caCertificateFile = m_caFile;
        options.connectTimeoutSeconds = TimeoutSeconds;
        options.stallTimeoutSeconds = TimeoutSeconds;
        return std::make_unique<SmtpMailMessage>(options);
    }

protected:
    std::unique_ptr<ErrorReporter> createErrorReporter() override
    {
        if (!m_reporter)
            return ComponentFactory::createErrorReporter();
        class ScriptedReporter : public ErrorReporter
        {
        public:
            explicit ScriptedReporter(std::function<int(const RuntimeError&, int, const QString&)> answer)
                : m_answer(std::move(answer))
            {
            }
            int reportError(const RuntimeError& error, int style, const QString& text) override
            {
                return m_answer(error, style, text);
            }

        private:
            std::function<int(const RuntimeError&, int, const QString&)> m_answer;
        };
        return std::make_unique<ScriptedReporter>(m_reporter);
    }

private:
    QString m_caFile;
    std::function<int(const RuntimeError&, int, const QString&)> m_reporter;
    std::shared_ptr<FileDialogScript> m_fileDialogs;
};

QStringList historyEntries(const QString& fileName)
{
    FileHistoryList list;
    list.open(fileName, ApplicationIdentity::current());
    list.load();
    return list.entries();
}

QStringList localCopies(const TestEnvironment& environment)
{
    return QDir(environment.dataFolder()).entryList({QStringLiteral("*.EML")}, QDir::Files);
}

// Every file in the data folder, hidden ones too: a spool left behind shows
// here. The draft of the message in progress belongs there.
QStringList dataFiles(const TestEnvironment& environment)
{
    QStringList files = QDir(environment.dataFolder()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    files.removeIf([](const QString& name) { return name.startsWith(QLatin1String("Draft ")); });
    files.sort();
    return files;
}

// Answers the next subject prompt with the given action once it is shown.
void answerPrompt(std::function<void(frmSubject*)> action)
{
    whenModalShown<frmSubject>(std::move(action));
}

bool controlsEnabled(const ComposerFixture& composer)
{
    for (const char* name :
         {"txtTo", "txtSubject", "txtMessage", "cmdSend", "cmdAttachments", "cmdServerSettings"}) {
        if (!composer.control(name)->isEnabled())
            return false;
    }
    return !composer.control("ucaSending")->isVisible();
}

} // namespace

class TestSendPipeline : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<SmtpTestServer> server;
    int serverPort = 0;

    void startServer(const SmtpTestServer::Options& options = {})
    {
        server = std::make_unique<SmtpTestServer>(options);
        QVERIFY2(server->isRunning(), qPrintable(server->errorText()));
        ComponentFactory::install(std::make_unique<TestServerFactory>(server->caCertificateFile()));
        serverPort = server->port();
    }

    // The composer loads the stored settings, so the server is set up after it.
    void fill(ComposerFixture& composer, const QString& subject = QStringLiteral("Report"))
    {
        const SmtpTestServer::Options defaults;
        MailSettings::MailFrom = QStringLiteral("sender@example.org");
        MailSettings::UserName = defaults.user;
        MailSettings::Password = defaults.password;
        MailSettings::SMTPServer = QStringLiteral("127.0.0.1");
        MailSettings::SMTPServerPort = serverPort;
        MailSettings::UseSSL = false;
        MailSettings::TempFilePrefix = false;
        composer.txtTo()->setText(QStringLiteral("Анна <anna@example.org>"));
        composer.txtSubject()->setText(subject);
        composer.txtMessage()->setPlainText(QStringLiteral("Привет!\nThe figures are attached."));
    }

    // Sends and lets the queued close run.
    static void send(ComposerFixture& composer)
    {
        composer.button("cmdSend")->click();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents();
    }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        startServer();
    }
    void cleanup()
    {
        server.reset();
        environment.reset();
    }

    void successfulSendClosesAndKeepsACopy_data()
    {
        QTest::addColumn<bool>("prefix");
        QTest::newRow("plain name") << false;
        QTest::newRow("with ~$ prefix") << true;
    }
    void successfulSendClosesAndKeepsACopy()
    {
        QFETCH(bool, prefix);
        ComposerFixture composer;
        fill(composer);
        MailSettings::TempFilePrefix = prefix;
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        send(composer);
        QTRY_VERIFY(composer.window.isNull() || !composer.window->isVisible());

        const QList<SmtpTestServer::Received> received = server->receivedMessages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().recipients, QStringList{QStringLiteral("anna@example.org")});
        const QJsonObject parsed = SmtpTestServer::parseMessage(received.first().raw);
        QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("X-Mailer")),
                 QStringLiteral("Kestrel - Vellum 1.02.0018"));

        const QStringList copies = localCopies(*environment);
        QCOMPARE(copies.size(), 1);
        const QRegularExpression pattern(
            prefix ? QStringLiteral("^~\\$Mail (\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d)\\.EML$")
                   : QStringLiteral("^Mail (\\d{4}-\\d\\d-\\d\\d \\d\\d-\\d\\d-\\d\\d)\\.EML$"));
        const QRegularExpressionMatch match = pattern.match(copies.first());
        QVERIFY2(match.hasMatch(), qPrintable(copies.first()));
        const QDateTime stamped =
            QDateTime::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd hh-mm-ss"));
        QVERIFY(stamped >= before && stamped <= QDateTime::currentDateTime());
        QFile copy(environment->dataFolder() + QLatin1Char('/') + copies.first());
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), received.first().raw);
        QCOMPARE(copy.permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QStringList expectedFiles{copies.first(), QStringLiteral("Subject History.DAT"),
                                  QStringLiteral("To History.DAT")};
        expectedFiles.sort();
        QCOMPARE(dataFiles(*environment), expectedFiles);

        // The close saved the recipient, the settings and both histories.
        QSettings stored(environment->settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Mails/To")).toString(),
                 QStringLiteral("Анна <anna@example.org>"));
        QCOMPARE(historyEntries(QStringLiteral("To History.DAT")),
                 QStringList{QStringLiteral("Анна <anna@example.org>")});
        QCOMPARE(historyEntries(QStringLiteral("Subject History.DAT")),
                 QStringList{QStringLiteral("Report")});
    }

    // Mail, contacts and the password are the user's alone: every file the
    // program writes is owner-only, every folder it makes too, also where an
    // earlier version left a history file readable by all.
    void storedFilesAreOwnerOnlyAfterASendAndAClose()
    {
        QDir(environment->dataHome()).removeRecursively();
        QDir(environment->configHome()).removeRecursively();
        QCOMPARE(modMain::GetDataFolder(), environment->dataFolder());
        const QString toHistory = environment->dataFolder() + QStringLiteral("/To History.DAT");
        {
            QFile old(toHistory);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("earlier@example.org\n");
        }
        QVERIFY(QFile::setPermissions(toHistory, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ReadGroup | QFileDevice::ReadOther));

        ComposerFixture composer;
        fill(composer);
        send(composer);
        QTRY_VERIFY(composer.window.isNull() || !composer.window->isVisible());
        QCOMPARE(server->receivedMessages().size(), 1);

        const auto mode = [](const QString& path) {
            struct stat status {
            };
            return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0u;
        };
        const QString vendorData = environment->dataHome() + QStringLiteral("/Tessaline");
        const QString vendorConfig = environment->configHome() + QStringLiteral("/Tessaline");
        const QStringList copies = localCopies(*environment);
        QCOMPARE(copies.size(), 1);
        QCOMPARE(dataFiles(*environment).size(), 3);
        QCOMPARE(QDir(vendorConfig).entryList(QDir::Files | QDir::Hidden), QStringList{"Vellum.ini"});
        const QList<std::pair<QString, unsigned>> expected = {
            {environment->dataHome(), 0700u},
            {vendorData, 0700u},
            {environment->dataFolder(), 0700u},
            {environment->dataFolder() + QLatin1Char('/') + copies.first(), 0600u},
            {toHistory, 0600u},
            {environment->dataFolder() + QStringLiteral("/Subject History.DAT"), 0600u},
            {environment->configHome(), 0700u},
            {vendorConfig, 0700u},
            {environment->settingsFile(), 0600u},
        };
        for (const auto& [path, wanted] : expected)
            QVERIFY2(mode(path) == wanted,
                     qPrintable(QStringLiteral("%1: %2").arg(path).arg(mode(path), 0, 8)));
        QCOMPARE(
            historyEntries(QStringLiteral("To History.DAT")),
            QStringList({QStringLiteral("Анна <anna@example.org>"), QStringLiteral("earlier@example.org")}));
    }

    void checksBeforeSending_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("message");
        QTest::newRow("port 0") << "port"
                                << "Please configure server first.";
        QTest::newRow("no sender") << "from"
                                   << "Please configure server first.";
        QTest::newRow("no user name") << "user"
                                      << "Please configure server first.";
        QTest::newRow("no password") << "password"
                                     << "Please configure server first.";
        QTest::newRow("no server") << "server"
                                   << "Please configure server first.";
        QTest::newRow("no recipient") << "to"
                                      << "The nature don't like emptiness.";
    }
    void checksBeforeSending()
    {
        QFETCH(QString, field);
        QFETCH(QString, message);
        ComposerFixture composer;
        fill(composer);
        if (field == QLatin1String("port"))
            MailSettings::SMTPServerPort = 0;
        else if (field == QLatin1String("from"))
            MailSettings::MailFrom.clear();
        else if (field == QLatin1String("user"))
            MailSettings::UserName.clear();
        else if (field == QLatin1String("password"))
            MailSettings::Password.clear();
        else if (field == QLatin1String("server"))
            MailSettings::SMTPServer.clear();
        else
            composer.txtTo()->clear();
        send(composer);

        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, message);
        QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Kestrel - Vellum"));
        QCOMPARE(MessageBox::shown().first().style, int(MessageBox::Critical));
        QVERIFY(composer.window->isVisible());
        QVERIFY(controlsEnabled(composer));
        QVERIFY(server->receivedMessages().isEmpty());
        QVERIFY(composer.close());
        QVERIFY(historyEntries(QStringLiteral("To History.DAT")).isEmpty());
    }

    void blankSubjectAsksFirst_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("sent");
        QTest::newRow("OK with a subject") << "   "
                                           << "ok"
                                           << "Typed in the prompt" << true;
        QTest::newRow("OK with an empty box") << ""
                                              << "ok"
                                              << "" << true;
        QTest::newRow("Cancel") << " "
                                << "cancel"
                                << "ignored" << false;
        QTest::newRow("close box") << ""
                                   << "close"
                                   << "ignored" << false;
    }
    void blankSubjectAsksFirst()
    {
        QFETCH(QString, subject);
        QFETCH(QString, answer);
        QFETCH(QString, typed);
        QFETCH(bool, sent);
        ComposerFixture composer;
        fill(composer, subject);
        answerPrompt([&](frmSubject* prompt) {
            prompt->txtSubject->setText(typed);
            if (answer == QLatin1String("ok"))
                QTest::mouseClick(prompt->findChild<QPushButton*>(QStringLiteral("cmdOk")), Qt::LeftButton);
            else if (answer == QLatin1String("cancel"))
                QTest::mouseClick(prompt->findChild<QPushButton*>(QStringLiteral("cmdCancel")),
                                  Qt::LeftButton);
            else
                prompt->close();
        });
        send(composer);
        if (sent) {
            QTRY_VERIFY(composer.window.isNull() || !composer.window->isVisible());
            QCOMPARE(server->receivedMessages().size(), 1);
            const QJsonObject parsed = SmtpTestServer::parseMessage(server->receivedMessages().first().raw);
            QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("Subject")), typed);
            QCOMPARE(historyEntries(QStringLiteral("To History.DAT")).size(), 1);
        } else {
            QVERIFY(composer.window->isVisible());
            QVERIFY(controlsEnabled(composer));
            QCOMPARE(composer.txtSubject()->text(), subject);
            QVERIFY(server->receivedMessages().isEmpty());
            QVERIFY(MessageBox::shown().isEmpty());
            QVERIFY(composer.close());
            QVERIFY(historyEntries(QStringLiteral("To History.DAT")).isEmpty());
            QVERIFY(historyEntries(QStringLiteral("Subject History.DAT")).isEmpty());
        }
    }

    void failedSendKeepsEverything_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("described");
        QTest::newRow("nothing listening") << "closed"
                                           << "";
        QTest::newRow("login refused") << "auth"
                                       << "";
        QTest::newRow("recipient refused") << "recipient"
                                           << "anna@example.org";
        QTest::newRow("silent server") << "silent"
                                       << "";
        QTest::newRow("untrusted certificate") << "certificate"
                                               << "";
        QTest::newRow("no STARTTLS") << "nostarttls"
                                     << "";
    }
    void failedSendKeepsEverything()
    {
        QFETCH(QString, failure);
        QFETCH(QString, described);
        SmtpTestServer::Options options;
        options.refuseAuth = failure == QLatin1String("auth");
        options.refuseRecipient =
            failure == QLatin1String("recipient") ? QStringLiteral("anna@example.org") : QString();
        options.silent = failure == QLatin1String("silent");
        options.startTls = failure != QLatin1String("nostarttls");
        startServer(options);
        if (failure == QLatin1String("closed"))
            server.reset();
        if (failure == QLatin1String("certificate"))
            ComponentFactory::install(std::make_unique<TestServerFactory>(QString()));

        ComposerFixture composer;
        fill(composer);
        MailSettings::UseSSL =
            failure == QLatin1String("certificate") || failure == QLatin1String("nostarttls");
        const QString attachment = environment->root() + QStringLiteral("/figures.csv");
        QFile file(attachment);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("a,b\n1,2\n");
        file.close();
        composer.window->Attachments = {attachment};

        QElapsedTimer timer;
        timer.start();
        send(composer);
        QVERIFY(timer.elapsed() < (TimeoutSeconds + 5) * 1000);

        QCOMPARE(MessageBox::shown().size(), 1);
        const MessageBox::Shown report = MessageBox::shown().first();
        QVERIFY2(report.text.startsWith(QStringLiteral("Can't send mail.\r\n\r\n")), qPrintable(report.text));
        QVERIFY2(report.text.size() > 24, "the report gives no reason");
        if (!described.isEmpty())
            QVERIFY2(report.text.contains(described), qPrintable(report.text));
        QVERIFY(composer.window->isVisible());
        QVERIFY(controlsEnabled(composer));
        QCOMPARE(composer.txtTo()->text(), QStringLiteral("Анна <anna@example.org>"));
        QCOMPARE(composer.txtSubject()->text(), QStringLiteral("Report"));
        QCOMPARE(composer.txtMessage()->toPlainText(), QStringLiteral("Привет!\nThe figures are attached."));
        QCOMPARE(composer.window->Attachments, QStringList{attachment});
        QCOMPARE(dataFiles(*environment), QStringList());
        if (server)
            QVERIFY(server->receivedMessages().isEmpty());

        QVERIFY(composer.close());
        QCOMPARE(historyEntries(QStringLiteral("To History.DAT")),
                 QStringList{QStringLiteral("Анна <anna@example.org>")});
        QCOMPARE(historyEntries(QStringLiteral("Subject History.DAT")),
                 QStringList{QStringLiteral("Report")});
    }

    void rejectedPartsAreNotSent_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::newRow("recipient with a header") << "to"
                                                 << "anna@example.org\r\nBcc: mallory@example.org";
        QTest::newRow("sender with a header") << "from"
                                              << "sender@example.org\r\nBcc: mallory@example.org";
        QTest::newRow("unparsable recipient") << "to"
                                              << "anna at example";
        QTest::newRow("missing attachment") << "attachment"
                                            << "/no/such/file.pdf";
    }
    void rejectedPartsAreNotSent()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        ComposerFixture composer;
        fill(composer);
        if (field == QLatin1String("to"))
            composer.txtTo()->setText(value);
        else if (field == QLatin1String("from"))
            MailSettings::MailFrom = value;
        else
            composer.window->Attachments = {value};
        send(composer);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY2(MessageBox::shown().first().text.startsWith(QStringLiteral("Can't send mail.")),
                 qPrintable(MessageBox::shown().first().text));
        QVERIFY(server->receivedMessages().isEmpty());
        QVERIFY(composer.window->isVisible());
    }

    void lineBreaksInTheSubjectAddNoHeader()
    {
        ComposerFixture composer;
        fill(composer, QStringLiteral("Hi\r\nBcc: mallory@example.org"));
        send(composer);
        QTRY_VERIFY(composer.window.isNull() || !composer.window->isVisible());
        QCOMPARE(server->receivedMessages().size(), 1);
        QCOMPARE(server->receivedMessages().first().recipients,
                 QStringList{QStringLiteral("anna@example.org")});
        const QJsonObject parsed = SmtpTestServer::parseMessage(server->receivedMessages().first().raw);
        QVERIFY(SmtpTestServer::header(parsed, QStringLiteral("Bcc")).isEmpty());
        QVERIFY(
            SmtpTestServer::header(parsed, QStringLiteral("Subject")).contains(QStringLiteral("mallory")));
    }

    void localCopyThatCannotBeWritten_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Cancel") << int(MessageBox::AnswerCancel);
        QTest::newRow("Retry once the folder is back") << int(MessageBox::AnswerRetry);
    }
    void localCopyThatCannotBeWritten()
    {
        QFETCH(int, answer);
        // A plain file where the data folder should be: nothing can be written into it.
        QDir(environment->dataFolder()).removeRecursively();
        QFile blocker(environment->dataFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        QList<QPair<int, QString>> reports;
        ComponentFactory::install(std::make_unique<TestServerFactory>(
            server->caCertificateFile(), [&](const RuntimeError&, int style, const QString& text) {
                reports.append({style, text});
                // The folder is back either way, so the histories can be saved at the close.
                QFile::remove(environment->dataFolder());
                QDir().mkpath(environment->dataFolder());
                return answer;
            }));
        ComposerFixture composer;
        fill(composer);
        send(composer);
        QTRY_VERIFY(composer.window.isNull() || !composer.window->isVisible());

        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports.first().first, 21);
        QVERIFY(reports.first().second.startsWith(environment->dataFolder() + QStringLiteral("/Mail ")));
        QVERIFY(reports.first().second.endsWith(
            QStringLiteral(".EML\r\n\r\nCan't write file. Local copy of this message was not saved.")));
        QCOMPARE(server->receivedMessages().size(), 1);
        const QStringList copies = localCopies(*environment);
        QCOMPARE(copies.size(), answer == MessageBox::AnswerRetry ? 1 : 0);
        if (!copies.isEmpty()) {
            QFile copy(environment->dataFolder() + QLatin1Char('/') + copies.first());
            QVERIFY(copy.open(QIODevice::ReadOnly));
            QCOMPARE(copy.readAll(), server->receivedMessages().first().raw);
        }
        QCOMPARE(dataFiles(*environment).size(), copies.size() + 2);
        QCOMPARE(LastResort::terminationCount(), 0);
    }

    void attachmentsChosenInTheDialogArriveInListOrder()
    {
        const QList<QPair<QString, QByteArray>> files = {
            {QStringLiteral("notes.txt"), QByteArray("first\r\n")},
            {QStringLiteral("Отчёт за май.pdf"), QByteArray("%PDF-1.4 second")},
            {QStringLiteral("data.bin"), QByteArray("\x00\x01\x02third", 8)},
        };
        QStringList paths;
        for (const auto& [name, content] : files) {
            QFile file(environment->root() + QLatin1Char('/') + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
            paths << file.fileName();
        }
        auto script = std::make_shared<FileDialogScript>();
        script->answers = {paths};
        ComponentFactory::install(
            std::make_unique<TestServerFactory>(server->caCertificateFile(), nullptr, script));

        ComposerFixture composer;
        fill(composer);
        whenModalShown<frmAttachments>([](frmAttachments* dialog) {
            dialog->findChild<QPushButton*>(QStringLiteral("cmdAdd"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        });
        composer.button("cmdAttachments")->click();
        QCOMPARE(composer.button("cmdAttachments")->text(), QStringLiteral("A! [3]"));
        QCOMPARE(composer.window->Attachments, paths);

        send(composer);
        QTRY_VERIFY(composer.window.isNull() || !composer.window->isVisible());
        QCOMPARE(server->receivedMessages().size(), 1);
        const QJsonArray attachments = SmtpTestServer::parseMessage(server->receivedMessages().first().raw)
                                           .value(QStringLiteral("attachments"))
                                           .toArray();
        QCOMPARE(attachments.size(), 3);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(attachments.at(i).toObject().value(QStringLiteral("filename")).toString(),
                     files.at(i).first);
    }

    void whileSendingTheWindowStaysAndTheIndicatorRuns()
    {
        SmtpTestServer::Options options;
        options.dataDelaySeconds = 1;
        startServer(options);
        ComposerFixture composer;
        fill(composer);
        auto* indicator = composer.control<ucAnimation>("ucaSending");
        QSet<int> framesSeen;
        bool refusedToClose = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            if (!composer.window || !indicator->isVisible())
                return;
            framesSeen.insert(indicator->currentFrame());
            QTest::keyClick(composer.window, Qt::Key_Escape);
            refusedToClose |= !composer.window->close();
        });
        probe.start(20);
        send(composer);
        probe.stop();
        QVERIFY(refusedToClose);
        QVERIFY2(framesSeen.size() >= 5, qPrintable(QString::number(framesSeen.size())));
        QTRY_VERIFY(composer.window.isNull() || !composer.window->isVisible());
        QCOMPARE(server->receivedMessages().size(), 1);
    }
};

VELLUM_TEST_MAIN(TestSendPipeline)
#include "TestSendPipeline.moc"
