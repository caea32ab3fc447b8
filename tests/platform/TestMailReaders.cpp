// GLib names a member "signals", which Qt's keyword macro would rewrite: GMime comes first.
#include <gmime/gmime.h>

#include "SmtpTestServer.h"
#include "TestEnvironment.h"
#include "platform/RuntimeError.h"
#include "platform/mail/SmtpMailMessage.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <algorithm>

// Each message the mail component builds is read by two independent parsers,
// Python's email package (strict policy) and Perl's MIME-tools: both must show
// every text as typed and every attached file's bytes unchanged.

namespace
{

struct Attachment {
    QString name;
    QByteArray content;
    QString type;    // as readers see it
    QString charset; // empty: none
    QString text;    // texts only: what readers show
};
using Attachments = QList<Attachment>;

Attachment file(const QString& name, const QByteArray& content, const QString& type,
                const QString& charset = QString(), const QString& text = QString())
{
    return Attachment{name, content, type, charset, text};
}

// The text with its byte-order mark, as editors save UTF-16.
QByteArray utf16(const QString& text, QStringConverter::Encoding encoding)
{
    QStringEncoder encoder(encoding, QStringEncoder::Flag::WriteBom);
    return encoder.encode(text);
}

const QByteArray senderAddress("sender@example.com");
const QByteArray recipientAddress("rcpt@example.com");

// A saved message travels with CRLF line ends; readers may give it back with LF.
QByteArray lineEndsUnified(QByteArray bytes)
{
    return bytes.replace("\r\n", "\n");
}

QByteArray comparable(const Attachment& attachment, const QByteArray& bytes)
{
    return attachment.type == QLatin1String("message/rfc822") ? lineEndsUnified(bytes) : bytes;
}

QByteArray bytesOf(const QJsonObject& part)
{
    return QByteArray::fromBase64(part.value(QStringLiteral("base64")).toString().toLatin1());
}

QString displayed(const QString& name, const QByteArray& address)
{
    return name.isEmpty() ? QString::fromLatin1(address) : name + QStringLiteral(" <%1>").arg(address);
}

// In every header: encoded-words within 75 characters, lines within 78, and no padded B-word that
// another encoded-word continues (GMime-based readers stop decoding there).
QString headerProblem(const QByteArray& raw)
{
    // The message's header and each part's, which start after a boundary line.
    QByteArray head;
    bool inHeader = true;
    for (const QByteArray& line : raw.split('\n')) {
        if (!inHeader && line.startsWith("--")) {
            inHeader = true;
        } else if (inHeader && line == "\r") {
            inHeader = false;
        } else if (inHeader) {
            if (line.size() - 1 > 78)
                return QStringLiteral("header line of %1 octets: %2").arg(line.size() - 1).arg(line);
            head += line + '\n';
        }
    }
    static const QRegularExpression word(
        QStringLiteral("=\\?[^?\\s]+\\?([bBqQ])\\?([^?\\s]*)\\?=(\\s+=\\?)?"));
    for (auto match = word.globalMatch(QString::fromLatin1(head)); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        const QString encoded = found.captured(0).section(QLatin1String("?="), 0, 0) + QStringLiteral("?=");
        if (encoded.size() > 75)
            return QStringLiteral("encoded-word of %1 characters").arg(encoded.size());
        if (found.captured(1).compare(QLatin1String("b"), Qt::CaseInsensitive) == 0 &&
            found.captured(2).endsWith(QLatin1Char('=')) && found.hasCaptured(3))
            return QStringLiteral("padded word followed by another: ") + encoded;
    }
    return QString();
}

// What a reader built on GMime shows: subject, then each mailbox of From and To as "name <address>".
QStringList gmimeView(const QByteArray& raw)
{
    g_mime_init();
    GMimeStream* stream = g_mime_stream_mem_new_with_buffer(raw.constData(), size_t(raw.size()));
    GMimeParser* parser = g_mime_parser_new_with_stream(stream);
    GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
    QStringList view;
    if (message) {
        view << QString::fromUtf8(g_mime_message_get_subject(message));
        for (InternetAddressList* list : {g_mime_message_get_from(message), g_mime_message_get_to(message)}) {
            for (int i = 0; i < internet_address_list_length(list); ++i) {
                InternetAddress* address = internet_address_list_get_address(list, i);
                view << QString::fromUtf8(internet_address_get_name(address)) + QStringLiteral(" <") +
                            QString::fromUtf8(
                                internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address))) +
                            QLatin1Char('>');
            }
        }
        g_object_unref(message);
    }
    g_object_unref(parser);
    g_object_unref(stream);
    return view;
}

