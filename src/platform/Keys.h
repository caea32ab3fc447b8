#pragma once

#include <QKeyEvent>

// Key events in the terms of the key tables: a virtual-key code and a shift
// state made of Shift 1, Ctrl 2, Alt 4. A binding compares the whole set.
namespace Keys
{

enum Code {
    Return = 13,
    Escape = 27,
    Insert = 45,
    Delete = 46,
    A = 65,
    F1 = 112,
    F2 = 113,
    F5 = 116,
    F12 = 123,
};

enum Shift {
    NoModifier = 0,
    ShiftKey = 1,
    CtrlKey = 2,
    AltKey = 4,
};

int shiftState(Qt::KeyboardModifiers modifiers);
// 0 for keys that have no virtual-key code of interest.
int virtualKeyCode(const QKeyEvent* event);

inline int shiftState(const QKeyEvent* event)
{
    return shiftState(event->modifiers());
}

} // namespace Keys
