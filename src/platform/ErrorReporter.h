#pragma once

#include <QString>

class RuntimeError;

class ErrorReporter
{
public:
    virtual ~ErrorReporter() = default;

    // Shows the text and the error's description modally; returns the
    // message-box answer (MessageBox::Answer).
    virtual int reportError(const RuntimeError& error, int style, const QString& text) = 0;
};
