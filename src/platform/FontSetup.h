#pragma once

#include <thread>

// Reading the font configuration and caches is the largest single cost of
// showing the first window, and needs no display: it runs beside the
// application object's set-up. Start it first thing; wait() before the
// first widget that uses a font.
class FontSetup
{
public:
    FontSetup();
    ~FontSetup();
    FontSetup(const FontSetup&) = delete;
    FontSetup& operator=(const FontSetup&) = delete;

    void wait();

private:
    std::thread m_worker;
};
