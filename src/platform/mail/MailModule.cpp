// What the program looks up when it loads this library.
#include "AddressList.h"
#include "SmtpMailMessage.h"

extern "C" {

Q_DECL_EXPORT MailMessage* vellumCreateMailMessage()
{
    return new SmtpMailMessage();
}

Q_DECL_EXPORT void vellumParseAddressList(const QString& text, const QString& what,
                                          QList<MailAddress>* result)
{
    *result = parseAddressList(text, what);
}
}
