#include "SmtpTestServer.h"
#include "TestEnvironment.h"
#include "TestMessages.h"
#include "platform/RuntimeError.h"
#include "platform/StandardComponents.h"
#include "platform/mail/SmtpMailMessage.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

namespace
{

const QString mailer = QStringLiteral("Kestrel - Vellum 1.02.0018");

// The test message, over SSL or not, trusting the test certificate or not.
std::unique_ptr<SmtpMailMessage> messageFor(int port, bool useSSL = false, bool trustTestCertificate = true)
{
    SmtpMailMessage::Options options = testServerOptions();
    if (!trustTestCertificate)
        options.caCertificateFile.clear();
    auto message = testMessage(port, options);
    message->setUseSSL(useSSL);
    return message;
}

// Every line ends with CRLF and stays within the 998-octet limit.
QString lineProblem(const QByteArray& raw)
{
    if (!raw.endsWith("\r\n"))
        return QStringLiteral("does not end with CRLF");
    qsizetype start = 0;
    while (start < raw.size()) {
        const qsizetype end = raw.indexOf('\n', start);
        if (end < 1 || raw.at(end - 1) != '\r')
            return QStringLiteral("bare LF at %1").arg(end);
        if (end - 1 - start > 998)
            return QStringLiteral("line of %1 octets at %2").arg(end - 1 - start).arg(start);
        if (raw.mid(start, end - 1 - start).contains('\r'))
            return QStringLiteral("bare CR in line at %1").arg(start);
        start = end + 1;
    }
    return QString();
}

QByteArray sha256(const QByteArray& data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex();
}

QStringList headerNames(const QJsonObject& parsed)
{
    QStringList names;
    for (const QJsonValue& entry : parsed.value(QStringLiteral("headers")).toArray())
        names << entry.toArray().at(0).toString();
    return names;
}

// Every file in the folder, hidden ones too: a spool left behind shows here.
QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
}

enum class Server { Normal, NotListening, RefuseAuth, RefuseRecipient, Silent, NoStartTls };

} // namespace

Q_DECLARE_METATYPE(Server)

