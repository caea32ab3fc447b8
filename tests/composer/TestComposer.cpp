#include "ComposerFixture.h"
#include "attachments/frmAttachments.h"
#include "composer/MailSettings.h"
#include "platform/ApplicationIdentity.h"
#include "platform/ComponentFactory.h"
#include "platform/HistoryPopup.h"
#include "platform/RuntimeError.h"
#include "platform/storage/FileHistoryList.h"
#include "platform/storage/IniSettingsStore.h"
#include "settings/frmSettings.h"

#include <QLabel>
#include <QListWidget>
#include <QSettings>

namespace
{

// A history list whose pick fails, as a broken component would.
class FailingPickHistoryList : public FileHistoryList
{
public:
    void pick(QLineEdit*) override { throw RuntimeError(440, QStringLiteral("history component failed")); }
};

class FailingPickFactory : public ComponentFactory
{
public:
    std::unique_ptr<HistoryList> createHistoryList() override
    {
        return std::make_unique<FailingPickHistoryList>();
    }
};

class FailingOpenFactory : public ComponentFactory
{
public:
    std::unique_ptr<HistoryList> createHistoryList() override
    {
        throw RuntimeError(429, QStringLiteral("Can't create the history component"));
    }
};

QVariant storedValue(const TestEnvironment& environment, const QString& key)
{
    return QSettings(environment.settingsFile(), QSettings::IniFormat).value(key);
}

void storeValue(const TestEnvironment& environment, const QString& key, const QVariant& value)
{
    IniSettingsStore store;
    QSettings(environment.settingsFile(), QSettings::IniFormat).setValue(key, value);
}

} // namespace

