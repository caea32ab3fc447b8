#pragma once

#include <QString>

// The process-wide server and mail settings. Loaded and saved by the
// composer, edited by the settings dialog, read when sending.
namespace MailSettings
{

extern QString MailFrom;
extern QString UserName;
// Plain in memory; only the stored form is scrambled.
extern QString Password;
extern QString SMTPServer;
extern int SMTPServerPort;
extern bool UseSSL;
extern bool TempFilePrefix;

} // namespace MailSettings
