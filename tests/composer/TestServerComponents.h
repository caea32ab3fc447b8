#pragma once

#include "SmtpTestServer.h"
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