class TestMailMessage : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void deliversOverEachTransport_data()
    {
        QTest::addColumn<bool>("useSSL");
        QTest::addColumn<bool>("implicitTls");
        QTest::addColumn<int>("port");
        QTest::newRow("plain SMTP with AUTH") << false << false << 0;
        QTest::newRow("STARTTLS on another port") << true << false << 0;
        QTest::newRow("implicit TLS on 465") << true << true << 465;
    }

    void deliversOverEachTransport()
    {
        QFETCH(bool, useSSL);
        QFETCH(bool, implicitTls);
        QFETCH(int, port);
        SmtpTestServer::Options options;
        options.implicitTls = implicitTls;
        options.port = port;
        SmtpTestServer server(options);
        if (!server.isRunning() && port != 0 && server.errorText().contains(QLatin1String("in use")))
            QSKIP(qPrintable(QStringLiteral("port %1 is busy: %2").arg(port).arg(server.errorText())));
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));

        auto message = messageFor(server.port(), useSSL);
        const QString failure = sendFailure(*message);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        const QList<SmtpTestServer::Received> received = server.receivedMessages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().mailFrom, QStringLiteral("sender@example.com"));
        QCOMPARE(received.first().recipients, QStringList{QStringLiteral("rcpt@example.com")});
        // What the program stores as its copy is exactly what the server got.
        QCOMPARE(message->source().toByteArray(), received.first().raw);
        QCOMPARE(lineProblem(message->source().toByteArray()), QString());
        QCOMPARE(filesIn(environment->dataFolder()), QStringList());
    }

    void theCopyHoldsTheBytesSent_data()
    {
        QTest::addColumn<QString>("spoolFolder");
        QTest::newRow("spool beside the copy") << QString();
        QTest::newRow("spool on another file system") << QStringLiteral("/dev/shm");
    }

    void theCopyHoldsTheBytesSent()
    {
        QFETCH(QString, spoolFolder);
        if (!spoolFolder.isEmpty() && !QFileInfo(spoolFolder).isWritable())
            QSKIP("no second file system to write to");
        SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        SmtpMailMessage::Options options = testServerOptions();
        options.spoolFolder = spoolFolder;
        const auto sent = testMessage(server.port(), options);
        SmtpMailMessage& message = *sent;
        message.setBody(QString(300000, QLatin1Char('x')));
        QCOMPARE(sendFailure(message), QString());

        // An older file of the same name is replaced.
        const QString path = environment->dataFolder() + QStringLiteral("/Mail 2026-05-01 14-03-09.EML");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("older copy");
        old.close();
        AtomicTextFileWriter().writeTextFile(path, message.source());
        QFile copy(path);
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), server.receivedMessages().first().raw);
        QCOMPARE(copy.permissions() & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(filesIn(environment->dataFolder()), QStringList{QFileInfo(path).fileName()});
    }

    void aMessageThatCannotBeWrittenWholeIsNotSent_data()
    {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("expected");
        QTest::newRow("attachment gone before the send") << "gone"
                                                         << "This file can't be read";
        QTest::newRow("disk full while writing") << "full"
                                                 << "it can't be written to disk";
    }

    void aMessageThatCannotBeWrittenWholeIsNotSent()
    {
        QFETCH(QString, cause);
        QFETCH(QString, expected);
        SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        auto message = messageFor(server.port());
        const QString path = environment->root() + QStringLiteral("/large.bin");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(QByteArray(2 * 1024 * 1024, 'a')) > 0);
        file.close();
        message->addAttachment(path);
        std::optional<FileSizeLimit> limit;
        if (cause == QLatin1String("gone"))
            QVERIFY(QFile::remove(path));
        else
            limit.emplace(256 * 1024);
        const QString failure = sendFailure(*message);
        limit.reset();
        QVERIFY2(failure.contains(expected), qPrintable(failure));
        QCOMPARE(server.receivedMessages().size(), 0);
        QVERIFY(message->source().isEmpty());
        QCOMPARE(filesIn(environment->dataFolder()), QStringList());
    }

    void writesTheHeaders()
    {
        SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        auto message = messageFor(server.port());
        message->setTo(QStringLiteral("Alice Example <alice@example.com>; Иван Петров <ivan@example.ru>"));
        const QString subject = QStringLiteral("Отчёт за неделю 📈 готов");
        message->setSubject(subject);
        const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
        QCOMPARE(sendFailure(*message), QString());

        const QList<SmtpTestServer::Received> received = server.receivedMessages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().recipients,
                 (QStringList{QStringLiteral("alice@example.com"), QStringLiteral("ivan@example.ru")}));
        const QByteArray raw = received.first().raw;
        const QByteArray head = raw.left(raw.indexOf("\r\n\r\n"));
        for (const char c : head)
            QVERIFY2(static_cast<unsigned char>(c) < 0x80, "the header section is not plain ASCII");

        const QJsonObject parsed = SmtpTestServer::parseMessage(raw);
        QVERIFY2(!parsed.contains(QStringLiteral("error")), qPrintable(parsed.value("error").toString()));
        QCOMPARE(parsed.value(QStringLiteral("defects")).toArray().size(), 0);
        QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("From")),
                 QStringLiteral("Sender <sender@example.com>"));
        QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("To")),
                 QStringLiteral("Alice Example <alice@example.com>, Иван Петров <ivan@example.ru>"));
        QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("Subject")), subject);
        QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("MIME-Version")), QStringLiteral("1.0"));
        QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("X-Mailer")), mailer);
        const QString messageId = SmtpTestServer::header(parsed, QStringLiteral("Message-ID"));
        QVERIFY2(messageId.startsWith(QLatin1Char('<')) && messageId.endsWith(QLatin1String("@example.com>")),
                 qPrintable(messageId));
        const QDateTime date =
            QDateTime::fromString(SmtpTestServer::header(parsed, QStringLiteral("Date")), Qt::RFC2822Date);
        QVERIFY(date.isValid());
        QVERIFY(date >= before && date <= QDateTime::currentDateTime().addSecs(2));
        // Without attachments the message is a single text part.
        QCOMPARE(parsed.value(QStringLiteral("content_type")).toString(), QStringLiteral("text/plain"));
        QVERIFY(
            parsed.value(QStringLiteral("body_content_type")).toString().contains(QLatin1String("utf-8")));
    }

    void keepsTheBodyExactly_data()
    {
        QTest::addColumn<QString>("body");
        QTest::newRow("Cyrillic") << QStringLiteral("Привет!\nЭто письмо — проверка.\n\nС уважением,\nИван");
        QTest::newRow("line holding a single dot") << QStringLiteral("first\n.\nlast\n.");
        QTest::newRow("line of 2,000 characters")
            << QStringLiteral("start\n") + QString(2000, QLatin1Char('x')) + QStringLiteral("\nend");
        QTest::newRow("Cyrillic line of 2,000 characters") << QString(2000, QChar(0x0416));
        QTest::newRow("trailing blanks") << QStringLiteral("blanks   \ntab\t\n  \nlast line  ");
        QTest::newRow("empty") << QString();
    }

    void keepsTheBodyExactly()
    {
        QFETCH(QString, body);
        SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        auto message = messageFor(server.port());
        message->setBody(body);
        QCOMPARE(sendFailure(*message), QString());

        const QList<SmtpTestServer::Received> received = server.receivedMessages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(lineProblem(received.first().raw), QString());
        const QJsonObject parsed = SmtpTestServer::parseMessage(received.first().raw);
        QVERIFY2(!parsed.contains(QStringLiteral("error")), qPrintable(parsed.value("error").toString()));
        QCOMPARE(parsed.value(QStringLiteral("defects")).toArray().size(), 0);
        // The body travels with CRLF line ends; a reader gives back the text as typed.
        QString seen = parsed.value(QStringLiteral("body")).toString();
        seen.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        QCOMPARE(seen, body);
        const QByteArray decoded =
            QByteArray::fromBase64(parsed.value(QStringLiteral("body_base64")).toString().toLatin1());
        QCOMPARE(QString::fromUtf8(decoded).replace(QLatin1String("\r\n"), QLatin1String("\n")), body);
    }

    void keepsTheAttachmentsExactly()
    {
        QTemporaryDir folder;
        QByteArray binary(3 * 1024 * 1024 + 17, Qt::Uninitialized);
        QRandomGenerator generator(42);
        generator.fillRange(reinterpret_cast<quint32*>(binary.data()), binary.size() / 4);
        const QByteArray text = QStringLiteral("Строка один\nline two\n").toUtf8();
        struct File {
            QString name;
            QByteArray content;
            QString type;
        };
        const QList<File> files{
            {QStringLiteral("Отчёт за март 2026.txt"), text, QStringLiteral("text/plain")},
            {QStringLiteral("empty.txt"), QByteArray(), QStringLiteral("text/plain")},
            {QStringLiteral("data.bin"), binary, QStringLiteral("application/octet-stream")},
        };

        SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        auto message = messageFor(server.port());
        for (const File& file : files) {
            QFile out(folder.filePath(file.name));
            QVERIFY(out.open(QIODevice::WriteOnly));
            out.write(file.content);
            out.close();
            message->addAttachment(out.fileName());
        }
        QCOMPARE(sendFailure(*message), QString());

        const QList<SmtpTestServer::Received> received = server.receivedMessages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(lineProblem(received.first().raw), QString());
        QCOMPARE(message->source().toByteArray(), received.first().raw);
        const QJsonObject parsed = SmtpTestServer::parseMessage(received.first().raw);
        QVERIFY2(!parsed.contains(QStringLiteral("error")), qPrintable(parsed.value("error").toString()));
        QCOMPARE(parsed.value(QStringLiteral("defects")).toArray().size(), 0);
        QCOMPARE(parsed.value(QStringLiteral("content_type")).toString(), QStringLiteral("multipart/mixed"));
        QCOMPARE(parsed.value(QStringLiteral("body")).toString(), QStringLiteral("Hello"));
        const QJsonArray attachments = parsed.value(QStringLiteral("attachments")).toArray();
        QCOMPARE(attachments.size(), files.size());
        for (int i = 0; i < files.size(); ++i) {
            const QJsonObject attachment = attachments.at(i).toObject();
            QCOMPARE(attachment.value(QStringLiteral("filename")).toString(), files.at(i).name);
            QCOMPARE(attachment.value(QStringLiteral("content_type")).toString(), files.at(i).type);
            QCOMPARE(attachment.value(QStringLiteral("encoding")).toString(), QStringLiteral("base64"));
            QCOMPARE(attachment.value(QStringLiteral("size")).toInteger(), files.at(i).content.size());
            QCOMPARE(attachment.value(QStringLiteral("sha256")).toString().toLatin1(),
                     sha256(files.at(i).content));
        }
    }

    void refusesAPathThatIsNotAReadableFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing") << QStringLiteral("no such file.txt");
        QTest::newRow("folder") << QStringLiteral("folder");
    }

    void refusesAPathThatIsNotAReadableFile()
    {
        QFETCH(QString, name);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));
        const QString path = folder.filePath(name);
        SmtpMailMessage message;
        try {
            message.addAttachment(path);
            QFAIL("no error raised");
        } catch (const RuntimeError& error) {
            QVERIFY2(error.description().startsWith(path + QStringLiteral("\r\n\r\n")),
                     qPrintable(error.description()));
        }
        QVERIFY(message.attachments().isEmpty());
    }

    void reportsFailuresAPersonCanActOn_data()
    {
        QTest::addColumn<Server>("kind");
        QTest::addColumn<bool>("useSSL");
        QTest::addColumn<bool>("trusted");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("seconds");
        QTest::newRow("nothing listening")
            << Server::NotListening << false << true
            << QStringLiteral("Can't connect to 127.0.0.1 port %1: Connection refused") << 2;
        QTest::newRow("login refused")
            << Server::RefuseAuth << false << true
            << QStringLiteral("The server refused the login: 535 5.7.8 Authentication credentials invalid")
            << 2;
        QTest::newRow("recipient refused")
            << Server::RefuseRecipient << false << true
            << QStringLiteral(
                   "The server refused the recipient <rcpt@example.com>: 550 5.1.1 <rcpt@example.com>: "
                   "Recipient address rejected: User unknown")
            << 2;
        QTest::newRow("silent server")
            << Server::Silent << false << true
            << QStringLiteral("The server at 127.0.0.1 port %1 accepted the connection but did not greet "
                              "within 3 seconds.")
            << 5;
        QTest::newRow("untrusted certificate")
            << Server::Normal << true << false << QStringLiteral("The server's certificate is not trusted: ")
            << 2;
        QTest::newRow("no STARTTLS while SSL is on")
            << Server::NoStartTls << true << true << QStringLiteral("The server does not offer STARTTLS")
            << 2;
    }

    void reportsFailuresAPersonCanActOn()
    {
        QFETCH(Server, kind);
        QFETCH(bool, useSSL);
        QFETCH(bool, trusted);
        QFETCH(QString, expected);
        QFETCH(int, seconds);
        SmtpTestServer::Options options;
        options.refuseAuth = kind == Server::RefuseAuth;
        options.refuseRecipient =
            kind == Server::RefuseRecipient ? QStringLiteral("rcpt@example.com") : QString();
        options.silent = kind == Server::Silent;
        options.startTls = kind != Server::NoStartTls;
        auto server = std::make_unique<SmtpTestServer>(options);
        QVERIFY2(server->isRunning(), qPrintable(server->errorText()));
        const int port = server->port();
        if (kind == Server::NotListening)
            server.reset();

        auto message = messageFor(port, useSSL, trusted);
        QElapsedTimer clock;
        clock.start();
        const QString failure = sendFailure(*message);
        QVERIFY2(clock.elapsed() < seconds * 1000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(failure.startsWith(expected.contains(QLatin1String("%1")) ? expected.arg(port) : expected),
                 qPrintable(failure));
        if (server)
            QCOMPARE(server->receivedMessages().size(), 0);
    }

    void checksTheValuesBeforeConnecting_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("expected");
        const QString from = QStringLiteral("sender@example.com");
        const QString to = QStringLiteral("rcpt@example.com");
        QTest::newRow("no server") << QString() << -1 << from << to
                                   << QStringLiteral("No SMTP server is set.");
        QTest::newRow("port 0") << QStringLiteral("127.0.0.1") << 0 << from << to
                                << QStringLiteral("The port 0 is not valid: it must be between 1 and 65535.");
        QTest::newRow("port 65536") << QStringLiteral("127.0.0.1") << 65536 << from << to
                                    << QStringLiteral(
                                           "The port 65536 is not valid: it must be between 1 and 65535.");
        QTest::newRow("server name with a path")
            << QStringLiteral("127.0.0.1/x") << -1 << from << to
            << QStringLiteral("The server name \"127.0.0.1/x\" is not valid.");
        QTest::newRow("no recipient") << QStringLiteral("127.0.0.1") << -1 << from << QStringLiteral(" ; ")
                                      << QStringLiteral("There is no recipient address.");
        QTest::newRow("empty recipient") << QStringLiteral("127.0.0.1") << -1 << from << QString()
                                         << QStringLiteral("There is no recipient address.");
        QTest::newRow("recipient without @")
            << QStringLiteral("127.0.0.1") << -1 << from << QStringLiteral("rcpt@example.com, Ivan")
            << QStringLiteral("The recipient \"Ivan\" is not a valid mail address.");
        QTest::newRow("sender without @")
            << QStringLiteral("127.0.0.1") << -1 << QStringLiteral("sender") << to
            << QStringLiteral("The sender \"sender\" is not a valid mail address.");
        QTest::newRow("two senders")
            << QStringLiteral("127.0.0.1") << -1 << QStringLiteral("a@example.com, b@example.com") << to
            << QStringLiteral("The sender \"a@example.com, b@example.com\" must be one mail address.");
    }

    void checksTheValuesBeforeConnecting()
    {
        QFETCH(QString, server);
        QFETCH(int, port);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, expected);
        SmtpTestServer smtp;
        QVERIFY2(smtp.isRunning(), qPrintable(smtp.errorText()));
        auto message = messageFor(port < 0 ? smtp.port() : port);
        message->setServer(server);
        message->setFrom(from);
        message->setTo(to);
        QCOMPARE(sendFailure(*message), expected);
        QCOMPARE(smtp.receivedMessages().size(), 0);
        QVERIFY(message->source().isEmpty());
    }

    void lineBreaksCannotAddHeadersOrCommands_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("seenSubject"); // empty: the message is refused
        const QString from = QStringLiteral("sender@example.com");
        const QString to = QStringLiteral("rcpt@example.com");
        QTest::newRow("Bcc after CRLF in the recipient")
            << from << QStringLiteral("rcpt@example.com\r\nBcc: evil@example.com") << QStringLiteral("Hi")
            << QString();
        QTest::newRow("RCPT command after LF in the recipient")
            << from << QStringLiteral("rcpt@example.com>\nRCPT TO:<evil@example.com") << QStringLiteral("Hi")
            << QString();
        QTest::newRow("header-like recipient")
            << from << QStringLiteral("rcpt@example.com, Bcc: evil@example.com") << QStringLiteral("Hi")
            << QString();
        QTest::newRow("RCPT command after CRLF in the sender")
            << QStringLiteral("sender@example.com>\r\nRCPT TO:<evil@example.com>") << to
            << QStringLiteral("Hi") << QString();
        QTest::newRow("Bcc after LF in the sender")
            << QStringLiteral("Sender <sender@example.com>\nBcc: evil@example.com") << to
            << QStringLiteral("Hi") << QString();
        QTest::newRow("Bcc after CRLF in the subject")
            << from << to << QStringLiteral("Hi\r\nBcc: evil@example.com")
            << QStringLiteral("Hi Bcc: evil@example.com");
        QTest::newRow("header after LF in the subject")
            << from << to << QStringLiteral("Hi\nX-Injected: yes\r\n\r\nbody")
            << QStringLiteral("Hi X-Injected: yes  body");
    }

    void lineBreaksCannotAddHeadersOrCommands()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, subject);
        QFETCH(QString, seenSubject);
        SmtpTestServer server;
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        auto message = messageFor(server.port());
        message->setFrom(from);
        message->setTo(to);
        message->setSubject(subject);
        const QString failure = sendFailure(*message);

        const QList<SmtpTestServer::Received> received = server.receivedMessages();
        if (seenSubject.isEmpty()) {
            QVERIFY2(failure.contains(QLatin1String("line break")) ||
                         failure.contains(QLatin1String("not a valid mail address")),
                     qPrintable(failure));
            QCOMPARE(received.size(), 0);
            return;
        }
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().recipients, QStringList{QStringLiteral("rcpt@example.com")});
        const QJsonObject parsed = SmtpTestServer::parseMessage(received.first().raw);
        QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("Subject")), seenSubject);
        const QStringList expectedHeaders{QStringLiteral("From"),
                                          QStringLiteral("To"),
                                          QStringLiteral("Subject"),
                                          QStringLiteral("Date"),
                                          QStringLiteral("Message-Id"),
                                          QStringLiteral("MIME-Version"),
                                          QStringLiteral("X-Mailer"),
                                          QStringLiteral("Content-Type"),
                                          QStringLiteral("Content-Transfer-Encoding")};
        for (const QString& name : headerNames(parsed))
            QVERIFY2(expectedHeaders.contains(name, Qt::CaseInsensitive), qPrintable(name));
        QCOMPARE(parsed.value(QStringLiteral("body")).toString(), QStringLiteral("Hello"));
    }

    void keepsTheEventLoopRunningWhileSending()
    {
        SmtpTestServer::Options options;
        options.dataDelaySeconds = 1;
        SmtpTestServer server(options);
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        auto message = messageFor(server.port(), true);
        int ticks = 0;
        QTimer timer;
        timer.setInterval(50);
        connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start();
        QCOMPARE(sendFailure(*message), QString());
        QVERIFY2(ticks >= 10, qPrintable(QString::number(ticks)));
        QCOMPARE(server.receivedMessages().size(), 1);
    }
};

VELLUM_TEST_MAIN(TestMailMessage)
#include "TestMailMessage.moc"
