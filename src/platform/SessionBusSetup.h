#pragma once

#include <thread>

// Qt's accessibility bridge opens the session bus when a widget is first
// given a text, and the main thread waits for the connection there. Opened
// here on a thread of its own, it is ready by then. Create it once the
// application object exists; it must go before that object does.
class SessionBusSetup
{
public:
    SessionBusSetup();
    ~SessionBusSetup();
    SessionBusSetup(const SessionBusSetup&) = delete;
    SessionBusSetup& operator=(const SessionBusSetup&) = delete;

private:
    std::thread m_worker;
};
