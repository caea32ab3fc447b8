#include "AtomicFile.h"

#include "platform/RuntimeError.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

constexpr mode_t OwnerOnlyFile = S_IRUSR | S_IWUSR;
constexpr mode_t OwnerOnlyFolder = S_IRWXU;

QString linkRefusal()
{
    return QStringLiteral("This is a symbolic link. Vellum does not read or write its files through "
                          "links: put the file itself in its place.");
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
        return QStringLiteral("This is a folder, not a file.");
    return QStringLiteral("This is not a regular file.");
}

// Empty when the path is free or holds a regular file.
QString regularFileProblem(const QString& path)
{
    struct stat status {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? QString() : systemReason(errno);
    return notARegularFile(status.st_mode);
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

} // namespace

void requireRegularFile(const QString& path)
{
    const QString problem = regularFileProblem(path);
    if (!problem.isEmpty())
        throw fileError(path, problem);
}

void prepareOwnerOnlyFile(const QString& path)
{
    const int descriptor = openNoFollow(path, O_WRONLY | O_CREAT);
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
    // QSaveFile itself would resolve a link and replace what it points to.
    const QString problem = regularFileProblem(fileName());
    if (!problem.isEmpty()) {
        setErrorString(problem);
        return false;
    }
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

void moveFileIntoPlace(const QString& source, const QString& path)
{
    requireRegularFile(path);
    const int descriptor = openNoFollow(source, O_RDONLY);
    if (descriptor < 0)
        throw fileError(source, systemReason(errno));
    const bool ready = ::fchmod(descriptor, OwnerOnlyFile) == 0 && ::fsync(descriptor) == 0;
    const int error = errno;
    ::close(descriptor);
    if (!ready)
        throw fileError(source, systemReason(error));
    // rename() replaces the name itself: whatever stands there is never written through.
    if (::rename(QFile::encodeName(source).constData(), QFile::encodeName(path).constData()) != 0)
        throw fileError(path, systemReason(errno));
}

bool openRegularFileForReading(QFile& file, const QString& path)
{
    const int descriptor = openNoFollow(path, O_RDONLY);
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
