#include "../composer/ComposerFixture.h"
#include "attachments/frmAttachments.h"
#include "send/frmSubject.h"
#include "settings/frmSettings.h"

#include <QAccessible>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>

namespace
{

using Names = QList<QPair<const char*, QString>>;

QAccessibleInterface* accessible(QWidget* control)
{
    return QAccessible::queryAccessibleInterface(control);
}

QWidget* control(QWidget* window, const char* name)
{
    auto* found = window->findChild<QWidget*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

// The controls of a window as its code names them; Qt's inner parts are left out.
QList<QWidget*> controls(QWidget* window)
{
    QList<QWidget*> found;
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            found.append(widget);
    }
    return found;
}

bool isDecoration(const QWidget* widget)
{
    return widget->objectName() == QLatin1String("shpBack");
}

} // namespace

// What a screen reader hears for every control of every window.
class TestAccessibility : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

    // The names as given, and for every control a name without blanks
    // around it and, for every control a user can act on, a description.
    static void checkWindow(QWidget* window, const Names& names)
    {
        for (const auto& [name, expected] : names)
            QCOMPARE(accessible(control(window, name))->text(QAccessible::Name), expected);
        for (QWidget* widget : controls(window)) {
            if (isDecoration(widget))
                continue;
            const QString what = widget->objectName();
            const QString name = accessible(widget)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(what + QStringLiteral(" has no name")));
            QVERIFY2(name == name.trimmed(), qPrintable(what + QStringLiteral(" is named \"") + name + '"'));
            const bool actsOnInput = widget->focusPolicy() != Qt::NoFocus || qobject_cast<QGroupBox*>(widget);
            if (actsOnInput)
                QVERIFY2(!accessible(widget)->text(QAccessible::Description).isEmpty(),
                         qPrintable(what + QStringLiteral(" has no description")));
        }
    }

    // Each label names the box it stands before.
    static void checkLabels(QWidget* window, const Names& labels)
    {
        for (const auto& [label, box] : labels) {
            auto* caption = qobject_cast<QLabel*>(control(window, label));
            QVERIFY(caption);
            QCOMPARE(caption->buddy(), control(window, box.toLatin1().constData()));
            const auto related = accessible(caption->buddy())->relations(QAccessible::Label);
            QVERIFY(std::any_of(related.begin(), related.end(),
                                [&](const auto& relation) { return relation.first->object() == caption; }));
        }
    }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        MessageBox::clearShown();
    }
    void cleanup() { environment.reset(); }

    void composer()
    {
        ComposerFixture composer;
        checkWindow(composer.window, {{"lblTag0", "To:"},
                                      {"txtTo", "To"},
                                      {"cmdToHistory", "Recipient history"},
                                      {"lblTag1", "Subject:"},
                                      {"txtSubject", "Subject"},
                                      {"cmdSubjectHistory", "Subject history"},
                                      {"txtMessage", "Message"},
                                      {"cmdSendHotkeyOption", "Send key: Ctrl+Enter"},
                                      {"cmdServerSettings", "Server settings"},
                                      {"cmdOpenDataPath", "Open data folder"},
                                      {"cmdAttachments", "Attachments: 0"},
                                      {"cmdSend", "Send"},
                                      {"ucaSending", "Sending mail..."}});
        checkLabels(composer.window, {{"lblTag0", "txtTo"}, {"lblTag1", "txtSubject"}});
    }

    void composerNamesFollowTheCaptions()
    {
        ComposerFixture composer;
        QPushButton* hotkey = composer.button("cmdSendHotkeyOption");
        for (const char* key : {"Enter", "F5", "F12", "Ctrl+Enter"}) {
            hotkey->click();
            QCOMPARE(accessible(hotkey)->text(QAccessible::Name), QStringLiteral("Send key: ") + key);
        }

        composer.window->Attachments = {"/a", "/b", "/c"};
        whenModalShown<frmAttachments>([](frmAttachments* dialog) { dialog->cmdOk->click(); });
        composer.button("cmdAttachments")->click();
        QCOMPARE(composer.button("cmdAttachments")->text(), QStringLiteral("A! [3]"));
        QCOMPARE(accessible(composer.button("cmdAttachments"))->text(QAccessible::Name),
                 QStringLiteral("Attachments: 3"));
    }

    void settingsDialog()
    {
        frmSettings dialog;
        checkWindow(&dialog, {{"fraMails", "Mails"},
                              {"lblTag0", "Mail from:"},
                              {"txtMailFrom", "Mail from"},
                              {"fraServerSettings", "Server settings"},
                              {"txtUserName", "User name"},
                              {"txtPassword", "Password"},
                              {"txtSMTPServer", "SMTP server"},
                              {"txtSMTPServerPort", "SMTP server port"},
                              {"chkUseSSL", "Use SSL"},
                              {"fraMisc", "Misc"},
                              {"chkTempFilePrefix", "Use \"~$\" prefix for EML files"},
                              {"cmdOk", "Ok"},
                              {"cmdCancel", "Cancel"}});
        checkLabels(&dialog, {{"lblTag0", "txtMailFrom"},
                              {"lblTag1", "txtUserName"},
                              {"lblTag2", "txtPassword"},
                              {"lblTag3", "txtSMTPServer"},
                              {"lblTag4", "txtSMTPServerPort"}});
    }

    void attachmentsDialog()
    {
        QStringList attachments;
        frmAttachments dialog(attachments, nullptr);
        checkWindow(&dialog, {{"lblSize", "Total size: 0 bytes"},
                              {"lstFileNames", "Attached files"},
                              {"cmdAdd", "Add attachments"},
                              {"cmdRemove", "Remove selected attachments"},
                              {"cmdOk", "Ok"},
                              {"cmdCancel", "Отмена"}});
    }

    void subjectPrompt()
    {
        frmSubject prompt;
        checkWindow(&prompt, {{"txtSubject", "Subject"},
                              {"cmdSubjectHistory", "Subject history"},
                              {"cmdOk", "Ok"},
                              {"cmdCancel", "Отмена"}});
    }
};

VELLUM_TEST_MAIN(TestAccessibility)
#include "TestAccessibility.moc"
