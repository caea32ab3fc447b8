#pragma once

#include <QString>
#include <functional>

// Opens a folder in the desktop's file manager. False when the folder is
// missing or no file manager could be started.
namespace Shell
{

bool openFolder(const QString& path);

// Tests answer in place of a real file manager.
void setOpenFolderHandler(std::function<bool(const QString&)> handler);

} // namespace Shell
