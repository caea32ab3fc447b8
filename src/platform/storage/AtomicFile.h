#pragma once

#include "platform/MessageSource.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class QFile;

// Every file the program writes holds the user's mail, contacts or password:
// it is readable by its owner only, replaced all at once, and never written
// or read through a symbolic link. A link (or a folder) where one of these
// files belongs is refused with a message that names it; the link and what
// it points to are left alone.

// Raises RuntimeError when something other than a regular file stands at
// the path; an absent path passes.
void requireRegularFile(const QString& path);

// Leaves an owner-only regular file at the path, empty when none was there,
// for a writer that replaces it and keeps its permissions (QSettings).
// Raises RuntimeError.
void prepareOwnerOnlyFile(const QString& path);

// A QSaveFile that refuses a link or a folder at its path and is owner-only
// before its first byte; the old file stays whole until commit().
class PrivateSaveFile : public QSaveFile
{
public:
    explicit PrivateSaveFile(const QString& path);

    // On failure errorString() says why.
    bool open(OpenMode mode) override;
};

// Replaces the file with the bytes, all or nothing. Raises RuntimeError.
void writeFileAtomically(const QString& path, const QByteArray& content);
// The same for bytes that may sit in a file without a name: that file
// gets the name, so nothing is copied; elsewhere they are copied in blocks.
void writeFileAtomically(const QString& path, const MessageSource& content);

// Opens the file for reading without following a link. False when nothing
// is there; raises RuntimeError for a link, a folder or an unreadable file.
bool openRegularFileForReading(QFile& file, const QString& path);

// Creates the folder with every missing parent, each owner-only (0700);
// folders that exist keep their permissions. True when the folder exists
// afterwards.
bool createPrivateFolder(const QString& path);
