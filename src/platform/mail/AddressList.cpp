// GLib names a member "signals", which Qt's keyword macro would rewrite: GMime comes first.
#include <gmime/gmime.h>

#include "AddressList.h"

#include "MimeMessage.h"
#include "platform/RuntimeError.h"

#include <QRegularExpression>
#include <cctype>
#include <memory>
#include <mutex>

namespace
{

void initialiseGMime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

RuntimeError mailError(const QString& description)
{
    return RuntimeError(RuntimeError::MailFailure, description);
}

QString shown(const QString& text)
{
    QString visible = singleLine(text).trimmed();
    if (visible.size() > 200)
        visible = visible.left(200) + QStringLiteral("...");
    return visible;
}

// GMime takes ';' as the end of a group; people type it between addresses.
QString semicolonsToCommas(const QString& text)
{
    QString result = text;
    bool quoted = false;
    int comment = 0;
    bool angle = false;
    bool literal = false;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const QChar c = result.at(i);
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
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char('(')) {
            comment = 1;
        } else if (c == QLatin1Char('<')) {
            angle = true;
        } else if (c == QLatin1Char('>')) {
            angle = false;
        } else if (c == QLatin1Char('[')) {
            literal = true;
        } else if (c == QLatin1Char(']')) {
            literal = false;
        } else if (c == QLatin1Char(';') && !angle && !literal) {
            result[i] = QLatin1Char(',');
        }
    }
    return result;
}

bool isValidAddrSpec(const QByteArray& addrSpec)
{
    const qsizetype at = addrSpec.lastIndexOf('@');
    if (at <= 0 || at == addrSpec.size() - 1)
        return false;
    const QByteArray local = addrSpec.left(at);
    const QByteArray domain = addrSpec.mid(at + 1);
    const bool quotedLocal = local.size() >= 2 && local.startsWith('"') && local.endsWith('"');
    for (const char c : local) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '<' || c == '>' || (c == ' ' && !quotedLocal))
            return false;
    }
    if (domain.startsWith('[') && domain.endsWith(']'))
        return domain.size() > 2 && !domain.contains(' ') && !domain.contains('\r') && !domain.contains('\n');
    if (domain.startsWith('.') || domain.endsWith('.') || domain.contains(".."))
        return false;
    for (const char c : domain) {
        const auto u = static_cast<unsigned char>(c);
        // Non-ASCII only in a domain GMime could not convert to its ASCII form.
        if (!(std::isalnum(u) || c == '-' || c == '.' || u >= 0x80))
            return false;
    }
    return true;
}

} // namespace

QList<MailAddress> parseAddressList(const QString& text, const QString& what)
{
    initialiseGMime();
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')))
        throw mailError(QStringLiteral("The %1 \"%2\" contains a line break.").arg(what, shown(text)));

    QList<MailAddress> addresses;
    const QByteArray utf8 = semicolonsToCommas(text).toUtf8();
    InternetAddressList* list = internet_address_list_parse(nullptr, utf8.constData());
    const std::unique_ptr<InternetAddressList, decltype(&g_object_unref)> owned(list, &g_object_unref);
    const int count = list ? internet_address_list_length(list) : 0;
    for (int i = 0; i < count; ++i) {
        InternetAddress* address = internet_address_list_get_address(list, i);
        char* typed = internet_address_to_string(address, nullptr, FALSE);
        const QString typedText = QString::fromUtf8(typed);
        g_free(typed);
        // A group would let a typed "Name: other@address" add a recipient nobody listed.
        if (!INTERNET_ADDRESS_IS_MAILBOX(address))
            throw mailError(
                QStringLiteral("The %1 \"%2\" is not a valid mail address.").arg(what, shown(typedText)));
        InternetAddressMailbox* mailbox = INTERNET_ADDRESS_MAILBOX(address);
        const QByteArray addrSpec(internet_address_mailbox_get_idn_addr(mailbox));
        if (!isValidAddrSpec(addrSpec))
            throw mailError(
                QStringLiteral("The %1 \"%2\" is not a valid mail address.").arg(what, shown(typedText)));
        MailAddress parsed;
        parsed.name = QString::fromUtf8(internet_address_get_name(address));
        parsed.addrSpec = addrSpec;
        parsed.typed = typedText;
        addresses.append(parsed);
    }
    if (addresses.isEmpty()) {
        if (QString(text).remove(QRegularExpression(QStringLiteral("[\\s,;]"))).isEmpty())
            throw mailError(QStringLiteral("There is no %1 address.").arg(what));
        throw mailError(QStringLiteral("The %1 \"%2\" is not a valid mail address.").arg(what, shown(text)));
    }
    return addresses;
}
