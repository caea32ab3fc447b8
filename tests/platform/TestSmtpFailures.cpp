#include "SmtpTestServer.h"
#include "TestEnvironment.h"
#include "TestMessages.h"
#include "platform/RuntimeError.h"
#include "platform/mail/SmtpMailMessage.h"

#include <QElapsedTimer>
#include <QRegularExpression>

namespace
{

const int TimeoutSeconds = 3;

enum class Failure {
    StallBeforeGreeting,
    StallAfterGreeting,
    StallInStartTls,
    StallInImplicitTls,
    StallAfterTheDot,
    DropAfterTheDot,
    TooLarge,
    WantsStartTls,
    WantsLogin,
};

} // namespace

Q_DECLARE_METATYPE(Failure)

// What a person is told when a server fails at each point of the dialogue,
// and how long they wait for it.
class TestSmtpFailures : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void eachFailureSaysWhatHappenedWithinTheTimeItNames_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("namedSeconds"); // 0: no waiting named, none expected
        QTest::addColumn<bool>("delivered");   // the server kept the message

        const QString mayHaveBeenDelivered = QStringLiteral(
            "The message may have been delivered: check with the recipients or in the server's "
            "sent mail before sending it again.");
        QTest::newRow("stall before greeting")
            << Failure::StallBeforeGreeting
            << QStringLiteral(
                   "The server at 127.0.0.1 port %1 accepted the connection but did not greet within 3 "
                   "seconds. Check the server name, the port and the SSL setting.")
            << TimeoutSeconds << false;
        QTest::newRow("stall after greeting")
            << Failure::StallAfterGreeting << QStringLiteral("The server did not answer within 3 seconds.")
            << TimeoutSeconds << false;
        QTest::newRow("stall in STARTTLS")
            << Failure::StallInStartTls
            << QStringLiteral("The server did not set up the secure connection (STARTTLS) within 3 seconds. "
                              "Check the port and the SSL setting.")
            << TimeoutSeconds << false;
        QTest::newRow("stall in the TLS handshake on 465")
            << Failure::StallInImplicitTls
            << QStringLiteral(
                   "The server at 127.0.0.1 port 465 accepted the connection but did not set up the "
                   "secure connection within 3 seconds. Check the port and the SSL setting.")
            << TimeoutSeconds << false;
        QTest::newRow("stall after the final dot")
            << Failure::StallAfterTheDot
            << QStringLiteral(
                   "The server received the whole message but did not confirm it within 3 seconds. ") +
                   mayHaveBeenDelivered
            << TimeoutSeconds << true;
        QTest::newRow("drop after the final dot")
            << Failure::DropAfterTheDot
            << QStringLiteral("The server received the whole message but closed the connection without "
                              "confirming it. ") +
                   mayHaveBeenDelivered
            << 0 << true;
        QTest::newRow("552 to the message")
            << Failure::TooLarge
            << QStringLiteral(
                   "The server refused the message of %size as too large: 552 5.3.4 Message size exceeds "
                   "fixed maximum message size. Send fewer or smaller attachments.")
            << 0 << false;
        QTest::newRow("530 STARTTLS required")
            << Failure::WantsStartTls
            << QStringLiteral(
                   "The server accepts mail only over a secure connection: turn on SSL in the server "
                   "settings. (530 Must issue a STARTTLS command first)")
            << 0 << false;
        QTest::newRow("530 to the sender, login required")
            << Failure::WantsLogin
            << QStringLiteral(
                   "The server wants a login before it takes mail, and it offered no way to log in "
                   "on this connection: check the port and the SSL setting. (530 5.7.0 "
                   "Authentication required)")
            << 0 << false;
    }
    void eachFailureSaysWhatHappenedWithinTheTimeItNames()
    {
        QFETCH(Failure, failure);
        QFETCH(QString, expected);
        QFETCH(int, namedSeconds);
        QFETCH(bool, delivered);

        SmtpTestServer::Options options;
        options.silent = failure == Failure::StallBeforeGreeting || failure == Failure::StallInImplicitTls;
        options.stallAfterGreeting = failure == Failure::StallAfterGreeting;
        options.stallInStartTls = failure == Failure::StallInStartTls;
        options.dataDelaySeconds = failure == Failure::StallAfterTheDot ? 600 : 0;
        options.dropAfterData = failure == Failure::DropAfterTheDot;
        if (failure == Failure::TooLarge)
            options.dataReply = QStringLiteral("552 5.3.4 Message size exceeds fixed maximum message size");
        options.requireStartTls = failure == Failure::WantsStartTls;
        options.hideAuth = failure == Failure::WantsLogin;
        if (failure == Failure::StallInImplicitTls)
            options.port = 465;
        SmtpTestServer server(options);
        if (!server.isRunning() && options.port != 0 && server.errorText().contains(QLatin1String("in use")))
            QSKIP(qPrintable(QStringLiteral("port 465 is busy: %1").arg(server.errorText())));
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));

        SmtpMailMessage::Options timeouts = testServerOptions();
        timeouts.connectTimeoutSeconds = TimeoutSeconds;
        timeouts.stallTimeoutSeconds = TimeoutSeconds;
        const auto sent = testMessage(server.port(), timeouts);
        SmtpMailMessage& message = *sent;
        message.setUseSSL(failure == Failure::StallInStartTls || failure == Failure::StallInImplicitTls);

        QElapsedTimer clock;
        clock.start();
        QString shown;
        try {
            message.send();
        } catch (const RuntimeError& error) {
            shown = error.description();
        }
        const qint64 waited = clock.elapsed();
        qInfo("%s | %.1f s | %s", QTest::currentDataTag(), waited / 1000.0, qPrintable(shown));

        if (expected.contains(QLatin1String("%size"))) {
            // The size varies with the date and message id; what matters is that it is named.
            const QStringList around = expected.split(QStringLiteral("%size"));
            const QRegularExpression pattern(QLatin1Char('^') + QRegularExpression::escape(around[0]) +
                                             QStringLiteral("[1-9][0-9]* bytes") +
                                             QRegularExpression::escape(around[1]) + QLatin1Char('$'));
            QVERIFY2(pattern.match(shown).hasMatch(), qPrintable(shown));
        } else {
            QCOMPARE(shown, expected.contains(QLatin1String("%1")) ? expected.arg(server.port()) : expected);
        }
        QVERIFY2(waited <= (namedSeconds + 2) * 1000, qPrintable(QStringLiteral("waited %1 ms").arg(waited)));
        QCOMPARE(server.receivedMessages().size(), delivered ? 1 : 0);
    }
};

VELLUM_TEST_MAIN(TestSmtpFailures)
#include "TestSmtpFailures.moc"
