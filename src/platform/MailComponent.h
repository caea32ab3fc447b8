#pragma once

#include "MailMessage.h"
#include "platform/mail/AddressList.h"

#include <memory>

// The mail component (GMime, libcurl and all they bring) is a library of its
// own, loaded when first needed, so none of it weighs on the program's
// start-up. Both raise RuntimeError when it can't be loaded.
namespace MailComponent
{

std::unique_ptr<MailMessage> createMailMessage();
QList<MailAddress> parseAddressList(const QString& text, const QString& what);

} // namespace MailComponent
