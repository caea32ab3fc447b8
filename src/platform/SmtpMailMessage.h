#pragma once

#include "MailMessage.h"

#include <QStringList>

// Placeholder until the real SMTP submission lands.
class SmtpMailMessage : public MailMessage
{
public:
    void send() override;
    QByteArray source() const override { return {}; }
    void setMailer(const QString&) override {}
    void addAttachment(const QString&) override {}
    void setUseSSL(bool) override {}
    void setPort(int) override {}
    void setServer(const QString&) override {}
    void setBody(const QString&) override {}
    void setPassword(const QString&) override {}
    void setUserName(const QString&) override {}
    void setSubject(const QString&) override {}
    void setTo(const QString&) override {}
    void setFrom(const QString&) override {}
};
