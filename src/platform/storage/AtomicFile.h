#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file with the bytes, all or nothing. Raises RuntimeError.
void writeFileAtomically(const QString& path, const QByteArray& content);
