#pragma once

#include "AddressList.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// The finished message: one buffer, CRLF line ends, ready to submit as is.
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

    // Raises RuntimeError when an attachment can't be read.
    static MimeMessage build(const Content& content);

    const char* data() const;
    qsizetype size() const;
    QByteArray toByteArray() const { return QByteArray(data(), size()); }

private:
    struct Buffer;
    std::shared_ptr<Buffer> m_buffer;
};

// Mail text holds no bare CR or LF: every line break becomes CRLF.
QByteArray canonicalText(const QString& text);
// Header texts stay one line: each line break becomes one blank.
QString singleLine(const QString& text);
