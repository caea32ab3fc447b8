#include "AddressList.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QUrl>
#include <arpa/inet.h>

// The list is taken apart here rather than by a lenient MIME parser: such a
// parser skips what it can't read, and a skipped piece is a recipient
// silently dropped. Every piece must become exactly one address.

namespace
{

RuntimeError mailError(const QString& description)
{
    return RuntimeError(RuntimeError::MailFailure, description);
}

bool isControl(QChar c)
{
    return (c.unicode() < 0x20 && c != QLatin1Char('\t')) || c.unicode() == 0x7f;
}

QString shown(const QString& text)
{
    QString visible;
    for (const QChar c : text)
        visible += isControl(c) ? QChar(QChar::ReplacementCharacter) : c;
    visible = visible.trimmed();
    if (visible.size() > 200)
        visible = visible.left(200) + QStringLiteral("...");
    return visible;
}

// Whole sentences for each field, as other languages change the field's word
// with its place in the sentence.
struct FieldTexts {
    const char* invalid;
    const char* lineBreak;
    const char* controlCharacter;
    const char* missing;
};

QString fieldText(const char* FieldTexts::*text, const QString& what)
{
    static const FieldTexts sender{
        QT_TRANSLATE_NOOP("AddressList", "The sender \"%1\" is not a valid mail address."),
        QT_TRANSLATE_NOOP("AddressList", "The sender \"%1\" contains a line break."),
        QT_TRANSLATE_NOOP(
            "AddressList",
            "The sender \"%1\" contains a control character (shown as �), which can't be sent."),
        QT_TRANSLATE_NOOP("AddressList", "There is no sender address.")};
    static const FieldTexts recipient{
        QT_TRANSLATE_NOOP("AddressList", "The recipient \"%1\" is not a valid mail address."),
        QT_TRANSLATE_NOOP("AddressList", "The recipient \"%1\" contains a line break."),
        QT_TRANSLATE_NOOP(
            "AddressList",
            "The recipient \"%1\" contains a control character (shown as �), which can't be sent."),
        QT_TRANSLATE_NOOP("AddressList", "There is no recipient address.")};
    return QCoreApplication::translate("AddressList", (what == u"sender" ? sender : recipient).*text);
}

RuntimeError fieldError(const char* FieldTexts::*text, const QString& what, const QString& piece)
{
    return mailError(fieldText(text, what).arg(shown(piece)));
}

RuntimeError invalidAddress(const QString& what, const QString& piece)
{
    return fieldError(&FieldTexts::invalid, what, piece);
}

// Walks a text the way address syntax nests: quoted strings, comments,
// angle brackets and domain literals. Separators and brackets count only
// where they are not inside one of them.
class Scanner
{
public:
    explicit Scanner(const QString& text) : m_text(text) {}

