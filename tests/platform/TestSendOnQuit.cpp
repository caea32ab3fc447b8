#include "SmtpTestServer.h"
#include "TestEnvironment.h"
#include "TestMessages.h"

#include <QTimer>

// Its own program: once the application has been asked to quit, no event
// loop of the process runs again.
class TestSendOnQuit : public QObject
{
    Q_OBJECT

private slots:
    // The last-resort handler quits the application while a send may run:
    // the transfer stops then, rather than when the server gives up.
    void quittingStopsTheSendAtOnce()
    {
        TestEnvironment environment;
        SmtpTestServer::Options serverOptions;
        serverOptions.stallAfterGreeting = true;
        SmtpTestServer server(serverOptions);
        QVERIFY2(server.isRunning(), qPrintable(server.errorText()));
        SmtpMailMessage::Options options = testServerOptions();
        options.connectTimeoutSeconds = 30;
        options.stallTimeoutSeconds = 30;
        const auto message = testMessage(server.port(), options);

        QTimer::singleShot(500, QCoreApplication::instance(), [] { QCoreApplication::exit(1); });
        QCOMPARE(sendFailure(*message),
                 QStringLiteral("The send was stopped because the program is closing."));
    }
};

VELLUM_TEST_MAIN(TestSendOnQuit)
#include "TestSendOnQuit.moc"
