#include "StartupSteps.h"

#include <QDBusConnection>
#include <QFontDatabase>
#include <fontconfig/fontconfig.h>

FontSetup::FontSetup() : m_worker([this](const std::stop_token& stop) { run(stop); }) {}

void FontSetup::applicationBuilt()
{
    std::unique_lock lock(m_mutex);
    m_applicationBuilt = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_configurationRead; });
}

void FontSetup::run(const std::stop_token& stop)
{
    FcInit();
    std::unique_lock lock(m_mutex);
    m_configurationRead = true;
    m_changed.notify_all();
    // Without an application object, as when it could not be built, the
    // stop at destruction ends the wait.
    if (!m_changed.wait(lock, stop, [this] { return m_applicationBuilt; }))
        return;
    lock.unlock();
    QFontDatabase::families();
}

void openSessionBus()
{
    QDBusConnection::sessionBus();
}
