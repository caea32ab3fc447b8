#include "SessionBusSetup.h"

#include <QDBusConnection>

SessionBusSetup::SessionBusSetup() : m_worker([] { QDBusConnection::sessionBus(); }) {}

SessionBusSetup::~SessionBusSetup()
{
    m_worker.join();
}
