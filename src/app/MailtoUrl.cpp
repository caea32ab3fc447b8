#include "MailtoUrl.h"

#include <QSet>
#include <QStringList>

namespace
{

const QString Scheme = QStringLiteral("mailto:");

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Qt's own decoders turn "%zz" into an arbitrary byte; here it stays as
// written. "+" is a plus sign in mailto: links, not a space.
QString percentDecoded(const QString& text)
{
    const QByteArray encoded = text.toUtf8();
    QByteArray decoded;
    decoded.reserve(encoded.size());
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] == '%' && i + 2 < encoded.size()) {
            const int high = hexValue(encoded[i + 1]);
            const int low = hexValue(encoded[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded.append(char(high * 16 + low));
                i += 2;
                continue;
            }
        }
        decoded.append(encoded[i]);
    }
    return QString::fromUtf8(decoded);
}

bool isDroppedControl(QChar c)
{
    return (c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n')) || c.unicode() == 0x7f;
}

// Line breaks of any kind become "\n"; other control characters (NUL,
// escapes) are dropped, as no one types them.
QString cleanText(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.removeIf(isDroppedControl);
    return text;
}

// A one-line box gets no line break: it would end a header early.
QString oneLine(const QString& text)
{
    QString line = cleanText(text);
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line;
}

// Each address once, whatever its case; a set, as a link can hold thousands.
struct Recipients {
    QStringList addresses;
    QSet<QString> seen;

    void add(const QString& list)
    {
        for (const QString& piece : oneLine(list).split(QLatin1Char(','))) {
            const QString address = piece.trimmed();
            const QString folded = address.toCaseFolded();
            if (address.isEmpty() || seen.contains(folded))
                continue;
            seen.insert(folded);
            addresses.append(address);
        }
    }
};

} // namespace

bool MailtoUrl::isMailto(const QString& text)
{
    return text.startsWith(Scheme, Qt::CaseInsensitive);
}

MailtoUrl MailtoUrl::parse(const QString& url)
{
    MailtoUrl result;
    if (!isMailto(url))
        return result;
    // A fragment is no part of a mailto: link.
    const QString rest = url.mid(Scheme.size()).section(QLatin1Char('#'), 0, 0);

    const qsizetype query = rest.indexOf(QLatin1Char('?'));
    Recipients recipients;
    recipients.add(percentDecoded(rest.left(query < 0 ? rest.size() : query)));
    if (query < 0) {
        result.recipients = recipients.addresses.join(QStringLiteral(", "));
        return result;
    }

    bool haveSubject = false;
    bool haveBody = false;
    for (const QString& field : rest.mid(query + 1).split(QLatin1Char('&'), Qt::SkipEmptyParts)) {
        const qsizetype equals = field.indexOf(QLatin1Char('='));
        if (equals < 0)
            continue;
        const QString name = percentDecoded(field.left(equals)).toLower();
        const QString value = percentDecoded(field.mid(equals + 1));
        if (name == QLatin1String("to") || name == QLatin1String("cc")) {
            recipients.add(value);
        } else if (name == QLatin1String("subject") && !haveSubject) {
            result.subject = oneLine(value);
            haveSubject = true;
        } else if (name == QLatin1String("body") && !haveBody) {
            result.body = cleanText(value);
            haveBody = true;
        }
        // Everything else (bcc, attach, attachment, in-reply-to, ...) is ignored.
    }
    result.recipients = recipients.addresses.join(QStringLiteral(", "));
    return result;
}
