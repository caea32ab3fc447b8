#include "ComposerFixture.h"
#include "TestServerComponents.h"
#include "send/frmSubject.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QWindow>

namespace
{

// Answers every modal dialog from inside its own event loop, as a person
// would, and keeps what each one showed.
class DialogAnswerer
{
public:
    // Called with each new dialog; leaves it as the user would.
    std::function<void(QWidget*)> answer = [](QWidget* dialog) {
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
            QAbstractButton* cancel = box->button(QMessageBox::Cancel);
            (cancel ? cancel : box->buttons().first())->click();
        } else if (auto* prompt = qobject_cast<frmSubject*>(dialog)) {
            QTest::keyClicks(prompt->txtSubject, QStringLiteral("Typed in the prompt"));
            QTest::keyClick(prompt->txtSubject, Qt::Key_Return);
        }
    };
    QStringList seen;

    DialogAnswerer()
    {
        QObject::connect(&m_poll, &QTimer::timeout, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || dialog == m_current)
                return;
            m_current = dialog;
            auto* box = qobject_cast<QMessageBox*>(dialog);
            seen << (box ? box->text() : QString::fromLatin1(dialog->metaObject()->className()));
            answer(dialog);
        });
        m_poll.start(10);
    }

private:
    QTimer m_poll;
    QPointer<QWidget> m_current;
};

// Presses a key as the keyboard does: through the window system to whichever
// control has the focus, and from there as Qt passes it on.
void pressKey(ComposerFixture& composer, QWidget* focus, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    focus->setFocus(Qt::OtherFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), focus);
    QTest::keyClick(composer.window->windowHandle(), key, modifiers);
}

} // namespace

class TestKeyDispatch : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<SmtpTestServer> server;

    void fill(ComposerFixture& composer, int option, const QString& subject)
    {
        fillForTestServer(composer, *server, subject);
        for (int clicks = 0; clicks < option; ++clicks)
            composer.button("cmdSendHotkeyOption")->click();
    }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        // Real boxes: their own event loops take the focus from the window.
        MessageBox::setScripted(false);
        ComponentFactory::install(std::make_unique<TestServerComponents>());
    }
    void cleanup()
    {
        MessageBox::setScripted(true);
        server.reset();
        environment.reset();
    }

    void eachSendKeyActsOnceWhateverItsSendShows_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("messages");
        QTest::addColumn<QStringList>("dialogs");

        const QString prompt = QStringLiteral("frmSubject");
        const QString copyFailed =
            QStringLiteral("Can't write file. Local copy of this message was not saved.");
        const QString sendFailed = QStringLiteral("Can't send mail.");
        const struct {
            const char* name;
            int option;
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* focus;
        } keys[] = {
            {"Ctrl+Enter", 0, Qt::Key_Return, Qt::ControlModifier, "txtMessage"},
            {"Enter", 1, Qt::Key_Return, Qt::NoModifier, "txtTo"},
            {"F5", 2, Qt::Key_F5, Qt::NoModifier, "txtTo"},
            {"F12", 3, Qt::Key_F12, Qt::NoModifier, "txtSubject"},
        };
        for (const auto& k : keys) {
            const auto row = [&](const char* what) -> QTestData& {
                return QTest::addRow("%s, %s", k.name, what)
                       << k.option << int(k.key) << int(k.modifiers) << QString::fromLatin1(k.focus);
            };
            row("blank subject asked for") << "prompt" << 1 << QStringList{prompt};
            row("local copy fails, Cancel") << "copy fails" << 1 << QStringList{copyFailed};
            row("server refuses") << "refused" << 0 << QStringList{sendFailed};
        }
    }
    void eachSendKeyActsOnceWhateverItsSendShows()
    {
        QFETCH(int, option);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, focus);
        QFETCH(QString, after);
        QFETCH(int, messages);
        QFETCH(QStringList, dialogs);

        SmtpTestServer::Options serverOptions;
        if (after == QLatin1String("refused"))
            serverOptions.refuseRecipient = QStringLiteral("anna@example.org");
        server = std::make_unique<SmtpTestServer>(serverOptions);
        QVERIFY2(server->isRunning(), qPrintable(server->errorText()));

        DialogAnswerer answerer;
        if (after == QLatin1String("copy fails")) {
            // A plain file where the data folder should be; it is back once the report is answered,
            // so the histories can be saved at the close.
            QDir(environment->dataFolder()).removeRecursively();
            QFile blocker(environment->dataFolder());
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            blocker.close();
            answerer.answer = [this, defaultAnswer = answerer.answer](QWidget* dialog) {
                QFile::remove(environment->dataFolder());
                QDir().mkpath(environment->dataFolder());
                defaultAnswer(dialog);
            };
        }

        ComposerFixture composer;
        fill(composer, option, after == QLatin1String("prompt") ? QString() : QStringLiteral("Report"));
        pressKey(composer, composer.control(focus.toLatin1().constData()), Qt::Key(key),
                 Qt::KeyboardModifiers(modifiers));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();

        QCOMPARE(server->receivedMessages().size(), messages);
        QCOMPARE(answerer.seen.size(), dialogs.size());
        for (int i = 0; i < dialogs.size(); ++i)
            QVERIFY2(answerer.seen.at(i).contains(dialogs.at(i)), qPrintable(answerer.seen.at(i)));
    }

    // The busy pointer is the composer's: the prompt and the report, which
    // wait for the user, show their usual pointer.
    void busyPointerStaysOnTheComposer()
    {
        SmtpTestServer::Options serverOptions;
        serverOptions.refuseRecipient = QStringLiteral("anna@example.org");
        server = std::make_unique<SmtpTestServer>(serverOptions);
        QVERIFY2(server->isRunning(), qPrintable(server->errorText()));
        DialogAnswerer answerer;
        QList<bool> dialogPointerBusy;
        QList<bool> composerPointerBusy;
        ComposerFixture composer;
        answerer.answer = [&, defaultAnswer = answerer.answer](QWidget* dialog) {
            dialogPointerBusy << (QApplication::overrideCursor() ||
                                  dialog->cursor().shape() == Qt::WaitCursor);
            composerPointerBusy << (composer.window->cursor().shape() == Qt::WaitCursor);
            defaultAnswer(dialog);
        };
        fill(composer, 0, QString());
        composer.button("cmdSend")->click();

        QCOMPARE(answerer.seen.size(), 2); // the prompt, then the report
        QCOMPARE(dialogPointerBusy, (QList<bool>{false, false}));
        QCOMPARE(composerPointerBusy, (QList<bool>{true, true}));
        QCOMPARE(composer.window->cursor().shape(), Qt::ArrowCursor);
    }

    void shiftF1ShowsOneAboutBox_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("recipient") << "txtTo";
        QTest::newRow("message body") << "txtMessage";
        QTest::newRow("a button") << "cmdAttachments";
    }
    void shiftF1ShowsOneAboutBox()
    {
        QFETCH(QString, focus);
        DialogAnswerer answerer;
        ComposerFixture composer;
        pressKey(composer, composer.control(focus.toLatin1().constData()), Qt::Key_F1, Qt::ShiftModifier);
        QCoreApplication::processEvents();
        QCOMPARE(answerer.seen.size(), 1);
        QVERIFY2(answerer.seen.first().contains(QStringLiteral("Велара")), qPrintable(answerer.seen.first()));
        QVERIFY(composer.window->isVisible());
    }
};

VELLUM_TEST_MAIN(TestKeyDispatch)
#include "TestKeyDispatch.moc"
