#include "AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr mode_t OwnerOnlyFile = S_IRUSR | S_IWUSR;
constexpr mode_t OwnerOnlyFolder = S_IRWXU;

// A link swapped in after the file was located.
QString linkRefusal()
{
    return QCoreApplication::translate("AtomicFile",
                                       "This is a symbolic link that changed while Vellum used it.");
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Why the thing at the path is no file to replace; empty when it is one.
QString notARegularFile(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISLNK(mode))
        return linkRefusal();
    if (S_ISDIR(mode))
        return QCoreApplication::translate("AtomicFile", "This is a folder, not a file.");
    return QCoreApplication::translate("AtomicFile", "This is not a regular file.");
}

// Why a link can't be followed to its target; empty when it can.
QString linkTargetProblem(const QString& target, const struct stat& status)
{
    if (S_ISDIR(status.st_mode))
        return QCoreApplication::translate("AtomicFile", "This is a symbolic link to %1, which is a folder.")
            .arg(target);
    if (!S_ISREG(status.st_mode))
        return QCoreApplication::translate("AtomicFile",
                                           "This is a symbolic link to %1, which is not a regular file.")
            .arg(target);
    if (status.st_uid != ::geteuid())
        return QCoreApplication::translate(
                   "AtomicFile", "This is a symbolic link to %1, a file of another user: Vellum does not "
                                 "write through it.")
            .arg(target);
    return QString();
}

RuntimeError fileError(const QString& path, const QString& reason)
{
    return RuntimeError(RuntimeError::FileAccess, QStringLiteral("%1: %2").arg(path, reason));
}

// Opens a regular file without following a link at the last step;
// O_NONBLOCK so that a pipe in place of the file cannot stall the program.
// -1 when nothing is there.
int openNoFollow(const QString& path, int flags)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(),
                                  flags | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, OwnerOnlyFile);
    if (descriptor < 0 && (errno == ENOENT || errno == ENOTDIR))
        return -1;
    if (descriptor < 0)
        throw fileError(path, errno == ELOOP ? linkRefusal() : systemReason(errno));
    struct stat status {
    };
    const QString problem =
        ::fstat(descriptor, &status) == 0 ? notARegularFile(status.st_mode) : systemReason(errno);
    if (!problem.isEmpty()) {
        ::close(descriptor);
        throw fileError(path, problem);
    }
    return descriptor;
}

// Gives the unnamed file behind the descriptor the name, replacing what is
// there. False when it can't be linked at all (another file system, a file
// that had a name once); the caller copies then.
bool linkAs(int descriptor, const QString& path)
{
    if (::fchmod(descriptor, OwnerOnlyFile) != 0)
        throw fileError(path, systemReason(errno));
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
            throw fileError(path, systemReason(error));
        }
        return true;
    }
    return false;
}

} // namespace

StoredFile locateStoredFile(const QString& path)
{
    struct stat status {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return {path, errno == ENOENT || errno == ENOTDIR ? QString() : systemReason(errno)};
    if (!S_ISLNK(status.st_mode))
        return {path, notARegularFile(status.st_mode)};
    const QFileInfo link(path);
    const QString target = link.canonicalFilePath();
    if (target.isEmpty())
        return {path, QCoreApplication::translate("AtomicFile",
                                                  "This is a symbolic link to %1, which does not exist.")
                          .arg(link.symLinkTarget())};
    if (::lstat(QFile::encodeName(target).constData(), &status) != 0)
        return {path, systemReason(errno)};
    return {target, linkTargetProblem(target, status)};
}

QString requireStoredFile(const QString& path)
{
    const StoredFile file = locateStoredFile(path);
    if (!file.problem.isEmpty())
        throw fileError(path, file.problem);
    return file.path;
}

void prepareOwnerOnlyFile(const QString& path)
{
    const int descriptor = openNoFollow(requireStoredFile(path), O_WRONLY | O_CREAT);
    if (descriptor < 0)
        throw fileError(path, systemReason(errno));
    const bool restricted = ::fchmod(descriptor, OwnerOnlyFile) == 0;
    const int error = errno;
    ::close(descriptor);
    if (!restricted)
        throw fileError(path, systemReason(error));
}

PrivateSaveFile::PrivateSaveFile(const QString& path) : QSaveFile(path) {}

bool PrivateSaveFile::open(OpenMode mode)
{
    // QSaveFile itself would follow any link; only the user's own file is written through.
    const StoredFile file = locateStoredFile(fileName());
    if (!file.problem.isEmpty()) {
        setErrorString(file.problem);
        return false;
    }
    // The new file is made beside the one it replaces, so the link stays a link.
    setFileName(file.path);
    if (!QSaveFile::open(mode))
        return false;
    // QSaveFile gives the new file the old one's permissions, which may be
    // wider; this runs before anything is written into it.
    if (!setPermissions(ReadOwner | WriteOwner)) {
        const QString reason = errorString();
        cancelWriting();
        commit();
        setErrorString(reason);
        return false;
    }
    return true;
}

void writeFileAtomically(const QString& path, const QByteArray& content)
{
    PrivateSaveFile file(path);
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
    // The new name replaces the file itself, beside it, never a link.
    if (linkAs(content.fileDescriptor(), requireStoredFile(path)))
        return;
    PrivateSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fileError(path, file.errorString());
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (qint64 offset = 0; offset < content.size();) {
        const qint64 length = content.read(offset, block.data(), block.size());
        if (length <= 0) {
            file.cancelWriting();
            throw fileError(path,
                            QCoreApplication::translate("AtomicFile", "the message can't be read back"));
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

bool openRegularFileForReading(QFile& file, const QString& path)
{
    const int descriptor = openNoFollow(requireStoredFile(path), O_RDONLY);
    if (descriptor < 0)
        return false;
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        throw fileError(path, file.errorString());
    }
    return true;
}

bool createPrivateFolder(const QString& path)
{
    if (path.isEmpty())
        return false;
    QStringList missing;
    for (QString folder = QFileInfo(path).absoluteFilePath(); !QFileInfo::exists(folder);) {
        missing.prepend(folder);
        const QString parent = QFileInfo(folder).path();
        if (parent == folder)
            break;
        folder = parent;
    }
    for (const QString& folder : std::as_const(missing))
        ::mkdir(QFile::encodeName(folder).constData(), OwnerOnlyFolder);
    return QFileInfo(path).isDir();
}
