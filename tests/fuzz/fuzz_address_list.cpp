#include "platform/RuntimeError.h"
#include "platform/mail/AddressList.h"
#include "platform/mail/HeaderEncoding.h"

#include <cstdlib>

// Every piece becomes one address the envelope can carry, or the list is
// refused; the header written from the addresses is one folded field.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QList<MailAddress> addresses;
    try {
        addresses = parseAddressList(text, QStringLiteral("recipient"));
    } catch (const RuntimeError&) {
        return 0;
    }
    for (const MailAddress& address : addresses) {
        const QByteArray& envelope = address.addrSpec;
        // A blank only in a quoted local part: "Q R"@example.org.
        const bool quoted = envelope.startsWith('"');
        if (envelope.isEmpty() || envelope.contains('\r') || envelope.contains('\n') ||
            (!quoted && envelope.contains(' ')) || !envelope.contains('@'))
            std::abort();
    }
    const QByteArray header = HeaderEncoding::mailboxList("To", addresses);
    for (const QByteArray& line : header.split('\n')) {
        if (line.contains('\r') || line.size() > 998)
            std::abort();
    }
    return 0;
}