    // Top-level position of the first character of `wanted`, or -1.
    qsizetype find(const QString& wanted, qsizetype from = 0) const
    {
        bool quoted = false;
        int comment = 0;
        bool angle = false;
        bool literal = false;
        for (qsizetype i = from; i < m_text.size(); ++i) {
            const QChar c = m_text.at(i);
            if ((quoted || comment > 0) && c == QLatin1Char('\\')) {
                ++i;
                continue;
            }
            if (quoted) {
                quoted = c != QLatin1Char('"');
            } else if (comment > 0) {
                if (c == QLatin1Char('('))
                    ++comment;
                else if (c == QLatin1Char(')'))
                    --comment;
            } else if (literal) {
                literal = c != QLatin1Char(']');
            } else if (wanted.contains(c) && !angle) {
                return i;
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char('(')) {
                comment = 1;
            } else if (c == QLatin1Char('[')) {
                literal = true;
            } else if (c == QLatin1Char('<')) {
                angle = true;
            } else if (c == QLatin1Char('>')) {
                angle = false;
            }
        }
        return -1;
    }

private:
    const QString& m_text;
};

// The pieces between top-level commas and semicolons (people type either).
QStringList splitList(const QString& text)
{
    QStringList pieces;
    const Scanner scanner(text);
    qsizetype start = 0;
    for (;;) {
        const qsizetype separator = scanner.find(QStringLiteral(",;"), start);
        pieces << text.mid(start, separator < 0 ? -1 : separator - start).trimmed();
        if (separator < 0)
            return pieces;
        start = separator + 1;
    }
}

// Takes out the comments of a piece; returns their texts.
QString takeComments(QString& piece)
{
    QStringList comments;
    for (qsizetype open; (open = Scanner(piece).find(QStringLiteral("("))) >= 0;) {
        int depth = 0;
        qsizetype close = open;
        for (; close < piece.size(); ++close) {
            const QChar c = piece.at(close);
            if (c == QLatin1Char('\\'))
                ++close;
            else if (c == QLatin1Char('('))
                ++depth;
            else if (c == QLatin1Char(')') && --depth == 0)
                break;
        }
        if (close >= piece.size())
            return QString(); // unbalanced: left in place, the address check refuses it
        comments << piece.mid(open + 1, close - open - 1).trimmed();
        piece.remove(open, close - open + 1);
        piece.insert(open, QLatin1Char(' '));
    }
    piece = piece.trimmed();
    return comments.join(QLatin1Char(' '));
}

// A display name as typed, quotes and their escapes taken away.
QString displayName(const QString& phrase)
{
    QString name;
    bool quoted = false;
    for (qsizetype i = 0; i < phrase.size(); ++i) {
        const QChar c = phrase.at(i);
        if (quoted && c == QLatin1Char('\\') && i + 1 < phrase.size())
            name += phrase.at(++i);
        else if (c == QLatin1Char('"'))
            quoted = !quoted;
        else
            name += c;
    }
    return name.simplified();
}

bool isAtomText(QChar c)
{
    static const QString specials = QStringLiteral("!#$%&'*+-/=?^_`{|}~");
    const char16_t u = c.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
           specials.contains(c) || u >= 0x80;
}

bool isDotString(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QString& atom : text.split(QLatin1Char('.'))) {
        if (atom.isEmpty())
            return false;
        for (const QChar c : atom) {
            if (!isAtomText(c))
                return false;
        }
    }
    return true;
}

bool isQuotedString(const QString& text)
{
    if (text.size() < 2 || !text.startsWith(QLatin1Char('"')) || !text.endsWith(QLatin1Char('"')))
        return false;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u == '\\') {
            if (++i + 1 >= text.size())
                return false;
            continue;
        }
        if (u == '"' || (u < 0x20) || u == 0x7f)
            return false;
    }
    return true;
}

// Host names as SMTP takes them: letters, digits and hyphens, no hyphen at the
// ends of a label. Returns the ASCII form, or empty when the domain is not one.
QByteArray asciiDomain(const QString& domain)
{
    static const QRegularExpression label(QStringLiteral("^[A-Za-z0-9]([A-Za-z0-9-]*[A-Za-z0-9])?$"));
    const QByteArray ascii = QUrl::toAce(domain);
    if (ascii.isEmpty() || ascii.size() > 255)
        return QByteArray();
    for (const QByteArray& part : ascii.split('.')) {
        if (!label.match(QString::fromLatin1(part)).hasMatch())
            return QByteArray();
    }
    return ascii;
}

// The address literals SMTP knows: [192.0.2.1] and [IPv6:2001:db8::1].
bool isAddressLiteral(const QString& literal)
{
    const bool ipv6 = literal.startsWith(QLatin1String("IPv6:"));
    const QByteArray address = (ipv6 ? literal.mid(5) : literal).toLatin1();
    unsigned char binary[16];
    return inet_pton(ipv6 ? AF_INET6 : AF_INET, address.constData(), binary) == 1;
}

// The address as the envelope needs it, or empty when it is not one.
QByteArray envelopeAddress(const QString& addrSpec)
{
    const qsizetype at = addrSpec.lastIndexOf(QLatin1Char('@'));
    if (at <= 0)
        return QByteArray();
    const QString local = addrSpec.left(at);
    const QString domain = addrSpec.mid(at + 1);
    if (!isDotString(local) && !isQuotedString(local))
        return QByteArray();
    // SMTP's limits, which also keep every address on one header line.
    constexpr qsizetype maximumLocalPart = 64;
    constexpr qsizetype maximumAddress = 254;
    if (local.toUtf8().size() > maximumLocalPart)
        return QByteArray();
    QByteArray asciiDomainPart;
    if (domain.startsWith(QLatin1Char('[')) && domain.endsWith(QLatin1Char(']'))) {
        if (!isAddressLiteral(domain.mid(1, domain.size() - 2)))
            return QByteArray();
        asciiDomainPart = domain.toLatin1();
    } else {
        asciiDomainPart = asciiDomain(domain);
        if (asciiDomainPart.isEmpty())
            return QByteArray();
    }
    const QByteArray address = local.toUtf8() + '@' + asciiDomainPart;
    return address.size() <= maximumAddress ? address : QByteArray();
}

