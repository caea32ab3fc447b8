#include "StartupSteps.h"

#include <QDBusConnection>
#include <fontconfig/fontconfig.h>

void readFontConfiguration()
{
    FcInit();
}

void openSessionBus()
{
    QDBusConnection::sessionBus();
}
