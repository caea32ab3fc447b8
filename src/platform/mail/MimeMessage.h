#pragma once

#include "AddressList.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class MessageSpool;

// The message, CRLF line ends, ready to submit as is.
class MimeMessage
{
public:
    struct Content {
        MailAddress from;
        QList<MailAddress> to;
        QString subject;
        QString body;
        QString mailer;
        QStringList attachments;
    };

    // Writes the message into the spool, attachments read from disk as it goes.
    // Raises RuntimeError when an attachment can't be read or the spool can't be written.
    static void write(const Content& content, MessageSpool& spool);
};

// Mail text holds no bare CR or LF: every line break becomes CRLF.
QByteArray canonicalText(const QString& text);
// Header texts stay one line: each line break becomes one blank.
QString singleLine(const QString& text);
