#pragma once

// Work the first window waits for that can run on a thread of its own while
// the main thread sets up the application and builds the window.

// Reads the font configuration and caches: the largest single cost of the
// first window, and needs no display. Finish it before the first widget that
// uses a font, or Qt's own first call would load a second one beside it.
void readFontConfiguration();

// Qt's accessibility bridge opens the session bus when a widget is first
// given a text, and the main thread waits for the connection there. Run once
// the application object exists, and finish before that object goes.
void openSessionBus();
