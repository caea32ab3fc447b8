#pragma once

#include <QByteArray>
#include <QString>

class TextFileWriter
{
public:
    virtual ~TextFileWriter() = default;

    // Writes the bytes as given, all or nothing. Raises RuntimeError on failure.
    virtual void writeTextFile(const QString& path, const QByteArray& content) = 0;
};
