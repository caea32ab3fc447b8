#include "SmtpTestServer.h"
#include "TestEnvironment.h"
#include "TestMessages.h"

class TestAddressList : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<SmtpTestServer> server;

private slots:
    void initTestCase()
    {
        environment = std::make_unique<TestEnvironment>();
        server = std::make_unique<SmtpTestServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorText()));
    }
    void cleanupTestCase()
    {
        server.reset();
        environment.reset();
    }

    // What the server's envelope holds for a recipient text, or the refusal
    // that stops the send before anything goes out.
    void everyPieceBecomesARecipientOrRefusesTheSend_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("envelope");
        QTest::addColumn<QString>("refusal");

        const auto sent = [](const char* name, const QString& typed, const QStringList& envelope) {
            QTest::newRow(name) << typed << envelope << QString();
        };
        const auto refused = [](const char* name, const QString& typed, const QString& refusal) {
            QTest::newRow(name) << typed << QStringList() << refusal;
        };
        const QString invalid = QStringLiteral("The recipient \"%1\" is not a valid mail address.");

        sent("one address", QStringLiteral("alice@example.org"), {QStringLiteral("alice@example.org")});
        sent("comma and semicolon", QStringLiteral("alice@example.org, bob@example.org; carol@example.org"),
             {QStringLiteral("alice@example.org"), QStringLiteral("bob@example.org"),
              QStringLiteral("carol@example.org")});
        sent("quoted name with a comma",
             QStringLiteral("\"Smith, Bob\" <bob@example.org>, alice@example.org"),
             {QStringLiteral("bob@example.org"), QStringLiteral("alice@example.org")});
        sent("unquoted name with a comma", QStringLiteral("Smith, Bob <bob@example.org>, alice@example.org"),
             {QStringLiteral("bob@example.org"), QStringLiteral("alice@example.org")});
        sent("name in another script", QStringLiteral("Анна <anna@example.org>"),
             {QStringLiteral("anna@example.org")});
        sent("comment as the name", QStringLiteral("bob@example.org (Bob Smith)"),
             {QStringLiteral("bob@example.org")});
        sent("semicolon inside a quoted name", QStringLiteral("\"Bob; Jr.\" <bob@example.org>"),
             {QStringLiteral("bob@example.org")});
        sent("empty pieces between", QStringLiteral("alice@example.org,, ;bob@example.org,"),
             {QStringLiteral("alice@example.org"), QStringLiteral("bob@example.org")});
        sent("same address twice", QStringLiteral("alice@example.org, Alice <alice@example.org>"),
             {QStringLiteral("alice@example.org")});
        sent("international domain", QStringLiteral("bob@bücher.example"),
             {QStringLiteral("bob@xn--bcher-kva.example")});
        sent("IPv4 literal", QStringLiteral("a@[192.0.2.1]"), {QStringLiteral("a@[192.0.2.1]")});
        sent("IPv6 literal", QStringLiteral("a@[IPv6:2001:db8::1]"),
             {QStringLiteral("a@[IPv6:2001:db8::1]")});

        refused("incomplete name and address after a good one",
                QStringLiteral("alice@example.org, Bob Smith <bob@"),
                invalid.arg(QStringLiteral("Bob Smith <bob@")));
        refused("trailing address without domain", QStringLiteral("alice@example.org, bob@"),
                invalid.arg(QStringLiteral("bob@")));
        refused("name alone after a good address", QStringLiteral("alice@example.org, Bob Smith"),
                invalid.arg(QStringLiteral("Bob Smith")));
        refused("word after a good address", QStringLiteral("alice@example.org, bob"),
                invalid.arg(QStringLiteral("bob")));
        refused("two at signs after a good address", QStringLiteral("alice@example.org, bob@@example.org"),
                invalid.arg(QStringLiteral("bob@@example.org")));
        refused("brackets without domain after a good address", QStringLiteral("alice@example.org, <bob@>"),
                invalid.arg(QStringLiteral("<bob@>")));
        refused("unclosed bracket", QStringLiteral("Bob <bob@example.org"),
                invalid.arg(QStringLiteral("Bob <bob@example.org")));
        refused("text after the bracket", QStringLiteral("Bob <bob@example.org> carol@example.org"),
                invalid.arg(QStringLiteral("Bob <bob@example.org> carol@example.org")));
        refused("two addresses without a separator", QStringLiteral("alice@example.org bob@example.org"),
                invalid.arg(QStringLiteral("alice@example.org bob@example.org")));
        refused("empty label in the domain", QStringLiteral("bob@example..org"),
                invalid.arg(QStringLiteral("bob@example..org")));
        sent("group", QStringLiteral("friends: a@example.org, b@example.org;"),
             {QStringLiteral("a@example.org"), QStringLiteral("b@example.org")});
        sent("empty group beside an address", QStringLiteral("undisclosed-recipients:;, c@example.org"),
             {QStringLiteral("c@example.org")});
        sent("group between addresses",
             QStringLiteral("a@example.org, \"The Team\": Bob <b@example.org>; c@example.org"),
             {QStringLiteral("a@example.org"), QStringLiteral("b@example.org"),
              QStringLiteral("c@example.org")});
        sent("colon in a name without a group", QStringLiteral("Re: Bob <bob@example.org>"),
             {QStringLiteral("bob@example.org")});
        refused("empty group alone", QStringLiteral("undisclosed-recipients:;"),
                QStringLiteral("There is no recipient address."));
        refused("group without a name", QStringLiteral(": a@example.org;"),
                invalid.arg(QStringLiteral(": a@example.org;")));
        refused("group named by an address", QStringLiteral("x@example.org: a@example.org;"),
                invalid.arg(QStringLiteral("x@example.org: a@example.org;")));
        refused("bad member of a group", QStringLiteral("friends: a@example.org, b@;"),
                invalid.arg(QStringLiteral("b@")));
        refused("local part over 64 octets", QString(65, QLatin1Char('a')) + QStringLiteral("@example.org"),
                invalid.arg(QString(65, QLatin1Char('a')) + QStringLiteral("@example.org")));
        const QString longAddress = QString(10, QLatin1Char('a')) + QLatin1Char('@') + QString(63, 'b') +
                                    QLatin1Char('.') + QString(63, 'c') + QLatin1Char('.') +
                                    QString(63, 'd') + QLatin1Char('.') + QString(54, 'e') +
                                    QStringLiteral(".org");
        refused("address over 254 octets", longAddress,
                invalid.arg(longAddress.left(200) + QStringLiteral("...")));
        refused("link typed as an address", QStringLiteral("mailto:bob@example.org"),
                invalid.arg(QStringLiteral("mailto:bob@example.org")));
        refused("literal that is no address", QStringLiteral("a@[x>y]"),
                invalid.arg(QStringLiteral("a@[x>y]")));
        refused("IPv4 literal out of range", QStringLiteral("a@[300.1.1.1]"),
                invalid.arg(QStringLiteral("a@[300.1.1.1]")));
        refused("IPv6 literal that is none", QStringLiteral("a@[IPv6:nothex]"),
                invalid.arg(QStringLiteral("a@[IPv6:nothex]")));
        refused(
            "NUL before the second address",
            QStringLiteral("good@example.org, ") + QChar(0) + "evil@example.org",
            QStringLiteral("The recipient \"good@example.org, \uFFFDevil@example.org\" contains a control "
                           "character (shown as \uFFFD), which can't be sent."));
        refused("nothing", QString(), QStringLiteral("There is no recipient address."));
        refused("separators only", QStringLiteral(" , ; "), QStringLiteral("There is no recipient address."));
    }
    void everyPieceBecomesARecipientOrRefusesTheSend()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, envelope);
        QFETCH(QString, refusal);

        const auto message = testMessage(server->port());
        message->setTo(typed);

        const qsizetype before = server->receivedMessages().size();
        QCOMPARE(sendFailure(*message), refusal);
        const QList<SmtpTestServer::Received> received = server->receivedMessages();
        QCOMPARE(received.size(), before + (refusal.isEmpty() ? 1 : 0));
        if (refusal.isEmpty())
            QCOMPARE(received.last().recipients, envelope);
    }

    // Groups stay groups for the readers of the message.
    void groupsInTheToHeader_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("group") << "friends: a@example.org, b@example.org;"
                               << QByteArray("To: friends: a@example.org, b@example.org;");
        QTest::newRow("empty group and an address")
            << "undisclosed-recipients:;, Carl <c@example.org>" << QByteArray("To: Carl <c@example.org>");
        QTest::newRow("quoted group name") << "\"The Team\": b@example.org; c@example.org"
                                           << QByteArray("To: The Team: b@example.org;, c@example.org");
    }
    void groupsInTheToHeader()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, header);
        const auto message = testMessage(server->port());
        message->setTo(typed);
        QCOMPARE(sendFailure(*message), QString());
        const QByteArray raw = server->receivedMessages().last().raw;
        QVERIFY2(raw.contains("\r\n" + header + "\r\n"), raw.left(600).constData());
    }

    void aGroupIsNoSender()
    {
        const auto message = testMessage(server->port());
        message->setFrom(QStringLiteral("me: me@example.org;"));
        QCOMPARE(sendFailure(*message),
                 QStringLiteral("The sender \"me: me@example.org;\" must be one mail address."));
    }
};

VELLUM_TEST_MAIN(TestAddressList)
#include "TestAddressList.moc"
