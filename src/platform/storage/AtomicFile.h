#pragma once

#include "platform/MessageSource.h"

#include <QByteArray>
#include <QString>

// Replaces the file with the bytes, all or nothing. Raises RuntimeError.
void writeFileAtomically(const QString& path, const QByteArray& content);
// The same for bytes that may sit in a file without a name: that file
// gets the name, so nothing is copied; elsewhere they are copied in blocks.
void writeFileAtomically(const QString& path, const MessageSource& content);
