#include "DraftStore.h"

#include "AtomicFile.h"
#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

const QString DraftPrefix = QStringLiteral("Draft ");
const QString UnreadablePrefix = QStringLiteral("Unreadable draft ");

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// The moment of the last write, of a link itself rather than its target.
qint64 modifiedNanoseconds(const QString& path)
{
    struct stat status {
    };
    if (::lstat(encoded(path).constData(), &status) != 0)
        return 0;
    return qint64(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
}

// Renames without replacing what stands at the new name; a link is renamed
// itself, never followed.
bool renameNoReplace(const QString& from, const QString& to)
{
    return ::renameat2(AT_FDCWD, encoded(from).constData(), AT_FDCWD, encoded(to).constData(),
                       RENAME_NOREPLACE) == 0;
}

} // namespace

DraftStore::DraftStore(QString folder) : m_folder(std::move(folder))
{
    // The process id tells running instances apart, the start time the runs
    // of one process id over time; a second store in one process (only
    // tests make one) gets a number of its own.
    static std::atomic<int> stores = 0;
    const int number = ++stores;
    m_instance =
        QLocale::c().toString(QDateTime::currentDateTime(), QStringLiteral("yyyy-MM-dd hh-mm-ss-zzz")) +
        QLatin1Char(' ') + QString::number(QCoreApplication::applicationPid());
    if (number > 1)
        m_instance += QLatin1Char('-') + QString::number(number);
}

DraftStore::~DraftStore()
{
    unlockInstance();
}

void DraftStore::unlockInstance()
{
    if (m_lockDescriptor < 0)
        return;
    ::unlink(encoded(pathFor(m_instance, "lock")).constData());
    ::close(m_lockDescriptor);
    m_lockDescriptor = -1;
}

QString DraftStore::pathFor(const QString& instance, const char* extension) const
{
    return m_folder + QLatin1Char('/') + DraftPrefix + instance + QLatin1Char('.') + QLatin1String(extension);
}

QString DraftStore::draftPath() const
{
    return pathFor(m_instance, "json");
}

QString DraftStore::unreadablePrefix()
{
    return UnreadablePrefix;
}

void DraftStore::lockInstance()
{
    if (m_lockDescriptor >= 0)
        return;
    const QString path = pathFor(m_instance, "lock");
    // flock rather than QLockFile: the lock goes with the process however it
    // ends, and QLockFile's check of the holder's process id can't see into
    // another instance, which keeps itself from being inspected.
    const int descriptor =
        ::open(encoded(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, S_IRUSR | S_IWUSR);
    if (descriptor < 0)
        throw RuntimeError(RuntimeError::FileAccess,
                           QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(descriptor);
        throw RuntimeError(RuntimeError::FileAccess,
                           QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(error))));
    }
    m_lockDescriptor = descriptor;
}

bool DraftStore::isRunning(const QString& instance) const
{
    const QString path = pathFor(instance, "lock");
    const int descriptor = ::open(encoded(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (descriptor < 0)
        return errno != ENOENT;
    const bool held = ::flock(descriptor, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    if (!held) {
        // An instance locks before it writes its first draft, so a lock
        // nobody holds beside a draft is left from one that is gone.
        ::unlink(encoded(path).constData());
    }
    ::close(descriptor);
    return held;
}

QStringList DraftStore::abandonedInstances() const
{
    const QStringList names =
        QDir(m_folder).entryList({DraftPrefix + QStringLiteral("*.json")}, QDir::Files | QDir::System);
    std::vector<std::pair<qint64, QString>> found;
    for (const QString& name : names) {
        const QString instance = name.mid(DraftPrefix.size(), name.size() - DraftPrefix.size() - 5);
        if (instance != m_instance && !isRunning(instance))
            found.emplace_back(modifiedNanoseconds(m_folder + QLatin1Char('/') + name), instance);
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a > b; });
    QStringList instances;
    for (const auto& [modified, instance] : found)
        instances.append(instance);
    return instances;
}

DraftStore::TakeOver DraftStore::takeOver()
{
    TakeOver result;
    QStringList candidates = abandonedInstances();
    if (candidates.isEmpty())
        return result;
    lockInstance();
    while (!candidates.isEmpty()) {
        const QString instance = candidates.takeFirst();
        // Of two instances starting at once, one gets it.
        if (!renameNoReplace(pathFor(instance, "json"), draftPath()))
            continue;
        QString reason;
        if ((result.draft = read(&reason)))
            break;
        result.keptUnreadable.append(keepAside(instance));
    }
    result.waiting = int(candidates.size());
    return result;
}

std::optional<Draft> DraftStore::read(QString* reason) const
{
    // Only this program makes drafts, so a link at a draft's name was put
    // there by someone else: never read through it, even to the user's file.
    if (QFileInfo(draftPath()).isSymLink()) {
        *reason = QStringLiteral("a symbolic link");
        return std::nullopt;
    }
    QFile file;
    try {
        if (!openRegularFileForReading(file, draftPath())) {
            *reason = QStringLiteral("gone");
            return std::nullopt;
        }
    } catch (const RuntimeError& error) {
        *reason = error.description();
        return std::nullopt;
    }
    if (file.size() > DraftFile::MaximumSize) {
        *reason = QStringLiteral("too large for a draft");
        return std::nullopt;
    }
    return DraftFile::fromBytes(file.readAll(), reason);
}

QString DraftStore::keepAside(const QString& instance)
{
    for (int attempt = 1;; ++attempt) {
        const QString name = UnreadablePrefix + instance +
                             (attempt > 1 ? QStringLiteral(" (%1)").arg(attempt) : QString()) +
                             QStringLiteral(".json");
        if (renameNoReplace(draftPath(), m_folder + QLatin1Char('/') + name))
            return name;
        if (errno != EEXIST)
            return QFileInfo(draftPath()).fileName();
    }
}

void DraftStore::write(const Draft& draft)
{
    lockInstance();
    writeFileAtomically(draftPath(), DraftFile::toBytes(draft));
}

void DraftStore::remove()
{
    ::unlink(encoded(draftPath()).constData());
    unlockInstance();
}
