#pragma once

#include <condition_variable>
#include <mutex>
#include <stop_token>
#include <thread>

// Work the first window waits for that can run on a thread of its own while
// the main thread sets up the application and builds the window.

// Sets fonts up on a thread of its own: first the font configuration and
// caches, the largest single cost of the first window, while the application
// object connects to the display; then, once that object exists, Qt's font
// database, while the main thread opens the data folder. The thread is
// started before the application object, when a core is free.
class FontSetup
{
public:
    FontSetup();

    // The application object exists. Returns once the font configuration is
    // read, for a font used before then would load a second one beside it.
    void applicationBuilt();

private:
    void run(const std::stop_token& stop);

    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    bool m_configurationRead = false;
    bool m_applicationBuilt = false;
    // Last, so that it starts once the rest exists and is joined first.
    std::jthread m_worker;
};

// Qt's accessibility bridge opens the session bus when a widget is first
// given a text, and the main thread waits for the connection there. Run once
// the application object exists, and finish before that object goes.
void openSessionBus();
