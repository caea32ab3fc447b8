#include "TestMessages.h"

#include "SmtpTestServer.h"
#include "platform/RuntimeError.h"

SmtpMailMessage::Options testServerOptions()
{
    SmtpMailMessage::Options options;
    options.caCertificateFile = SmtpTestServer::caCertificateFile();
    options.connectTimeoutSeconds = 3;
    options.stallTimeoutSeconds = 3;
    return options;
}

std::unique_ptr<SmtpMailMessage> testMessage(int port, const SmtpMailMessage::Options& options)
{
    auto message = std::make_unique<SmtpMailMessage>(options);
    message->setFrom(QStringLiteral("Sender <sender@example.com>"));
    message->setTo(QStringLiteral("rcpt@example.com"));
    message->setSubject(QStringLiteral("Test"));
    message->setUserName(QStringLiteral("user"));
    message->setPassword(QStringLiteral("secret"));
    message->setBody(QStringLiteral("Hello"));
    message->setServer(QStringLiteral("127.0.0.1"));
    message->setPort(port);
    message->setMailer(QStringLiteral("Kestrel - Vellum 1.02.0018"));
    return message;
}

QString sendFailure(MailMessage& message)
{
    try {
        message.send();
    } catch (const RuntimeError& error) {
        if (error.number() != RuntimeError::MailFailure)
            return QStringLiteral("wrong error number %1: ").arg(error.number()) + error.description();
        return error.description().isEmpty() ? QStringLiteral("(empty description)") : error.description();
    }
    return QString();
}
