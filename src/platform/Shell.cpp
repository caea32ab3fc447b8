#include "Shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace
{

std::function<bool(const QString&)>& handler()
{
    static std::function<bool(const QString&)> instance;
    return instance;
}

} // namespace

bool Shell::openFolder(const QString& path)
{
    if (handler())
        return handler()(path);
    if (!QFileInfo(path).isDir())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Shell::setOpenFolderHandler(std::function<bool(const QString&)> handler_)
{
    handler() = std::move(handler_);
}
