#pragma once

#include "platform/mail/SmtpMailMessage.h"

#include <QString>
#include <memory>

class MailMessage;

// Time-outs short enough for a test, and the test server's certificate trusted.
SmtpMailMessage::Options testServerOptions();

// A message addressed to the test server on that port, as the composer fills
// it in: sender, one recipient, subject, login, a short body, the mailer.
std::unique_ptr<SmtpMailMessage> testMessage(int port,
                                             const SmtpMailMessage::Options& options = testServerOptions());

// The description of the error send() raised, or an empty text when it succeeded.
QString sendFailure(MailMessage& message);
