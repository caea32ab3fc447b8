#include "MailSettings.h"

QString MailSettings::MailFrom;
QString MailSettings::UserName;
QString MailSettings::Password;
QString MailSettings::SMTPServer;
int MailSettings::SMTPServerPort = 0;
bool MailSettings::UseSSL = false;
bool MailSettings::TempFilePrefix = false;
