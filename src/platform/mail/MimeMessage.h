#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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
