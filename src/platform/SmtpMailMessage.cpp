#include "SmtpMailMessage.h"

#include "RuntimeError.h"

void SmtpMailMessage::send()
{
    throw RuntimeError(RuntimeError::MailFailure, QStringLiteral("Sending is not available yet"));
}
