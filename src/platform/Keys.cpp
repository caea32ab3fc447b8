#include "Keys.h"

int Keys::shiftState(Qt::KeyboardModifiers modifiers)
{
    int state = NoModifier;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftKey;
    if (modifiers & Qt::ControlModifier)
        state |= CtrlKey;
    if (modifiers & Qt::AltModifier)
        state |= AltKey;
    return state;
}

int Keys::virtualKeyCode(const QKeyEvent* event)
{
    const int key = event->key();
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return F1 + (key - Qt::Key_F1);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return A + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return 48 + (key - Qt::Key_0);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Return;
    case Qt::Key_Escape:
        return Escape;
    case Qt::Key_Insert:
        return Insert;
    case Qt::Key_Delete:
        return Delete;
    case Qt::Key_Backtab:
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Space:
        return 32;
    default:
        return 0;
    }
}
