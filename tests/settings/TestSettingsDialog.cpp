#include "TestEnvironment.h"
#include "composer/MailSettings.h"
#include "platform/Layout.h"
#include "platform/MessageBox.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{

struct Snapshot {
    QString mailFrom, userName, password, smtpServer;
    int port;
    bool useSSL, tempFilePrefix;

    static Snapshot current()
    {
        return {MailSettings::MailFrom,      MailSettings::UserName,       MailSettings::Password,
                MailSettings::SMTPServer,    MailSettings::SMTPServerPort, MailSettings::UseSSL,
                MailSettings::TempFilePrefix};
    }
    bool operator==(const Snapshot&) const = default;
};

enum Toggle { ByMouse, BySpace, ByProgram };

const QString invalidPort = QStringLiteral("Invalid SMTP server port value.");

} // namespace

class TestSettingsDialog : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<frmSettings> dialog;
    Snapshot before;

    void open()
    {
        before = Snapshot::current();
        dialog = std::make_unique<frmSettings>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    template <typename T> T* control(const QString& name) { return dialog->findChild<T*>(name); }

    void toggleSSL(Toggle how)
    {
        switch (how) {
        case ByMouse:
            QTest::mouseClick(dialog->chkUseSSL, Qt::LeftButton, {},
                              QPoint(8, dialog->chkUseSSL->height() / 2));
            break;
        case BySpace:
            dialog->chkUseSSL->setFocus();
            QTest::keyClick(dialog->chkUseSSL, Qt::Key_Space);
            break;
        case ByProgram:
            dialog->chkUseSSL->setChecked(!dialog->chkUseSSL->isChecked());
            break;
        }
    }

    void pressOk() { QTest::mouseClick(dialog->cmdOk, Qt::LeftButton); }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        MailSettings::MailFrom = QStringLiteral("me@example.org");
        MailSettings::UserName = QStringLiteral("me");
        MailSettings::Password = QStringLiteral("secret");
        MailSettings::SMTPServer = QStringLiteral("smtp.example.org");
        MailSettings::SMTPServerPort = 25;
        MailSettings::UseSSL = false;
        MailSettings::TempFilePrefix = false;
    }

    void cleanup()
    {
        dialog.reset();
        environment.reset();
    }

    void window()
    {
        open();
        QCOMPARE(dialog->objectName(), QStringLiteral("frmSettings"));
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Settings"));
        QVERIFY(dialog->isModal());
        QCOMPARE(dialog->size(), QSize(401, 305));
        QCOMPARE(dialog->minimumSize(), dialog->maximumSize());
        QVERIFY(!(dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(dialog->cmdOk->isDefault());
        QCOMPARE(QApplication::focusWidget(), dialog->txtMailFrom);
        QCOMPARE(dialog->txtMailFrom->selectedText(), MailSettings::MailFrom);
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void controls_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("geometry");
        auto row = [](const char* name, const char* kind, const QString& caption, const char* parent,
                      QRect rect) { QTest::newRow(name) << kind << caption << parent << rect; };
        row("fraMails", "QGroupBox", " Mails ", "frmSettings", QRect(8, 4, 385, 53));
        row("lblTag0", "QLabel", "Mail from:", "fraMails", QRect(12, 23, 52, 14));
        row("txtMailFrom", "QLineEdit", "", "fraMails", QRect(84, 20, 289, 21));
        row("fraServerSettings", "QGroupBox", " Server settings ", "frmSettings", QRect(8, 64, 385, 137));
        row("lblTag1", "QLabel", "User name:", "fraServerSettings", QRect(12, 23, 62, 14));
        row("txtUserName", "QLineEdit", "", "fraServerSettings", QRect(124, 20, 249, 21));
        row("lblTag2", "QLabel", "Password:", "fraServerSettings", QRect(12, 51, 55, 14));
        row("txtPassword", "QLineEdit", "", "fraServerSettings", QRect(124, 48, 249, 21));
        row("lblTag3", "QLabel", "SMTP server:", "fraServerSettings", QRect(12, 79, 72, 14));
        row("txtSMTPServer", "QLineEdit", "", "fraServerSettings", QRect(124, 76, 249, 21));
        row("lblTag4", "QLabel", "SMTP server port:", "fraServerSettings", QRect(12, 107, 99, 14));
        row("txtSMTPServerPort", "QLineEdit", "", "fraServerSettings", QRect(124, 104, 169, 21));
        row("chkUseSSL", "QCheckBox", "Use SSL", "fraServerSettings", QRect(304, 105, 69, 17));
        row("fraMisc", "QGroupBox", " Misc ", "frmSettings", QRect(8, 208, 385, 49));
        row("chkTempFilePrefix", "QCheckBox", "Use \"~$\" prefix for EML files", "fraMisc",
            QRect(12, 20, 181, 17));
        row("cmdOk", "QPushButton", "Ok", "frmSettings", QRect(200, 268, 93, 29));
        row("cmdCancel", "QPushButton", "Cancel", "frmSettings", QRect(300, 268, 93, 29));
    }

    void controls()
    {
        QFETCH(QString, kind);
        QFETCH(QString, caption);
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        open();
        QWidget* widget = control<QWidget>(QTest::currentDataTag());
        QVERIFY(widget);
        QVERIFY(widget->inherits(kind.toLatin1()));
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QCheckBox*>(widget)) {
            // A caption may grow to the right when the font is wider than designed.
            QCOMPARE(widget->geometry().topLeft(), geometry.topLeft());
            QCOMPARE(widget->height(), geometry.height());
            QVERIFY(widget->width() >= geometry.width());
        } else {
            QCOMPARE(widget->geometry(), geometry);
        }
        QCOMPARE(widget->font(), Layout::windowFont());
        if (auto* frame = qobject_cast<QGroupBox*>(widget))
            QCOMPARE(frame->title(), caption);
        else if (auto* label = qobject_cast<QLabel*>(widget))
            QCOMPARE(label->text(), caption);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            QCOMPARE(button->text(), caption);
        QCOMPARE(widget->focusPolicy() != Qt::NoFocus, kind != "QGroupBox" && kind != "QLabel");
    }

    void tabOrder()
    {
        open();
        const QStringList expected{"txtUserName", "txtPassword",       "txtSMTPServer", "txtSMTPServerPort",
                                   "chkUseSSL",   "chkTempFilePrefix", "cmdOk",         "cmdCancel",
                                   "txtMailFrom"};
        QStringList visited;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, expected);
    }

    void refusedPort_data()
    {
        QTest::addColumn<QString>("port");
        QTest::newRow("0") << "0";
        QTest::newRow("65536") << "65536";
        QTest::newRow("-1") << "-1";
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("letters") << "smtp";
        QTest::newRow("beyond 32 bits") << "99999999999";
        QTest::newRow("fraction") << "587.4";
        QTest::newRow("exponent") << "5.87e2";
        QTest::newRow("inner blank") << "5 87";
        QTest::newRow("hex") << "0x24B";
        QTest::newRow("sign only") << "+";
    }

    void refusedPort()
    {
        QFETCH(QString, port);
        open();
        dialog->txtMailFrom->setText(QStringLiteral("changed@example.org"));
        dialog->txtSMTPServerPort->setText(port);
        pressOk();

        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, invalidPort);
        QCOMPARE(MessageBox::shown().first().style, int(MessageBox::Critical));
        QVERIFY(dialog->isVisible());
        QCOMPARE(QApplication::focusWidget(), dialog->txtSMTPServerPort);
        QCOMPARE(dialog->txtSMTPServerPort->selectedText(), port);
        QVERIFY(Snapshot::current() == before);

        QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(Snapshot::current() == before);
    }

    void acceptedPort_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("port");
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("65535") << "65535" << 65535;
        QTest::newRow("blanks around") << " 587 " << 587;
        QTest::newRow("plus sign") << "+587" << 587;
        QTest::newRow("leading zero") << "0465" << 465;
    }

    void acceptedPort()
    {
        QFETCH(QString, text);
        QFETCH(int, port);
        open();
        dialog->txtSMTPServerPort->setText(text);
        pressOk();
        QVERIFY(MessageBox::shown().isEmpty());
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        QCOMPARE(MailSettings::SMTPServerPort, port);
    }

    void standardPortOffer_data()
    {
        QTest::addColumn<bool>("useSSL");
        QTest::addColumn<QString>("port");
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("offered"); // empty: nothing asked
        QTest::addColumn<QString>("portAfter");
        const int ok = MessageBox::AnswerOk;
        const int cancel = MessageBox::AnswerCancel;
        QTest::newRow("25, tick, OK") << false << "25" << int(ByMouse) << ok << "465"
                                      << "465";
        QTest::newRow("25, tick, Cancel") << false << "25" << int(ByMouse) << cancel << "465"
                                          << "25";
        QTest::newRow("25, tick by space") << false << "25" << int(BySpace) << ok << "465"
                                           << "465";
        QTest::newRow("25, tick by program") << false << "25" << int(ByProgram) << ok << "465"
                                             << "465";
        QTest::newRow("465, untick, OK") << true << "465" << int(ByMouse) << ok << "25"
                                         << "25";
        QTest::newRow("465, untick, Cancel") << true << "465" << int(ByMouse) << cancel << "25"
                                             << "465";
        QTest::newRow("blanked 465, tick") << false << " 465 " << int(ByMouse) << ok << ""
                                           << " 465 ";
        QTest::newRow("blanked 25, untick") << true << "\t25  " << int(BySpace) << ok << ""
                                            << "\t25  ";
        QTest::newRow("0465, tick") << false << "0465" << int(ByMouse) << ok << "465"
                                    << "465";
        QTest::newRow("587, tick, Cancel") << false << "587" << int(ByMouse) << cancel << "465"
                                           << "587";
        QTest::newRow("empty, untick") << true << "" << int(ByProgram) << ok << "25"
                                       << "25";
    }

    void standardPortOffer()
    {
        QFETCH(bool, useSSL);
        QFETCH(QString, port);
        QFETCH(int, how);
        QFETCH(int, answer);
        QFETCH(QString, offered);
        QFETCH(QString, portAfter);
        MailSettings::UseSSL = useSSL;
        open();
        dialog->txtSMTPServerPort->setText(port);
        MessageBox::setNextAnswer(answer);
        toggleSSL(Toggle(how));

        QCOMPARE(dialog->chkUseSSL->isChecked(), !useSSL);
        if (offered.isEmpty()) {
            QVERIFY(MessageBox::shown().isEmpty());
        } else {
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::shown().first().text, "Set port to standard value " + offered + ".");
            QCOMPARE(MessageBox::shown().first().style, MessageBox::OkCancel | MessageBox::Question);
        }
        QCOMPARE(dialog->txtSMTPServerPort->text(), portAfter);
        QVERIFY(Snapshot::current() == before);
    }

    void openingWithSSLOnAnOtherPortAsksNothing()
    {
        MailSettings::UseSSL = true;
        MailSettings::SMTPServerPort = 587;
        MailSettings::TempFilePrefix = true;
        open();
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(dialog->txtSMTPServerPort->text(), QStringLiteral("587"));
        QVERIFY(dialog->chkUseSSL->isChecked());
        QVERIFY(dialog->chkTempFilePrefix->isChecked());
        QCOMPARE(dialog->txtMailFrom->text(), MailSettings::MailFrom);
        QCOMPARE(dialog->txtUserName->text(), MailSettings::UserName);
        QCOMPARE(dialog->txtPassword->text(), MailSettings::Password);
        QCOMPARE(dialog->txtSMTPServer->text(), MailSettings::SMTPServer);
    }

    void passwordIsMasked()
    {
        MailSettings::Password = QStringLiteral("pa ss Жж");
        open();
        QCOMPARE(dialog->txtPassword->echoMode(), QLineEdit::Password);
        QCOMPARE(dialog->txtPassword->displayText(), QStringLiteral("********"));
        QCOMPARE(dialog->txtPassword->text(), MailSettings::Password);
    }

    void okWritesEveryFieldVerbatim()
    {
        open();
        dialog->txtMailFrom->setText(QStringLiteral(" Ivan <ivan@example.org> "));
        dialog->txtUserName->setText(QStringLiteral("Иван "));
        dialog->txtPassword->setText(QStringLiteral(" Пароль €1 "));
        dialog->txtSMTPServer->setText(QStringLiteral("  mail.example.org  "));
        dialog->txtSMTPServerPort->setText(QStringLiteral("2525"));
        MessageBox::setNextAnswer(MessageBox::AnswerCancel);
        toggleSSL(ByMouse);
        QTest::mouseClick(dialog->chkTempFilePrefix, Qt::LeftButton, {}, QPoint(8, 8));
        pressOk();

        QCOMPARE(MessageBox::shown().size(), 1); // the declined port offer
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
        const Snapshot expected{QStringLiteral(" Ivan <ivan@example.org> "),
                                QStringLiteral("Иван "),
                                QStringLiteral(" Пароль €1 "),
                                QStringLiteral("  mail.example.org  "),
                                2525,
                                true,
                                true};
        QVERIFY(Snapshot::current() == expected);
    }

    void enterPressesOkExceptOnCancel_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("result");
        QTest::newRow("text box") << "txtSMTPServer" << int(QDialog::Accepted);
        QTest::newRow("check box") << "chkTempFilePrefix" << int(QDialog::Accepted);
        QTest::newRow("Cancel") << "cmdCancel" << int(QDialog::Rejected);
    }

    void enterPressesOkExceptOnCancel()
    {
        QFETCH(QString, focus);
        QFETCH(int, result);
        open();
        dialog->txtMailFrom->setText(QStringLiteral("new@example.org"));
        QWidget* widget = control<QWidget>(focus);
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_Return);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), result);
        QCOMPARE(MailSettings::MailFrom == QStringLiteral("new@example.org"), result == QDialog::Accepted);
    }

    void cancelWritesNothing_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("Cancel button") << 0;
        QTest::newRow("Esc") << 1;
        QTest::newRow("close box") << 2;
    }

    void cancelWritesNothing()
    {
        QFETCH(int, how);
        open();
        dialog->txtMailFrom->setText(QStringLiteral("other@example.org"));
        dialog->txtUserName->setText(QStringLiteral("other"));
        dialog->txtPassword->setText(QStringLiteral("other"));
        dialog->txtSMTPServer->setText(QStringLiteral("other.example.org"));
        MessageBox::setNextAnswer(MessageBox::AnswerOk);
        toggleSSL(ByMouse);
        QCOMPARE(dialog->txtSMTPServerPort->text(), QStringLiteral("465"));
        dialog->chkTempFilePrefix->setChecked(true);

        if (how == 0)
            QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(dialog->txtSMTPServer, Qt::Key_Escape);
        else
            dialog->close();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        QVERIFY(Snapshot::current() == before);
    }

    void textBoxSelectsAllOnFocus_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("previous");
        QTest::addColumn<int>("how");
        const char* boxes[][2] = {{"txtMailFrom", "cmdCancel"},
                                  {"txtUserName", "txtMailFrom"},
                                  {"txtPassword", "txtUserName"},
                                  {"txtSMTPServer", "txtPassword"},
                                  {"txtSMTPServerPort", "txtSMTPServer"}};
        for (const auto& box : boxes) {
            QTest::addRow("%s by Tab", box[0]) << box[0] << box[1] << 0;
            QTest::addRow("%s by program", box[0]) << box[0] << box[1] << 1;
            QTest::addRow("%s by mouse", box[0]) << box[0] << box[1] << 2;
        }
    }

    void textBoxSelectsAllOnFocus()
    {
        QFETCH(QString, box);
        QFETCH(QString, previous);
        QFETCH(int, how);
        open();
        auto* edit = control<QLineEdit>(box);
        edit->setText(QStringLiteral("some text"));
        control<QWidget>(previous)->setFocus();
        QVERIFY(!edit->hasSelectedText());

        if (how == 0)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else if (how == 1)
            edit->setFocus();
        else
            QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
        QCOMPARE(QApplication::focusWidget(), edit);
        QCOMPARE(edit->selectedText(), edit->text());

        // A click in a box that already has the focus places the cursor as usual.
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(edit->width() - 4, edit->height() / 2));
        QVERIFY(!edit->hasSelectedText());
    }

    void unstorablePasswordIsRefused_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("character");
        QTest::newRow("umlaut") << "Passwört"
                                << "ö";
        QTest::newRow("acute accent") << "café"
                                      << "é";
        QTest::newRow("Polish letter") << "łódź"
                                       << "ł";
        QTest::newRow("check mark") << "ok✓"
                                    << "✓";
        QTest::newRow("outside the basic plane") << "key😀2"
                                                 << "😀";
    }

    void unstorablePasswordIsRefused()
    {
        QFETCH(QString, password);
        QFETCH(QString, character);
        open();
        dialog->txtPassword->setText(password);
        dialog->txtSMTPServerPort->setText(QStringLiteral("587"));
        pressOk();

        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text,
                 "The password can't be stored: its character \"" + character +
                     "\" is not in the Windows-1251 code page, which holds Latin letters without "
                     "accents, Cyrillic letters, digits and common signs.");
        QCOMPARE(MessageBox::shown().first().style, int(MessageBox::Critical));
        QVERIFY(dialog->isVisible());
        QCOMPARE(QApplication::focusWidget(), dialog->txtPassword);
        QCOMPARE(dialog->txtPassword->selectedText(), password);
        QVERIFY(Snapshot::current() == before);
    }

    void portIsCheckedBeforePassword()
    {
        open();
        dialog->txtPassword->setText(QStringLiteral("Passwört"));
        dialog->txtSMTPServerPort->setText(QStringLiteral("0"));
        pressOk();
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text, invalidPort);
        QCOMPARE(QApplication::focusWidget(), dialog->txtSMTPServerPort);
        QVERIFY(Snapshot::current() == before);
    }
};

VELLUM_TEST_MAIN(TestSettingsDialog)
#include "TestSettingsDialog.moc"
