#include "FontSetup.h"

#include <fontconfig/fontconfig.h>

FontSetup::FontSetup() : m_worker([] { FcInit(); }) {}

FontSetup::~FontSetup()
{
    wait();
}

void FontSetup::wait()
{
    // Qt's own first call then finds the configuration loaded; racing it
    // would load a second one beside it.
    if (m_worker.joinable())
        m_worker.join();
}
