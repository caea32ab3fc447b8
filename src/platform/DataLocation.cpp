#include "DataLocation.h"

#include "Support.h"

QString dataFolderLocation()
{
    return ksBuildFileName(ksGetSpecialFolder(SpecialFolderAppData), QStringLiteral("Tessaline\\Vellum"));
}
