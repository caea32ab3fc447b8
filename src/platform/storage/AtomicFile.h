#pragma once

#include "platform/MessageSource.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class QFile;

// Every file the program writes holds the user's mail, contacts or password:
// it is readable by its owner only and replaced all at once. A symbolic link
// to a regular file of the user's own (as dotfile managers make them) is read
// and written through: the new file replaces the one it leads to, and the
// link stays. Anything else where one of these files belongs (a folder, a
// link to another user's file, to a folder or to nothing) is refused with a
// message that names it; it and what it leads to are left alone.

// Where the file at the path really is, or why it can't be used.
struct StoredFile {
    QString path;    // the path itself, or the file its link leads to
    QString problem; // empty when the file can be used
};
StoredFile locateStoredFile(const QString& path);

// The file to read and write for the path; an absent path is itself.
// Raises RuntimeError when it can't be used.
QString requireStoredFile(const QString& path);

// Leaves an owner-only regular file at the path, empty when none was there,
// for a writer that replaces it and keeps its permissions (QSettings).
// Raises RuntimeError.
void prepareOwnerOnlyFile(const QString& path);

// A QSaveFile that refuses what can't be used at its path and is owner-only
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

// Opens the file for reading. False when nothing is there; raises
// RuntimeError for what can't be used and for an unreadable file.
bool openRegularFileForReading(QFile& file, const QString& path);

// Creates the folder with every missing parent, each owner-only (0700);
// folders that exist keep their permissions. True when the folder exists
// afterwards.
bool createPrivateFolder(const QString& path);