// Windows-1251 for "Привет, это проверка кодировки.": no reader can take it for UTF-8.
const QByteArray cp1251Text =
    QByteArray::fromHex("cff0e8e2e5f22c20fdf2ee20eff0eee2e5f0eae020eaeee4e8f0eee2eae82e0a");

} // namespace

Q_DECLARE_METATYPE(Attachments)

class TestMailReaders : public QObject
{
    Q_OBJECT
    std::unique_ptr<SmtpTestServer> server;
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void initTestCase()
    {
        server = std::make_unique<SmtpTestServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorText()));
    }
    void cleanupTestCase() { server.reset(); }
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void everyReaderShowsWhatWasTyped_data()
    {
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("fromName");
        QTest::addColumn<QString>("toName");
        QTest::addColumn<QString>("body");
        QTest::addColumn<Attachments>("attachments");

        const QString hello = QStringLiteral("Hello");
        const QByteArray savedMessage = "From: Anna <anna@example.com>\n"
                                        "To: bob@example.com\n"
                                        "Subject: Minutes\n"
                                        "Date: Mon, 4 May 2026 10:00:00 +0200\n"
                                        "Message-ID: <minutes@example.com>\n"
                                        "MIME-Version: 1.0\n"
                                        "Content-Type: text/plain; charset=utf-8\n"
                                        "Content-Transfer-Encoding: 8bit\n"
                                        "\n"
                                        "Протокол встречи\n"
                                        "From the chair: all agreed.\n";
        const QByteArray asciiMessage = "From: anna@example.com\r\nSubject: Notes\r\n\r\nSee you.\r\n";

        const QString plain = QStringLiteral("text/plain");
        const QString octets = QStringLiteral("application/octet-stream");
        const QString ascii = QStringLiteral("us-ascii");
        const QString utf8 = QStringLiteral("utf-8");
        // Without a way to declare 8-bit data to the server, it goes as octets, unchanged.
        QTest::newRow("attached .eml, 8bit")
            << QStringLiteral("Minutes") << QString() << QString() << hello
            << Attachments{file(QStringLiteral("Minutes.eml"), savedMessage, octets)};
        QTest::newRow("attached .eml, 7bit, and one that is not a message")
            << QStringLiteral("Notes") << QString() << QString() << hello
            << Attachments{file(QStringLiteral("Notes.eml"), asciiMessage, QStringLiteral("message/rfc822")),
                           file(QStringLiteral("not a message.eml"), "just a note\n", octets)};
        QTest::newRow("attached .eml that can't go as a message")
            << QStringLiteral("Not messages") << QString() << QString() << hello
            << Attachments{
                   file(QStringLiteral("long line.eml"),
                        "From: a@example.com\n\n" + QByteArray(1200, 'x') + '\n', octets),
                   file(QStringLiteral("raw UTF-8 header.eml"),
                        QStringLiteral("From: a@example.com\nSubject: Привет\n\nbody\n").toUtf8(), octets),
                   file(QStringLiteral("carriage returns.eml"), "From: a@example.com\r\rbody\r", octets),
                   file(QStringLiteral("no header.eml"), "Dear Bob,\n\nsee you.\n", octets)};
        const QString mixed = QStringLiteral("Привет, мир: 你好 😀\n");
        const QString page = QStringLiteral("<p>Страница</p>\n");
        QTest::newRow("text attachments in UTF-8, Windows-1251, HTML, ASCII")
            << QStringLiteral("Texts") << QString() << QString() << hello
            << Attachments{
                   file(QStringLiteral("utf8.txt"), mixed.toUtf8(), plain, utf8, mixed),
                   file(QStringLiteral("cp1251.txt"), cp1251Text, plain, QStringLiteral("windows-1251"),
                        QStringLiteral("Привет, это проверка кодировки.\n")),
                   file(QStringLiteral("page.html"), page.toUtf8(), QStringLiteral("text/html"), utf8, page),
                   file(QStringLiteral("plain.txt"), "ASCII only\n", plain, ascii,
                        QStringLiteral("ASCII only\n")),
                   file(QStringLiteral("utf16le.txt"), utf16(mixed, QStringConverter::Utf16LE), plain,
                        QStringLiteral("utf-16"), mixed),
                   file(QStringLiteral("utf16be.txt"), utf16(mixed, QStringConverter::Utf16BE), plain,
                        QStringLiteral("utf-16"), mixed)};
        QByteArray binary(70000, Qt::Uninitialized);
        for (qsizetype i = 0; i < binary.size(); ++i)
            binary[i] = char((i * 7919) % 251);
        QTest::newRow("binary and empty attachments")
            << QStringLiteral("Files") << QString() << QString() << hello
            << Attachments{file(QStringLiteral("data.bin"), binary, octets),
                           file(QStringLiteral("empty.txt"), QByteArray(), plain, ascii, QString())};
        QTest::newRow("file names in four scripts")
            << QStringLiteral("Names") << QString() << QString() << hello
            << Attachments{
                   file(QStringLiteral("Отчёт за март 2026 года по всем отделам.txt"), "a\n", plain, ascii,
                        QStringLiteral("a\n")),
                   file(QStringLiteral("会議の議事録と来月の予定表.txt"), "b\n", plain, ascii,
                        QStringLiteral("b\n")),
                   file(QStringLiteral("تقرير المبيعات.txt"), "c\n", plain, ascii, QStringLiteral("c\n")),
                   file(QStringLiteral("🎉 party 🎂.bin"), QByteArray("\0\1\2", 3), octets)};

        QTest::newRow("long Cyrillic subject without blanks")
            << QString(120, QChar(0x0416)) << QString() << QString() << hello << Attachments{};
        QTest::newRow("long ASCII subject without blanks")
            << QString(150, QLatin1Char('x')) << QString() << QString() << hello << Attachments{};
        QTest::newRow("long emoji subject without blanks")
            << QStringLiteral("🎉").repeated(40) << QString() << QString() << hello << Attachments{};
        QTest::newRow("long CJK subject without blanks") << QStringLiteral("日本語の件名").repeated(12)
                                                         << QString() << QString() << hello << Attachments{};
        // Characters of 1 and 2 octets in this order never end on a 3-octet boundary.
        QTest::newRow("long subject that can't split on 3 octets")
            << QStringLiteral("a") + QStringLiteral("aЯ").repeated(50) << QString() << QString() << hello
            << Attachments{};
        QTest::newRow("long subject of words")
            << QStringLiteral("Отчёт о работе отдела продаж за первый квартал, итоги и планы на второй")
            << QString() << QString() << hello << Attachments{};

        QTest::newRow("encoded-word look-alike in subject and names")
            << QStringLiteral("Price =?utf-8?q?100=25?= off") << QStringLiteral("=?utf-8?q?The_Boss?=")
            << QStringLiteral("Mr =?utf-8?b?QWRtaW4=?=") << hello << Attachments{};
        QTest::newRow("blanks at the ends of the subject")
            << QStringLiteral("  Re:   spaced   out  ") << QString() << QString() << hello << Attachments{};
        QTest::newRow("plain and encoded words mixed, with a tab")
            << QStringLiteral("Re: Отчёт\t=?utf-8?b?eA==?= 😀 and  more  ") << QStringLiteral("Anna")
            << QStringLiteral("Bob") << hello << Attachments{};
        QTest::newRow("subject of blanks only")
            << QStringLiteral("   ") << QString() << QString() << hello << Attachments{};
        QTest::newRow("From lines in the body")
            << QStringLiteral("Quote") << QString() << QString()
            << QStringLiteral("From the start\nline\nFrom here on, trailing blank \nFrom ") + QString(90, 'x')
            << Attachments{};

        QTest::newRow("Cyrillic") << QStringLiteral("Привет из Москвы") << QStringLiteral("Иван Петров")
                                  << QStringLiteral("Мария Сидорова") << QStringLiteral("Текст письма.")
                                  << Attachments{};
        QTest::newRow("CJK") << QStringLiteral("会議の議事録について") << QStringLiteral("山田太郎")
                             << QStringLiteral("李小龙") << QStringLiteral("本文です。") << Attachments{};
        QTest::newRow("Arabic") << QStringLiteral("تقرير المبيعات الشهري") << QStringLiteral("محمد علي")
                                << QStringLiteral("فاطمة الزهراء") << QStringLiteral("نص الرسالة.")
                                << Attachments{};
        QTest::newRow("emoji") << QStringLiteral("Party 🎉 tonight 🎂!") << QStringLiteral("Anna 😀")
                               << QStringLiteral("🐱 Cat") << QStringLiteral("See you 👋") << Attachments{};
    }

    void everyReaderShowsWhatWasTyped()
    {
        QFETCH(QString, subject);
        QFETCH(QString, fromName);
        QFETCH(QString, toName);
        QFETCH(QString, body);
        QFETCH(Attachments, attachments);

        SmtpMailMessage::Options options;
        options.caCertificateFile = SmtpTestServer::caCertificateFile();
        SmtpMailMessage message(options);
        message.setFrom(fromName.isEmpty() ? QString::fromLatin1(senderAddress)
                                           : displayed(fromName, senderAddress));
        message.setTo(toName.isEmpty() ? QString::fromLatin1(recipientAddress)
                                       : displayed(toName, recipientAddress));
        message.setSubject(subject);
        message.setBody(body);
        message.setUserName(QStringLiteral("user"));
        message.setPassword(QStringLiteral("secret"));
        message.setServer(QStringLiteral("127.0.0.1"));
        message.setPort(server->port());
        message.setMailer(QStringLiteral("Kestrel - Vellum 1.02.0018"));
        QTemporaryDir folder;
        for (const Attachment& attachment : attachments) {
            QFile file(folder.filePath(attachment.name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(attachment.content);
            file.close();
            message.addAttachment(file.fileName());
        }
        const qsizetype before = server->receivedMessages().size();
        try {
            message.send();
        } catch (const RuntimeError& error) {
            QFAIL(qPrintable(error.description()));
        }
        const QList<SmtpTestServer::Received> received = server->receivedMessages();
        QCOMPARE(received.size(), before + 1);
        const QByteArray raw = received.last().raw;
        QCOMPARE(headerProblem(raw), QString());
        // mbox delivery would turn such a line into ">From "; an attached message's lines go as they are.
        if (std::none_of(attachments.begin(), attachments.end(), [](const Attachment& attachment) {
                return attachment.type == QLatin1String("message/rfc822");
            }))
            QVERIFY2(!raw.contains("\r\nFrom "), "a line starts with \"From \"");
        const QString typedBody = QString(body).replace(QLatin1String("\r\n"), QLatin1String("\n"));

        const QJsonObject python = SmtpTestServer::parseMessage(raw);
        QVERIFY2(!python.contains(QStringLiteral("error")), qPrintable(python.value("error").toString()));
        const QJsonArray defects = python.value(QStringLiteral("defects")).toArray();
        QVERIFY2(defects.isEmpty(), qPrintable(defects.first().toString()));
        QCOMPARE(SmtpTestServer::header(python, QStringLiteral("Subject")), subject);
        const QJsonObject addresses = python.value(QStringLiteral("addresses")).toObject();
        QCOMPARE(addresses.value(QStringLiteral("From")).toArray(),
                 QJsonArray({QJsonArray({fromName, QString::fromLatin1(senderAddress)})}));
        QCOMPARE(addresses.value(QStringLiteral("To")).toArray(),
                 QJsonArray({QJsonArray({toName, QString::fromLatin1(recipientAddress)})}));
        QCOMPARE(python.value(QStringLiteral("body"))
                     .toString()
                     .replace(QLatin1String("\r\n"), QLatin1String("\n")),
                 typedBody);
        const QJsonArray pythonParts = python.value(QStringLiteral("attachments")).toArray();
        QCOMPARE(pythonParts.size(), attachments.size());
        for (qsizetype i = 0; i < attachments.size(); ++i) {
            const Attachment& expected = attachments.at(i);
            const QJsonObject part = pythonParts.at(i).toObject();
            QCOMPARE(part.value(QStringLiteral("filename")).toString(), expected.name);
            QCOMPARE(part.value(QStringLiteral("content_type")).toString(), expected.type);
            QCOMPARE(part.value(QStringLiteral("charset")).toString(), expected.charset);
            QCOMPARE(comparable(expected, bytesOf(part)), comparable(expected, expected.content));
            if (expected.type.startsWith(QLatin1String("text/")))
                QCOMPARE(part.value(QStringLiteral("text")).toString(), expected.text);
        }

        // GMime-based readers stop decoding after a padded B-word that another continues.
        QCOMPARE(gmimeView(raw), (QStringList{subject, fromName + QStringLiteral(" <sender@example.com>"),
                                              toName + QStringLiteral(" <rcpt@example.com>")}));

        const QJsonObject perl = SmtpTestServer::parseWithMimeTools(raw);
        QVERIFY2(!perl.contains(QStringLiteral("error")), qPrintable(perl.value("error").toString()));
        const QJsonArray warnings = perl.value(QStringLiteral("warnings")).toArray();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.first().toString()));
        QCOMPARE(perl.value(QStringLiteral("subject")).toString(), subject);
        QCOMPARE(perl.value(QStringLiteral("from")).toString(), displayed(fromName, senderAddress));
        QCOMPARE(perl.value(QStringLiteral("to")).toString(), displayed(toName, recipientAddress));
        const QJsonArray perlParts = perl.value(QStringLiteral("parts")).toArray();
        QCOMPARE(perlParts.size(), attachments.size() + 1);
        QCOMPARE(QString::fromUtf8(lineEndsUnified(bytesOf(perlParts.at(0).toObject()))), typedBody);
        for (qsizetype i = 0; i < attachments.size(); ++i) {
            const Attachment& expected = attachments.at(i);
            const QJsonObject part = perlParts.at(i + 1).toObject();
            QCOMPARE(part.value(QStringLiteral("filename")).toString(), expected.name);
            QCOMPARE(part.value(QStringLiteral("type")).toString(), expected.type);
            QCOMPARE(part.value(QStringLiteral("charset")).toString(), expected.charset);
            QCOMPARE(comparable(expected, bytesOf(part)), comparable(expected, expected.content));
        }
    }

    // The transport can't say BODY=8BITMIME, so a message goes 7-bit whatever the server offers.
    void eightBitMessageEnvelope_data()
    {
        QTest::addColumn<bool>("offered");
        QTest::newRow("8BITMIME offered") << true;
        QTest::newRow("8BITMIME not offered") << false;
    }
    void eightBitMessageEnvelope()
    {
        QFETCH(bool, offered);
        SmtpTestServer::Options serverOptions;
        serverOptions.offerEightBitMime = offered;
        SmtpTestServer relay(serverOptions);
        QVERIFY2(relay.isRunning(), qPrintable(relay.errorText()));

        SmtpMailMessage::Options options;
        options.caCertificateFile = SmtpTestServer::caCertificateFile();
        SmtpMailMessage message(options);
        message.setFrom(QString::fromLatin1(senderAddress));
        message.setTo(QString::fromLatin1(recipientAddress));
        message.setSubject(QStringLiteral("Minutes"));
        message.setBody(QStringLiteral("Протокол"));
        message.setUserName(QStringLiteral("user"));
        message.setPassword(QStringLiteral("secret"));
        message.setServer(QStringLiteral("127.0.0.1"));
        message.setPort(relay.port());
        QTemporaryDir folder;
        const QByteArray saved = "From: anna@example.com\nSubject: Minutes\nContent-Type: text/plain; "
                                 "charset=utf-8\nContent-Transfer-Encoding: 8bit\n\n" +
                                 QStringLiteral("Протокол встречи\n").toUtf8();
        QFile file(folder.filePath(QStringLiteral("Minutes.eml")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(saved);
        file.close();
        message.addAttachment(file.fileName());
        try {
            message.send();
        } catch (const RuntimeError& error) {
            QFAIL(qPrintable(error.description()));
        }

        const QList<SmtpTestServer::Received> received = relay.receivedMessages();
        QCOMPARE(received.size(), 1);
        QCOMPARE(received.first().mailFrom, QString::fromLatin1(senderAddress));
        QCOMPARE(received.first().mailOptions, QStringList());
        const QByteArray raw = received.first().raw;
        QVERIFY(std::all_of(raw.begin(), raw.end(), [](char c) { return c > 0; }));
        const QJsonArray parts =
            SmtpTestServer::parseMessage(raw).value(QStringLiteral("attachments")).toArray();
        QCOMPARE(parts.size(), 1);
        QCOMPARE(parts.first().toObject().value(QStringLiteral("content_type")).toString(),
                 QStringLiteral("application/octet-stream"));
        QCOMPARE(bytesOf(parts.first().toObject()), saved);
    }
};

VELLUM_TEST_MAIN(TestMailReaders)
#include "TestMailReaders.moc"
