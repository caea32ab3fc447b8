#pragma once

#include "MessageSource.h"

#include <QString>

class TextFileWriter
{
public:
    virtual ~TextFileWriter() = default;

    // Writes the bytes as given, all or nothing, owner-only. Raises RuntimeError on failure.
    virtual void writeTextFile(const QString& path, const MessageSource& content) = 0;
};
