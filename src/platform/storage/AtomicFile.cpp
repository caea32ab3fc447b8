#include "AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QSaveFile>

void writeFileAtomically(const QString& path, const QByteArray& content)
{
    QSaveFile file(path);
    // Unbuffered, so a short write on a full disk is seen here: a buffered
    // QSaveFile can commit a truncated file in that case.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("%1: %2").arg(path, file.errorString()));
    if (file.write(content) != content.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("%1: %2").arg(path, reason));
    }
    if (!file.commit())
        throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("%1: %2").arg(path, file.errorString()));
}
