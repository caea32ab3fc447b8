#pragma once

#include <QString>

namespace modMain
{

// Full path of the per-user data folder, without a trailing separator; set
// once by Main.
extern QString DataFolder;

void Main();
// The data folder when it exists after the call, else the empty text after
// telling the user.
QString GetDataFolder();

} // namespace modMain
