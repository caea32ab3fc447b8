#pragma once

#include "ComposerFixture.h"
#include "SmtpTestServer.h"
#include "composer/MailSettings.h"
#include "platform/ComponentFactory.h"
#include "platform/mail/SmtpMailMessage.h"

// The real components, the mail message trusting the test server's
// certificate and with short time-outs so a dead server fails quickly.
class TestServerComponents : public ComponentFactory
{
public:
    std::unique_ptr<MailMessage> createMailMessage() override
    {
        SmtpMailMessage::Options options;
        options.caCertificateFile = SmtpTestServer::caCertificateFile();
        options.connectTimeoutSeconds = 3;
        options.stallTimeoutSeconds = 3;
        return std::make_unique<SmtpMailMessage>(options);
    }
};

// The settings for the test server and a message ready to send.
inline void fillForTestServer(ComposerFixture& composer, const SmtpTestServer& server,
                              const QString& subject = QStringLiteral("Report"))
{
    const SmtpTestServer::Options defaults;
    MailSettings::MailFrom = QStringLiteral("sender@example.org");
    MailSettings::UserName = defaults.user;
    MailSettings::Password = defaults.password;
    MailSettings::SMTPServer = QStringLiteral("127.0.0.1");
    MailSettings::SMTPServerPort = server.port();
    MailSettings::UseSSL = false;
    MailSettings::TempFilePrefix = false;
    composer.txtTo()->setText(QStringLiteral("anna@example.org"));
    composer.txtSubject()->setText(subject);
    composer.txtMessage()->setPlainText(QStringLiteral("Hello"));
}
