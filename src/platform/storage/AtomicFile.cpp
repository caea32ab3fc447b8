#include "AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{

RuntimeError fileError(const QString& path, const QString& reason)
{
    return RuntimeError(RuntimeError::FileAccess, QStringLiteral("%1: %2").arg(path, reason));
}

// Gives the unnamed file behind the descriptor the name, replacing what is
// there. False when it can't be linked at all (another file system, a file
// that had a name once); the caller copies then.
bool linkAs(int descriptor, const QString& path)
{
    const QByteArray source = "/proc/self/fd/" + QByteArray::number(descriptor);
    const QFileInfo target(path);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const QByteArray temporary =
            QFile::encodeName(target.absolutePath() +
                              QStringLiteral("/.%1.%2")
                                  .arg(target.fileName())
                                  .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        if (::linkat(AT_FDCWD, source.constData(), AT_FDCWD, temporary.constData(), AT_SYMLINK_FOLLOW) != 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        // A name of its own first, then over the old one in one step.
        if (::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
            const int error = errno;
            ::unlink(temporary.constData());
            throw fileError(path, QString::fromLocal8Bit(std::strerror(error)));
        }
        return true;
    }
    return false;
}

} // namespace

void writeFileAtomically(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    // Unbuffered, so a short write on a full disk is seen here: a buffered
    // QSaveFile can commit a truncated file in that case.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fileError(path, file.errorString());
    if (file.write(content) != content.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw fileError(path, reason);
    }
    if (!file.commit())
        throw fileError(path, file.errorString());
}

void writeFileAtomically(const QString& path, const MessageSource& content)
{
    if (content.fileDescriptor() < 0) {
        writeFileAtomically(path, content.toByteArray());
        return;
    }
    if (linkAs(content.fileDescriptor(), path))
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fileError(path, file.errorString());
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (qint64 offset = 0; offset < content.size();) {
        const qint64 length = content.read(offset, block.data(), block.size());
        if (length <= 0) {
            file.cancelWriting();
            throw fileError(path, QStringLiteral("the message can't be read back"));
        }
        if (file.write(block.constData(), length) != length) {
            const QString reason = file.errorString();
            file.cancelWriting();
            throw fileError(path, reason);
        }
        offset += length;
    }
    if (!file.commit())
        throw fileError(path, file.errorString());
}
