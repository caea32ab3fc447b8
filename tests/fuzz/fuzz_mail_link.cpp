#include "app/MailtoUrl.h"

#include <cstdlib>

// A link reads as what it can, and no line break reaches a one-line box.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString url = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (!MailtoUrl::isMailto(url))
        return 0;
    const MailtoUrl link = MailtoUrl::parse(url);
    for (const QString& line : {link.recipients, link.subject}) {
        if (line.contains(QLatin1Char('\r')) || line.contains(QLatin1Char('\n')))
            std::abort();
    }
    if (link.body.contains(QLatin1Char('\r')))
        std::abort();
    return 0;
}
