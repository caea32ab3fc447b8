#pragma once

#include "MimeMessage.h"
#include "platform/MailMessage.h"

#include <QStringList>

// The mail message: built with GMime, submitted over SMTP with libcurl.
class SmtpMailMessage : public MailMessage
{
public:
    struct Options {
        QString caCertificateFile; // empty: the system's trusted certificates
        int connectTimeoutSeconds = 30;
        int stallTimeoutSeconds = 60;
        QString spoolFolder; // empty: the data folder, else the temporary folder
    };

    SmtpMailMessage();
    explicit SmtpMailMessage(Options options);

    void send() override;
    MessageSource source() const override { return m_source; }
    void setMailer(const QString& mailer) override { m_mailer = mailer; }
    void addAttachment(const QString& path) override;
    void setUseSSL(bool useSSL) override { m_useSSL = useSSL; }
    void setPort(int port) override { m_port = port; }
    void setServer(const QString& server) override { m_server = server; }
    void setBody(const QString& body) override { m_body = body; }
    void setPassword(const QString& password) override { m_password = password; }
    void setUserName(const QString& userName) override { m_userName = userName; }
    void setSubject(const QString& subject) override { m_subject = subject; }
    void setTo(const QString& to) override { m_to = to; }
    void setFrom(const QString& from) override { m_from = from; }

    const QStringList& attachments() const { return m_attachments; }

private:
    Options m_options;
    QString m_mailer;
    QStringList m_attachments;
    bool m_useSSL = false;
    int m_port = 0;
    QString m_server;
    QString m_body;
    QString m_password;
    QString m_userName;
    QString m_subject;
    QString m_to;
    QString m_from;
    MessageSource m_source;
};
