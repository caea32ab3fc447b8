#pragma once

#include "MessageSource.h"

#include <QString>

// One message, built from the values set on it and submitted by send().
class MailMessage
{
public:
    virtual ~MailMessage() = default;

    // Blocks until the message is sent or has failed; keeps the event loop
    // running meanwhile. Raises RuntimeError with a description a person can act on.
    virtual void send() = 0;
    // The exact bytes that were submitted.
    virtual MessageSource source() const = 0;
    virtual void setMailer(const QString& mailer) = 0;
    // Raises RuntimeError for a path that cannot be attached.
    virtual void addAttachment(const QString& path) = 0;
    virtual void setUseSSL(bool useSSL) = 0;
    virtual void setPort(int port) = 0;
    virtual void setServer(const QString& server) = 0;
    virtual void setBody(const QString& body) = 0;
    virtual void setPassword(const QString& password) = 0;
    virtual void setUserName(const QString& userName) = 0;
    virtual void setSubject(const QString& subject) = 0;
    virtual void setTo(const QString& to) = 0;
    virtual void setFrom(const QString& from) = 0;
};
