#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

// One address as the SMTP envelope needs it, with the text a person typed
// for it (used when naming it in an error).
struct MailAddress {
    QString name;
    QByteArray addrSpec; // ASCII domain (IDN converted), never holds CR, LF or blanks
    QString typed;
};

// Parses a person's address list: comma or semicolon separated, display
// names allowed. Raises RuntimeError naming an address that does not parse,
// for an empty list and for text holding a line break. `what` names the
// field in the error ("recipient", "sender").
QList<MailAddress> parseAddressList(const QString& text, const QString& what);

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