class TestComposer : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("lblTag0") << "lblTag0"
                                 << "QLabel"
                                 << "To:"
                                 << "" << QRect(12, 11, 19, 14);
        QTest::newRow("txtTo") << "txtTo"
                               << "QLineEdit"
                               << ""
                               << "" << QRect(84, 8, 265, 25);
        QTest::newRow("cmdToHistory") << "cmdToHistory"
                                      << "QPushButton"
                                      << "H!"
                                      << " History " << QRect(352, 8, 25, 25);
        QTest::newRow("lblTag1") << "lblTag1"
                                 << "QLabel"
                                 << "Subject:"
                                 << "" << QRect(12, 43, 46, 14);
        QTest::newRow("txtSubject") << "txtSubject"
                                    << "QLineEdit"
                                    << ""
                                    << "" << QRect(84, 40, 265, 25);
        QTest::newRow("cmdSubjectHistory") << "cmdSubjectHistory"
                                           << "QPushButton"
                                           << "H!"
                                           << " History " << QRect(352, 40, 25, 25);
        QTest::newRow("txtMessage") << "txtMessage"
                                    << "QPlainTextEdit"
                                    << ""
                                    << "" << QRect(8, 72, 369, 177);
        QTest::newRow("cmdSendHotkeyOption")
            << "cmdSendHotkeyOption"
            << "QPushButton"
            << "Ctrl+Enter"
            << " Ctrl+Enter sends the message; click to choose another key " << QRect(8, 256, 81, 29);
        QTest::newRow("cmdServerSettings") << "cmdServerSettings"
                                           << "QPushButton"
                                           << "S!"
                                           << " Open server settings dialog " << QRect(132, 256, 29, 29);
        QTest::newRow("cmdOpenDataPath") << "cmdOpenDataPath"
                                         << "QPushButton"
                                         << "D!"
                                         << " Open data folder " << QRect(168, 256, 29, 29);
        QTest::newRow("cmdAttachments") << "cmdAttachments"
                                        << "QPushButton"
                                        << "A! [0]"
                                        << " Attach files " << QRect(204, 256, 65, 29);
        QTest::newRow("cmdSend") << "cmdSend"
                                 << "QPushButton"
                                 << "Send"
                                 << " Send the message " << QRect(276, 256, 101, 29);
        QTest::newRow("ucaSending") << "ucaSending"
                                    << ""
                                    << ""
                                    << "" << QRect(60, 92, 209, 53);
        QTest::newRow("shpBack") << "shpBack"
                                 << "QFrame"
                                 << ""
                                 << "" << QRect(-40, -48, 149, 409);
    }
    // Every button says what it does; the send-key button follows the key.
    void everyButtonHasAToolTip()
    {
        ComposerFixture composer;
        for (QPushButton* button : composer.window->findChildren<QPushButton*>())
            QVERIFY2(!button->toolTip().trimmed().isEmpty(), qPrintable(button->objectName()));
        composer.button("cmdSendHotkeyOption")->click();
        QCOMPARE(composer.button("cmdSendHotkeyOption")->toolTip(),
                 QStringLiteral(" Enter sends the message; click to choose another key "));
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        QFETCH(QRect, geometry);
        ComposerFixture composer;
        QWidget* control = composer.control(name.toLatin1().constData());
        if (!kind.isEmpty())
            QCOMPARE(QString::fromLatin1(control->metaObject()->className()), kind);
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            QCOMPARE(button->text(), caption);
        if (auto* label = qobject_cast<QLabel*>(control))
            QCOMPARE(label->text(), caption);
        QCOMPARE(control->toolTip(), toolTip);
        if (qobject_cast<QLabel*>(control)) {
            // A caption may grow to the right when the font is wider than designed.
            QCOMPARE(control->geometry().topLeft(), geometry.topLeft());
            QCOMPARE(control->height(), geometry.height());
            QVERIFY(control->width() >= geometry.width());
        } else {
            QCOMPARE(control->geometry(), geometry);
        }
        QCOMPARE(control->font().pointSize(), 9);
    }

    void window()
    {
        ComposerFixture composer;
        QCOMPARE(composer.window->windowTitle(), QStringLiteral("Vellum"));
        QCOMPARE(composer.window->size(), QSize(385, 293));
        QCOMPARE(composer.window->minimumSize(), composer.window->maximumSize());
        QVERIFY(composer.window->windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(composer.window->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!composer.window->windowIcon().isNull());
        QVERIFY(!composer.control("ucaSending")->isVisible());
        QCOMPARE(QApplication::focusWidget(), composer.txtMessage());
    }

    void tabOrder()
    {
        ComposerFixture composer;
        const QStringList expected = {"txtTo",
                                      "cmdToHistory",
                                      "txtSubject",
                                      "cmdSubjectHistory",
                                      "txtMessage",
                                      "cmdSendHotkeyOption",
                                      "cmdServerSettings",
                                      "cmdOpenDataPath",
                                      "cmdAttachments",
                                      "cmdSend",
                                      "txtTo"};
        composer.txtTo()->setFocus();
        for (const QString& name : expected.mid(1)) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void textBoxesSelectTheirTextOnFocus()
    {
        ComposerFixture composer;
        composer.txtTo()->setText(QStringLiteral("someone@example.org"));
        composer.txtSubject()->setText(QStringLiteral("Hello"));
        composer.txtMessage()->setPlainText(QStringLiteral("body"));
        QTest::keyClick(composer.txtMessage(), Qt::Key_F2);
        QCOMPARE(composer.txtSubject()->selectedText(), QStringLiteral("Hello"));
        QTest::mouseClick(composer.txtTo(), Qt::LeftButton);
        QCOMPARE(composer.txtTo()->selectedText(), QStringLiteral("someone@example.org"));
        // A later click places the cursor as usual.
        QTest::mouseClick(composer.txtTo(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!composer.txtTo()->hasSelectedText());
        // Focus by keyboard selects too, and the first click afterwards still places the cursor.
        QTest::keyClick(composer.txtTo(), Qt::Key_F2);
        QCOMPARE(composer.txtSubject()->selectedText(), QStringLiteral("Hello"));
        QTest::mouseClick(composer.txtSubject(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!composer.txtSubject()->hasSelectedText());
        composer.txtMessage()->setFocus();
        QVERIFY(!composer.txtMessage()->textCursor().hasSelection());
    }

    void keys()
    {
        ComposerFixture composer;
        composer.txtMessage()->setPlainText(QStringLiteral("body"));

        // F2 three times from the recipient box: subject, body, subject.
        composer.txtTo()->setFocus();
        for (const char* expected : {"txtSubject", "txtMessage", "txtSubject"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_F2);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(expected));
        }

        // Shift+F1 shows the about box, F1 alone does not.
        QTest::keyClick(composer.txtTo(), Qt::Key_F1);
        QVERIFY(MessageBox::shown().isEmpty());
        QTest::keyClick(composer.txtTo(), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::shown().first().text.contains(QStringLiteral("Велара")));

        // Ctrl+A in the body selects all and types nothing; Ctrl+Shift+A is no select-all.
        composer.txtMessage()->setFocus();
        QTest::keyClick(composer.txtMessage(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(composer.txtMessage()->textCursor().selectedText(), QStringLiteral("body"));
        QCOMPARE(composer.txtMessage()->toPlainText(), QStringLiteral("body"));
        composer.txtMessage()->moveCursor(QTextCursor::End);
        QTest::keyClick(composer.txtMessage(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(composer.txtMessage()->textCursor().selectedText() != QStringLiteral("body"));

        // Ctrl+A in the recipient box is the box's own business.
        composer.txtTo()->setText(QStringLiteral("to"));
        composer.txtTo()->setFocus();
        composer.txtTo()->deselect();
        QTest::keyClick(composer.txtTo(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(composer.txtTo()->text(), QStringLiteral("to"));

        // Esc closes.
        QTest::keyClick(composer.txtTo(), Qt::Key_Escape);
        QVERIFY(!composer.window->isVisible());
    }

    void hotkeyOptionCyclesThroughItsCaptions()
    {
        ComposerFixture composer;
        QPushButton* option = composer.button("cmdSendHotkeyOption");
        QStringList captions;
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(option, Qt::LeftButton);
            captions << option->text();
        }
        QCOMPARE(captions, QStringList({"Enter", "F5", "F12", "Ctrl+Enter"}));
    }

    void sendKeys_data()
    {
        QTest::addColumn<int>("clicks"); // on the option button, from Ctrl+Enter
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("sends");
        const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
        QTest::newRow("F5 in To") << 2 << "txtTo" << int(Qt::Key_F5) << none << true;
        QTest::newRow("F5 in Subject") << 2 << "txtSubject" << int(Qt::Key_F5) << none << true;
        QTest::newRow("F5 in body") << 2 << "txtMessage" << int(Qt::Key_F5) << none << true;
        QTest::newRow("F5 on a button") << 2 << "cmdAttachments" << int(Qt::Key_F5) << none << true;
        QTest::newRow("Shift+F5") << 2 << "txtTo" << int(Qt::Key_F5) << shift << false;
        QTest::newRow("Ctrl+F5") << 2 << "txtTo" << int(Qt::Key_F5) << ctrl << false;
        QTest::newRow("F12 under F5") << 2 << "txtTo" << int(Qt::Key_F12) << none << false;
        QTest::newRow("F12 in body") << 3 << "txtMessage" << int(Qt::Key_F12) << none << true;
        QTest::newRow("F5 under F12") << 3 << "txtMessage" << int(Qt::Key_F5) << none << false;
        QTest::newRow("Ctrl+Enter in body") << 0 << "txtMessage" << int(Qt::Key_Return) << ctrl << true;
        QTest::newRow("Ctrl+Shift+Enter in body")
            << 0 << "txtMessage" << int(Qt::Key_Return) << (ctrl | shift) << false;
        QTest::newRow("Ctrl+Enter in Subject") << 0 << "txtSubject" << int(Qt::Key_Return) << ctrl << false;
        QTest::newRow("Enter in body under Ctrl+Enter")
            << 0 << "txtMessage" << int(Qt::Key_Return) << none << false;
        QTest::newRow("Ctrl+Enter in body under F5")
            << 2 << "txtMessage" << int(Qt::Key_Return) << ctrl << false;
        QTest::newRow("Enter in To") << 1 << "txtTo" << int(Qt::Key_Return) << none << true;
        QTest::newRow("Enter in body") << 1 << "txtMessage" << int(Qt::Key_Return) << none << true;
        QTest::newRow("Enter on another button")
            << 1 << "cmdToHistory" << int(Qt::Key_Return) << none << false;
        QTest::newRow("Enter in To under F5") << 2 << "txtTo" << int(Qt::Key_Return) << none << false;
    }
    void sendKeys()
    {
        QFETCH(int, clicks);
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, sends);
        ComposerFixture composer;
        for (int i = 0; i < clicks; ++i)
            composer.button("cmdSendHotkeyOption")->click();
        QCOMPARE(composer.button("cmdSend")->isDefault(), clicks == 1);
        composer.txtMessage()->setPlainText(QStringLiteral("line one\nline two"));
        composer.txtMessage()->moveCursor(QTextCursor::End);
        QWidget* target = composer.control(focus.toLatin1().constData());
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(ComposerFixture::sendAttempts(), sends ? 1 : 0);
        if (sends || key != Qt::Key_Return || focus != QLatin1String("txtMessage"))
            QCOMPARE(composer.txtMessage()->toPlainText(), QStringLiteral("line one\nline two"));
        else if (modifiers == Qt::NoModifier)
            QCOMPARE(composer.txtMessage()->toPlainText(), QStringLiteral("line one\nline two\n"));
    }

    void firstRunShowsTheDefaults()
    {
        ComposerFixture composer;
        QCOMPARE(composer.txtTo()->text(), QString());
        QCOMPARE(composer.button("cmdSendHotkeyOption")->text(), QStringLiteral("Ctrl+Enter"));
        QVERIFY(!composer.button("cmdSend")->isDefault());
        QCOMPARE(MailSettings::MailFrom, QString());
        QCOMPARE(MailSettings::UserName, QString());
        QCOMPARE(MailSettings::Password, QString());
        QCOMPARE(MailSettings::SMTPServer, QString());
        QCOMPARE(MailSettings::SMTPServerPort, 25);
        QCOMPARE(MailSettings::UseSSL, false);
        QCOMPARE(MailSettings::TempFilePrefix, false);
    }

    void settingsSurviveARestart()
    {
        {
            ComposerFixture composer;
            composer.txtTo()->setText(QStringLiteral("Иван <ivan@example.org>"));
            composer.button("cmdSendHotkeyOption")->click();
            MailSettings::MailFrom = QStringLiteral("me@example.org");
            MailSettings::UserName = QStringLiteral("me");
            MailSettings::Password = QStringLiteral("пароль");
            MailSettings::SMTPServer = QStringLiteral(" smtp.example.org ");
            MailSettings::SMTPServerPort = 587;
            MailSettings::UseSSL = true;
            MailSettings::TempFilePrefix = true;
            QVERIFY(composer.close());
        }
        const QString storedPassword =
            storedValue(*environment, QStringLiteral("Server settings/Password")).toString();
        QCOMPARE(storedPassword.size(), 24);
        QVERIFY(!storedPassword.contains(QStringLiteral("пароль")));
        QCOMPARE(storedValue(*environment, QStringLiteral("Send Hotkey Option")).toInt(), 1);
        QCOMPARE(storedValue(*environment, QStringLiteral("Temp File Prefix")).toBool(), true);
        QVERIFY(!storedValue(*environment, QStringLiteral("Mails/Send Hotkey Option")).isValid());

        MailSettings::MailFrom.clear();
        MailSettings::Password.clear();
        ComposerFixture second;
        QCOMPARE(second.txtTo()->text(), QStringLiteral("Иван <ivan@example.org>"));
        QCOMPARE(second.button("cmdSendHotkeyOption")->text(), QStringLiteral("Enter"));
        QVERIFY(second.button("cmdSend")->isDefault());
        QCOMPARE(MailSettings::MailFrom, QStringLiteral("me@example.org"));
        QCOMPARE(MailSettings::Password, QStringLiteral("пароль"));
        QCOMPARE(MailSettings::SMTPServer, QStringLiteral(" smtp.example.org "));
        QCOMPARE(MailSettings::SMTPServerPort, 587);
        QCOMPARE(MailSettings::UseSSL, true);
        QCOMPARE(MailSettings::TempFilePrefix, true);
    }

    // Another composer, in a process of its own, saved while this one was
    // open: what this one did not change stays as the other stored it.
    void aSecondComposerKeepsWhatTheFirstSaved()
    {
        ComposerFixture second;
        second.txtTo()->setText(QStringLiteral("second@example.org"));
        QDir().mkpath(QFileInfo(environment->settingsFile()).absolutePath());
        QFile first(environment->settingsFile());
        QVERIFY(first.open(QIODevice::WriteOnly));
        first.write("[Mails]\nTo=first@example.org\n\n[Server%20settings]\nSMTP%20server%20port=465\n");
        first.close();

        QVERIFY(second.close());
        QCOMPARE(storedValue(*environment, QStringLiteral("Server settings/SMTP server port")).toInt(), 465);
        QCOMPARE(storedValue(*environment, QStringLiteral("Mails/To")).toString(),
                 QStringLiteral("second@example.org"));
        // Values nobody stored are written as one window writes them.
        QCOMPARE(storedValue(*environment, QStringLiteral("Server settings/Use SSL")).toString(),
                 QStringLiteral("false"));
        QCOMPARE(storedValue(*environment, QStringLiteral("Send Hotkey Option")).toInt(), 0);
    }

    void storedValuesOutOfRange_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::newRow("option 7") << "Send Hotkey Option" << QVariant(7);
        QTest::newRow("option 9") << "Send Hotkey Option" << QVariant(9);
        QTest::newRow("option -1") << "Send Hotkey Option" << QVariant(-1);
        QTest::newRow("option letters") << "Send Hotkey Option" << QVariant(QStringLiteral("F5"));
        QTest::newRow("option under Mails") << "Mails/Send Hotkey Option" << QVariant(2);
        QTest::newRow("port letters")
            << "Server settings/SMTP server port" << QVariant(QStringLiteral("smtp"));
        QTest::newRow("prefix under Mails") << "Mails/Temp File Prefix" << QVariant(true);
        QTest::newRow("damaged password") << "Server settings/Password" << QVariant(QStringLiteral("9C4"));
    }
    void storedValuesOutOfRange()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        storeValue(*environment, key, stored);
        {
            ComposerFixture composer;
            QCOMPARE(composer.button("cmdSendHotkeyOption")->text(), QStringLiteral("Ctrl+Enter"));
            QCOMPARE(MailSettings::SMTPServerPort, 25);
            QCOMPARE(MailSettings::TempFilePrefix, false);
            QCOMPARE(MailSettings::Password, QString());
            QVERIFY(composer.close());
        }
        QCOMPARE(storedValue(*environment, QStringLiteral("Send Hotkey Option")).toInt(), 0);
    }

    void historiesAreOfferedAtTheNextStart()
    {
        {
            ComposerFixture composer;
            HistoryPopup::setNextChoice(0);
            composer.button("cmdToHistory")->click();
            QVERIFY(HistoryPopup::lastOffered().isEmpty());
            QVERIFY(composer.close());
        }
        FileHistoryList to;
        to.open(QStringLiteral("To History.DAT"), ApplicationIdentity::current());
        to.add(QStringLiteral("old@example.org"));
        to.add(QStringLiteral("new@example.org"));
        to.save();
        FileHistoryList subject;
        subject.open(QStringLiteral("Subject History.DAT"), ApplicationIdentity::current());
        subject.add(QStringLiteral("Отчёт"));
        subject.save();

        ComposerFixture composer;
        composer.txtTo()->setText(QStringLiteral("typed"));
        HistoryPopup::setNextChoice(1);
        composer.button("cmdToHistory")->click();
        QCOMPARE(HistoryPopup::lastOffered(), QStringList({"new@example.org", "old@example.org"}));
        QCOMPARE(composer.txtTo()->text(), QStringLiteral("old@example.org"));
        HistoryPopup::setNextChoice(0);
        composer.button("cmdSubjectHistory")->click();
        QCOMPARE(composer.txtSubject()->text(), QStringLiteral("Отчёт"));
    }

    void openDataFolder()
    {
        ComposerFixture composer;
        composer.button("cmdOpenDataPath")->click();
        QCOMPARE(environment->openedFolders(), QStringList{environment->dataFolder()});
        QVERIFY(MessageBox::shown().isEmpty());

        environment->setOpenFolderResult(false);
        composer.button("cmdOpenDataPath")->click();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text,
                 environment->dataFolder() + QStringLiteral("\r\n\r\nCan't open data folder."));
        QCOMPARE(MessageBox::shown().first().style, int(MessageBox::Critical));
        QVERIFY(composer.window->isVisible());
    }

    void attachmentButtonShowsTheCount()
    {
        ComposerFixture composer;
        composer.window->Attachments = {QStringLiteral("/tmp/a"), QStringLiteral("/tmp/b"),
                                        QStringLiteral("/tmp/c")};
        whenModalShown<frmAttachments>([](frmAttachments* dialog) { dialog->reject(); });
        composer.button("cmdAttachments")->click();
        QCOMPARE(composer.button("cmdAttachments")->text(), QStringLiteral("A! [3]"));

        whenModalShown<frmAttachments>([](frmAttachments* dialog) {
            auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstFileNames"));
            list->selectAll();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdRemove"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
        });
        composer.button("cmdAttachments")->click();
        QCOMPARE(composer.window->Attachments, QStringList());
        QCOMPARE(composer.button("cmdAttachments")->text(), QStringLiteral("A! [0]"));
    }

    void serverSettingsConfirmedInTheDialogSurviveARestart()
    {
        {
            ComposerFixture composer;
            whenModalShown<frmSettings>([](frmSettings* dialog) {
                dialog->findChild<QLineEdit*>(QStringLiteral("txtMailFrom"))
                    ->setText(QStringLiteral("me@example.org"));
                dialog->findChild<QLineEdit*>(QStringLiteral("txtSMTPServer"))
                    ->setText(QStringLiteral("smtp.example.org"));
                dialog->findChild<QLineEdit*>(QStringLiteral("txtSMTPServerPort"))
                    ->setText(QStringLiteral("587"));
                dialog->findChild<QLineEdit*>(QStringLiteral("txtPassword"))
                    ->setText(QStringLiteral("секрет"));
                dialog->findChild<QPushButton*>(QStringLiteral("cmdOk"))->click();
            });
            composer.button("cmdServerSettings")->click();
            QCOMPARE(MailSettings::SMTPServerPort, 587);
            QVERIFY(composer.close());
        }
        MailSettings::MailFrom.clear();
        MailSettings::Password.clear();
        ComposerFixture composer;
        QCOMPARE(MailSettings::MailFrom, QStringLiteral("me@example.org"));
        QCOMPARE(MailSettings::SMTPServer, QStringLiteral("smtp.example.org"));
        QCOMPARE(MailSettings::SMTPServerPort, 587);
        QCOMPARE(MailSettings::Password, QStringLiteral("секрет"));
    }

    void unexpectedFailureStillSavesWhatTheUserHad()
    {
        ComposerFixture::sendAttempts();
        ComponentFactory::install(std::make_unique<FailingPickFactory>());
        {
            ComposerFixture composer;
            composer.txtTo()->setText(QStringLiteral("kept@example.org"));
            QTest::mouseClick(composer.button("cmdToHistory"), Qt::LeftButton);
            QCOMPARE(LastResort::terminationCount(), 1);
            QVERIFY(MessageBox::shown().first().text.contains(QStringLiteral("history component failed")));
        }
        QCOMPARE(storedValue(*environment, QStringLiteral("Mails/To")).toString(),
                 QStringLiteral("kept@example.org"));
    }

    void failingLoadEndsTheProgramAndOverwritesNothing()
    {
        storeValue(*environment, QStringLiteral("Mails/To"), QStringLiteral("stored@example.org"));
        ComponentFactory::install(std::make_unique<FailingOpenFactory>());
        QVERIFY_THROWS_EXCEPTION(RuntimeError, frmMain());
        QCOMPARE(storedValue(*environment, QStringLiteral("Mails/To")).toString(),
                 QStringLiteral("stored@example.org"));
    }
};

VELLUM_TEST_MAIN(TestComposer)
#include "TestComposer.moc"
