#include "TestEnvironment.h"
#include "app/CommandLine.h"
#include "app/modMain.h"
#include "platform/storage/DraftFile.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QWidget>

// The command line as the desktop passes it: a mail link reaches the three
// boxes of the composer, everything else is answered without a window.
class TestCommandLine : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

    static QWidget* composer()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->objectName() == QLatin1String("frmMain"))
                return widget;
        }
        return nullptr;
    }
    static QString text(const char* box)
    {
        QWidget* window = composer();
        if (auto* line = window->findChild<QLineEdit*>(QLatin1String(box)))
            return line->text();
        return window->findChild<QPlainTextEdit*>(QLatin1String(box))->toPlainText();
    }
    void storeRecipient(const QString& recipient)
    {
        QSettings(environment->settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Mails/To"), recipient);
    }
    // Starts the program as main() does for these arguments.
    void start(const QStringList& arguments)
    {
        const CommandLine commandLine = CommandLine::parse(arguments);
        QCOMPARE(commandLine.action, CommandLine::Compose);
        modMain::Main(commandLine.mailto);
        QVERIFY(composer());
    }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        modMain::DataFolder.clear();
        storeRecipient(QStringLiteral("last@run.example"));
    }
    void cleanup()
    {
        // Closing saves, as the user's close would; the private store goes with the environment.
        while (QWidget* window = composer())
            window->close();
        environment.reset();
    }

    void mailtoFillsTheBoxes_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("body");

        QTest::newRow("several recipients") << "mailto:a@x.org,b@y.org"
                                            << "a@x.org, b@y.org"
                                            << ""
                                            << "";
        QTest::newRow("subject and body") << "mailto:a@x.org?subject=Hello%20there&body=See%20you"
                                          << "a@x.org"
                                          << "Hello there"
                                          << "See you";
        QTest::newRow("UTF-8 and line breaks")
            << "mailto:a@x.org?subject=Gr%C3%BC%C3%9Fe%20%D0%92%D0%B5%D0%BB%D0%B0%D1%80%D0%B0"
               "&body=Line%201%0D%0ALine%202%0ALine%203%0D"
            << "a@x.org" << QStringLiteral("Grüße Велара") << "Line 1\nLine 2\nLine 3\n";
        QTest::newRow("attach ignored")
            << "mailto:a@x.org?attach=/etc/passwd&attachment=file:///root/.ssh/id_rsa&Attach=%2Fetc&body=hi"
            << "a@x.org"
            << ""
            << "hi";
        QTest::newRow("to and cc join the recipient line")
            << "mailto:a@x.org?cc=c@z.org&to=b@y.org,d@w.org&CC=e@v.org"
            << "a@x.org, c@z.org, b@y.org, d@w.org, e@v.org"
            << ""
            << "";
        QTest::newRow("recipients only in to") << "mailto:?to=b@y.org"
                                               << "b@y.org"
                                               << ""
                                               << "";
        QTest::newRow("same address once") << "mailto:a@x.org?cc=A@X.org&to=a@x.org"
                                           << "a@x.org"
                                           << ""
                                           << "";
        QTest::newRow("unknown headers and bcc ignored")
            << "mailto:a@x.org?bcc=hidden@evil.example&in-reply-to=%3C1@x%3E&X-Mailer=spoof&keywords=k"
            << "a@x.org"
            << ""
            << "";
        QTest::newRow("no header break in the subject")
            << "mailto:a@x.org?subject=Hi%0D%0ABcc:%20hidden@evil.example"
            << "a@x.org"
            << "Hi Bcc: hidden@evil.example"
            << "";
        QTest::newRow("no line break in the recipients") << "mailto:a@x.org%0D%0ABcc:%20hidden@evil.example"
                                                         << "a@x.org Bcc: hidden@evil.example"
                                                         << ""
                                                         << "";
        QTest::newRow("plus is a plus") << "mailto:user+tag@x.org?subject=1+1"
                                        << "user+tag@x.org"
                                        << "1+1"
                                        << "";
        QTest::newRow("malformed escapes stay as written") << "mailto:a@x.org?subject=100%&body=%zz%4"
                                                           << "a@x.org"
                                                           << "100%"
                                                           << "%zz%4";
        QTest::newRow("bytes that are not UTF-8") << "mailto:a@x.org?subject=caf%E9"
                                                  << "a@x.org" << QStringLiteral("caf\uFFFD") << "";
        QTest::newRow("control characters dropped") << "mailto:a@x.org?body=a%00b%1Bc%09d"
                                                    << "a@x.org"
                                                    << ""
                                                    << "abc\td";
        QTest::newRow("fields without value, empty fields, fragment") << "mailto:a@x.org?subject&&body=b#frag"
                                                                      << "a@x.org"
                                                                      << ""
                                                                      << "b";
        QTest::newRow("first subject and body count")
            << "mailto:a@x.org?subject=one&subject=two&body=x&body=y"
            << "a@x.org"
            << "one"
            << "x";
        QTest::newRow("scheme and field names in any case") << "MAILTO:a@x.org?SUBJECT=Hi&Body=text"
                                                            << "a@x.org"
                                                            << "Hi"
                                                            << "text";
        QTest::newRow("blanks and empty pieces") << "mailto:%20a@x.org%20,,b@y.org,"
                                                 << "a@x.org, b@y.org"
                                                 << ""
                                                 << "";
        // A link without recipient must not leave last run's recipient in
        // the box: the message would go to someone the link never named.
        QTest::newRow("empty URL") << "mailto:"
                                   << ""
                                   << ""
                                   << "";
        QTest::newRow("only a subject") << "mailto:?subject=Hi"
                                        << ""
                                        << "Hi"
                                        << "";
    }
    void mailtoFillsTheBoxes()
    {
        QFETCH(QString, url);
        QFETCH(QString, to);
        QFETCH(QString, subject);
        QFETCH(QString, body);
        start({url});
        QCOMPARE(text("txtTo"), to);
        QCOMPARE(text("txtSubject"), subject);
        QCOMPARE(text("txtMessage"), body);
    }

    void aMailLinkLeavesADraftLeftBehindForAStartWithoutOne()
    {
        const QString left =
            environment->dataFolder() + QStringLiteral("/Draft 2026-01-01 00-00-00-000 4242.json");
        QFile file(left);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(DraftFile::toBytes({QStringLiteral("anna@example.org"),
                                       QStringLiteral("Left"),
                                       QStringLiteral("Left body"),
                                       {},
                                       0,
                                       QString()}));
        file.close();
        start({QStringLiteral("mailto:b@y.org?body=From%20the%20link")});
        QCOMPARE(text("txtMessage"), QStringLiteral("From the link"));
        QVERIFY(QFileInfo::exists(left));
        composer()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        start({});
        QCOMPARE(text("txtMessage"), QStringLiteral("Left body"));
    }

    void withoutArgumentsTheLastRecipientStays()
    {
        start({});
        QCOMPARE(text("txtTo"), QStringLiteral("last@run.example"));
        QCOMPARE(text("txtSubject"), QString());
        QCOMPARE(text("txtMessage"), QString());
    }

    void theLinksRecipientIsKeptForTheNextRun()
    {
        start({QStringLiteral("mailto:new@x.org")});
        composer()->close();
        start({});
        QCOMPARE(text("txtTo"), QStringLiteral("new@x.org"));
    }

    void otherArgumentsAreAnsweredWithoutAWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("misused");

        QTest::newRow("help") << QStringList{"--help"} << int(CommandLine::ShowHelp) << "";
        QTest::newRow("version") << QStringList{"--version"} << int(CommandLine::ShowVersion) << "";
        QTest::newRow("unknown option")
            << QStringList{"--compose"} << int(CommandLine::Misused) << "--compose";
        QTest::newRow("a file") << QStringList{"/etc/passwd"} << int(CommandLine::Misused) << "/etc/passwd";
        QTest::newRow("an empty argument") << QStringList{""} << int(CommandLine::Misused) << "";
        QTest::newRow("another scheme")
            << QStringList{"https://x.org"} << int(CommandLine::Misused) << "https://x.org";
        QTest::newRow("two links") << QStringList{"mailto:a@x.org", "mailto:b@y.org"}
                                   << int(CommandLine::Misused) << "mailto:b@y.org";
        QTest::newRow("help and more") << QStringList{"--help", "x"} << int(CommandLine::Misused) << "x";
    }
    void otherArgumentsAreAnsweredWithoutAWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(QString, misused);
        const CommandLine commandLine = CommandLine::parse(arguments);
        QCOMPARE(int(commandLine.action), action);
        QCOMPARE(commandLine.misusedArgument, misused);
        QVERIFY(!commandLine.mailto);
        QCOMPARE(commandLine.answer(), action == CommandLine::Misused ? 2 : 0);
        QVERIFY(!composer());
    }

    void versionNamesTheProgram()
    {
        QCOMPARE(CommandLine::versionText(), QStringLiteral("Kestrel - Vellum 1.02.0018\n"));
        QVERIFY(CommandLine::helpText().startsWith(QLatin1String("Usage: vellum [mailto:URL]\n")));
    }
};

VELLUM_TEST_MAIN(TestCommandLine)
#include "TestCommandLine.moc"
