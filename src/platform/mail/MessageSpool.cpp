// GLib names a member "signals", which Qt's keyword macro would rewrite: GMime comes first.
#include <gmime/gmime.h>

#include "MessageSpool.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace
{

// Opens a file without a name in the folder: owner-only, gone with the last descriptor.
int openUnnamedFile(const QString& folder, QString* reason)
{
    const QByteArray path = QFile::encodeName(folder);
    int descriptor = ::open(path.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor >= 0)
        return descriptor;
    const int tmpfileError = errno;
    // Some file systems can't make one directly; a file removed at once is
    // as good, except that the copy then can't be linked and is copied instead.
    QByteArray pattern = path + "/.vellum-spool-XXXXXX";
    descriptor = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor >= 0) {
        ::unlink(pattern.constData());
        return descriptor;
    }
    *reason = QString::fromLocal8Bit(
        std::strerror(tmpfileError == EISDIR || tmpfileError == EOPNOTSUPP ? errno : tmpfileError));
    return -1;
}

} // namespace

// The stream GMime writes the message through: its writes go to the spool,
// which passes them on to the file in large blocks.
struct SpoolStream {
    GMimeStreamFs parent;
    MessageSpool* spool;
};

struct SpoolStreamClass {
    GMimeStreamFsClass parent;
};

G_DEFINE_TYPE(SpoolStream, spool_stream, GMIME_TYPE_STREAM_FS)

static void spool_stream_init(SpoolStream*) {}

static ssize_t spoolStreamWrite(GMimeStream* stream, const char* buffer, size_t length)
{
    return reinterpret_cast<SpoolStream*>(stream)->spool->write(buffer, qint64(length));
}

static int spoolStreamFlush(GMimeStream* stream)
{
    return reinterpret_cast<SpoolStream*>(stream)->spool->flush() ? 0 : -1;
}

static void spool_stream_class_init(SpoolStreamClass* klass)
{
    GMimeStreamClass* streamClass = GMIME_STREAM_CLASS(klass);
    streamClass->write = spoolStreamWrite;
    streamClass->flush = spoolStreamFlush;
}

MessageSpool::MessageSpool(const QStringList& folders)
{
    QString reason;
    for (const QString& folder : folders) {
        m_fileDescriptor = openUnnamedFile(folder, &reason);
        if (m_fileDescriptor >= 0) {
            m_block.reserve(BlockSize);
            return;
        }
    }
    throw RuntimeError(
        RuntimeError::MailFailure,
        QCoreApplication::translate(
            "MessageSpool", "The message can't be put together: there is no folder to write it to (%1).")
            .arg(reason));
}

MessageSpool::~MessageSpool()
{
    if (m_fileDescriptor >= 0)
        ::close(m_fileDescriptor);
}

GMimeStream* MessageSpool::newStream()
{
    auto* stream = static_cast<SpoolStream*>(g_object_new(spool_stream_get_type(), nullptr));
    g_mime_stream_construct(GMIME_STREAM(stream), 0, -1);
    stream->parent.fd = m_fileDescriptor;
    stream->parent.owner = FALSE;
    stream->parent.eos = FALSE;
    stream->spool = this;
    return GMIME_STREAM(stream);
}

qint64 MessageSpool::write(const char* data, qint64 size)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_state == Cancelled) {
            errno = ECANCELED;
            return -1;
        }
    }
    if (size >= 2) {
        std::memcpy(m_tail, data + size - 2, 2);
    } else if (size == 1) {
        m_tail[0] = m_tail[1];
        m_tail[1] = data[0];
    }
    m_block.append(data, size);
    if (m_block.size() >= BlockSize && !flush())
        return -1;
    return size;
}

bool MessageSpool::flush()
{
    qint64 done = 0;
    while (done < m_block.size()) {
        const ssize_t length =
            ::write(m_fileDescriptor, m_block.constData() + done, size_t(m_block.size() - done));
        if (length < 0 && errno == EINTR)
            continue;
        if (length <= 0) {
            const int error = length < 0 ? errno : ENOSPC;
            std::lock_guard lock(m_mutex);
            if (m_writeError.isEmpty())
                m_writeError = QString::fromLocal8Bit(std::strerror(error));
            return false;
        }
        done += length;
    }
    m_block.clear();
    {
        std::lock_guard lock(m_mutex);
        m_written += done;
    }
    m_changed.notify_all();
    return true;
}

QString MessageSpool::writeError() const
{
    std::lock_guard lock(m_mutex);
    return m_writeError;
}

bool MessageSpool::endsWithLineBreak() const
{
    return m_tail[0] == '\r' && m_tail[1] == '\n';
}

void MessageSpool::finish()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_state == Writing)
            m_state = Finished;
    }
    m_changed.notify_all();
}

void MessageSpool::fail(const RuntimeError& error)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_state != Writing)
            return;
        m_state = Failed;
        m_failure = error;
    }
    m_changed.notify_all();
}

void MessageSpool::cancel()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_state == Writing)
            m_state = Cancelled;
    }
    m_changed.notify_all();
}

std::optional<RuntimeError> MessageSpool::failure() const
{
    std::lock_guard lock(m_mutex);
    return m_failure;
}

qint64 MessageSpool::read(char* buffer, qint64 maxSize)
{
    qint64 length;
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_written > m_readOffset || m_state != Writing; });
        if (m_state == Failed || m_state == Cancelled)
            return -1;
        length = qMin(maxSize, m_written - m_readOffset);
    }
    if (length == 0)
        return 0;
    ssize_t done;
    do
        done = ::pread(m_fileDescriptor, buffer, size_t(length), m_readOffset);
    while (done < 0 && errno == EINTR);
    if (done <= 0)
        return -1;
    std::lock_guard lock(m_mutex);
    m_readOffset += done;
    return done;
}

MessageSource MessageSpool::source() const
{
    std::lock_guard lock(m_mutex);
    if (m_state != Finished)
        return MessageSource();
    const int descriptor = ::fcntl(m_fileDescriptor, F_DUPFD_CLOEXEC, 0);
    if (descriptor < 0)
        throw RuntimeError(RuntimeError::MailFailure, QString::fromLocal8Bit(std::strerror(errno)));
    return MessageSource::fromFile(descriptor, m_written);
}
