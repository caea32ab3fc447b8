#include "MessageSource.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

struct MessageSource::Data {
    QByteArray bytes;
    int fileDescriptor = -1;
    qint64 size = 0;

    ~Data()
    {
        if (fileDescriptor >= 0)
            ::close(fileDescriptor);
    }
};

MessageSource::MessageSource(const QByteArray& bytes)
{
    auto data = std::make_shared<Data>();
    data->bytes = bytes;
    data->size = bytes.size();
    d = std::move(data);
}

MessageSource MessageSource::fromFile(int fileDescriptor, qint64 size)
{
    auto data = std::make_shared<Data>();
    data->fileDescriptor = fileDescriptor;
    data->size = size;
    MessageSource source;
    source.d = std::move(data);
    return source;
}

qint64 MessageSource::size() const
{
    return d ? d->size : 0;
}

int MessageSource::fileDescriptor() const
{
    return d ? d->fileDescriptor : -1;
}

qint64 MessageSource::read(qint64 offset, char* buffer, qint64 maxSize) const
{
    const qint64 length = qBound<qint64>(0, size() - offset, maxSize);
    if (length == 0)
        return 0;
    if (d->fileDescriptor < 0) {
        std::memcpy(buffer, d->bytes.constData() + offset, size_t(length));
        return length;
    }
    ssize_t done;
    do
        done = ::pread(d->fileDescriptor, buffer, size_t(length), offset);
    while (done < 0 && errno == EINTR);
    return done;
}

QByteArray MessageSource::toByteArray() const
{
    if (!d || d->fileDescriptor < 0)
        return d ? d->bytes : QByteArray();
    QByteArray bytes(size(), Qt::Uninitialized);
    qint64 offset = 0;
    while (offset < bytes.size()) {
        const qint64 done = read(offset, bytes.data() + offset, bytes.size() - offset);
        if (done <= 0)
            return QByteArray();
        offset += done;
    }
    return bytes;
}
