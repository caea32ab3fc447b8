#include "DataLocation.h"

#include "platform/Support.h"

QString dataFolderLocation()
{
    return ksBuildFileName(ksGetSpecialFolder(SpecialFolderAppData), QStringLiteral("Tessaline\\Vellum"));
}
