#include "ComposerFixture.h"
#include "TestServerComponents.h"

#include <QClipboard>
#include <QJsonObject>

namespace
{

// Pastes as the user does, so the box applies whatever limit it has.
void paste(QLineEdit* box, const QString& text)
{
    QApplication::clipboard()->setText(text);
    box->clear();
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// A list of about 33,000 characters whose last address straddles the old
// limit of 32,767: cut there, it would read "bob@example.co".
QStringList longRecipientList()
{
    const QString cut = QStringLiteral("bob@example.co");
    QStringList recipients;
    // What is left for one more address before ", bob@example.co" reaches the limit.
    const auto room = [&] {
        return 32767 - (recipients.isEmpty() ? 0 : recipients.join(QStringLiteral(", ")).size() + 2) - 2 -
               cut.size();
    };
    while (room() > 75)
        recipients << QString(40, QLatin1Char('r')) + QString::number(recipients.size()) +
                          QStringLiteral("@example.org");
    recipients << QString(room() - 12, QLatin1Char('p')) + QStringLiteral("@example.org");
    recipients << cut + QStringLiteral(".uk");
    return recipients;
}

} // namespace

class TestTypedText : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<SmtpTestServer> server;

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        ComponentFactory::install(std::make_unique<TestServerComponents>());
        server = std::make_unique<SmtpTestServer>();
        QVERIFY2(server->isRunning(), qPrintable(server->errorText()));
    }
    void cleanup()
    {
        server.reset();
        environment.reset();
    }

    void whatStandsInTheBoxIsSentOrRefused_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("refusal");

        QTest::newRow("recipient list past 32,767 characters")
            << "txtTo" << longRecipientList().join(QStringLiteral(", ")) << QString();
        QTest::newRow("subject of 100,000 characters")
            << "txtSubject" << QStringLiteral("Quarterly figures ").repeated(5556) + QStringLiteral("end")
            << QString();
        QTest::newRow("NUL in the recipient")
            << "txtTo" << QStringLiteral("good@example.org, ") + QChar(0) + QStringLiteral("evil@example.org")
            << "contains a control character";
        QTest::newRow("NUL in the subject")
            << "txtSubject" << QStringLiteral("before") + QChar(0) + "after"
            << "The subject contains a NUL character, which a mail header can't hold.";
    }
    void whatStandsInTheBoxIsSentOrRefused()
    {
        QFETCH(QString, box);
        QFETCH(QString, pasted);
        QFETCH(QString, refusal);
        ComposerFixture composer;
        fillForTestServer(composer, *server);
        QLineEdit* edit = composer.control<QLineEdit>(box.toLatin1().constData());
        paste(edit, pasted);
        QCOMPARE(edit->text(), pasted);

        composer.button("cmdSend")->click();
        QCoreApplication::sendPostedEvents();

        if (!refusal.isEmpty()) {
            QVERIFY(server->receivedMessages().isEmpty());
            QCOMPARE(MessageBox::shown().size(), 1);
            QVERIFY2(MessageBox::shown().first().text.startsWith(QStringLiteral("Can't send mail.\r\n\r\n")),
                     qPrintable(MessageBox::shown().first().text));
            QVERIFY2(MessageBox::shown().first().text.contains(refusal),
                     qPrintable(MessageBox::shown().first().text));
            return;
        }
        QCOMPARE(server->receivedMessages().size(), 1);
        const SmtpTestServer::Received received = server->receivedMessages().first();
        if (box == QLatin1String("txtTo")) {
            QCOMPARE(received.recipients, longRecipientList());
        } else {
            const QJsonObject parsed = SmtpTestServer::parseMessage(received.raw);
            QCOMPARE(SmtpTestServer::header(parsed, QStringLiteral("Subject")), pasted);
        }
    }
};

VELLUM_TEST_MAIN(TestTypedText)
#include "TestTypedText.moc"