// One piece of the list: "address", "address (comment)" or "name <address>".
MailAddress parseMailbox(const QString& piece, const QString& what)
{
    MailAddress parsed;
    parsed.typed = piece;
    QString rest = piece;
    const QString comment = takeComments(rest);
    QString addrSpec = rest;
    const qsizetype open = Scanner(rest).find(QStringLiteral("<"));
    if (open >= 0) {
        if (!rest.endsWith(QLatin1Char('>')))
            throw invalidAddress(what, piece);
        addrSpec = rest.mid(open + 1, rest.size() - open - 2).trimmed();
        parsed.name = displayName(rest.left(open));
    }
    if (parsed.name.isEmpty())
        parsed.name = comment;
    parsed.addrSpec = envelopeAddress(addrSpec);
    if (parsed.addrSpec.isEmpty())
        throw invalidAddress(what, piece);
    return parsed;
}

bool hasAddressPart(const QString& piece)
{
    return Scanner(piece).find(QStringLiteral("@<")) >= 0;
}

// The addresses of a list without groups.
void parseMailboxes(const QString& text, const QString& what, const QString& group,
                    QList<MailAddress>& addresses)
{
    QStringList pieces = splitList(text);
    pieces.removeAll(QString());
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        QString piece = pieces.at(i);
        // "Smith, Bob <bob@example.org>": a name typed with a comma and no quotes.
        while (!hasAddressPart(piece) && i + 1 < pieces.size() &&
               Scanner(pieces.at(i + 1)).find(QStringLiteral("<")) >= 0)
            piece += QStringLiteral(", ") + pieces.at(++i);
        MailAddress address = parseMailbox(piece, what);
        address.group = group;
        addresses << address;
    }
}

// Where the group that the colon opens ends (at its ";"), or -1 when the
// colon opens none: a colon without a ";" before the next one is text, as
// in a name typed "Re: Bob <bob@example.org>".
qsizetype groupEnd(const Scanner& scanner, qsizetype colon)
{
    const qsizetype end = scanner.find(QStringLiteral(";"), colon + 1);
    const qsizetype nextColon = scanner.find(QStringLiteral(":"), colon + 1);
    return end >= 0 && (nextColon < 0 || end < nextColon) ? end : -1;
}

} // namespace

QList<MailAddress> parseAddressList(const QString& text, const QString& what)
{
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        throw fieldError(&FieldTexts::lineBreak, what, text);
    if (std::any_of(text.cbegin(), text.cend(), isControl))
        throw fieldError(&FieldTexts::controlCharacter, what, text);

    QList<MailAddress> addresses;
    const Scanner scanner(text);
    qsizetype position = 0;
    for (qsizetype colon = scanner.find(QStringLiteral(":")); colon >= 0;
         colon = scanner.find(QStringLiteral(":"), colon + 1)) {
        const qsizetype end = groupEnd(scanner, colon);
        if (end < 0)
            continue;
        // The group's name runs back to the list's separator before it.
        qsizetype nameStart = position;
        for (qsizetype separator = scanner.find(QStringLiteral(",;"), position);
             separator >= 0 && separator < colon;
             separator = scanner.find(QStringLiteral(",;"), separator + 1))
            nameStart = separator + 1;
        QString name = text.mid(nameStart, colon - nameStart);
        takeComments(name);
        if (name.isEmpty() || hasAddressPart(name))
            throw invalidAddress(what, text.mid(nameStart, end + 1 - nameStart));
        parseMailboxes(text.mid(position, nameStart - position), what, QString(), addresses);
        parseMailboxes(text.mid(colon + 1, end - colon - 1), what, displayName(name), addresses);
        position = end + 1;
        colon = end;
    }
    parseMailboxes(text.mid(position), what, QString(), addresses);
    if (addresses.isEmpty())
        throw mailError(fieldText(&FieldTexts::missing, what));
    return addresses;
}
