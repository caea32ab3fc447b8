#pragma once

#include "MailtoUrl.h"

#include <QString>
#include <optional>

namespace modMain
{

// Full path of the per-user data folder, without a trailing separator; set
// once by Main.
extern QString DataFolder;

// A mail link given on the command line starts the message.
void Main(const std::optional<MailtoUrl>& mailto = std::nullopt);
// The data folder when it exists after the call, else the empty text after
// telling the user.
QString GetDataFolder();

} // namespace modMain
