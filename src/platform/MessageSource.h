#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <memory>

// The bytes of one message as it was sent. A large message is never held in
// memory: it stays in a file without a name that only this process can reach,
// so whatever ends the process, nothing is left behind. Cheap to copy; the
// last copy releases the bytes.
class MessageSource
{
public:
    MessageSource() = default;
    explicit MessageSource(const QByteArray& bytes);
    // Takes over the open file descriptor, which holds exactly size bytes.
    static MessageSource fromFile(int fileDescriptor, qint64 size);

    qint64 size() const;
    bool isEmpty() const { return size() == 0; }
    // Up to maxSize bytes from the offset on; -1 when they can't be read.
    qint64 read(qint64 offset, char* buffer, qint64 maxSize) const;
    // Every byte at once: for small messages and for checking what was sent.
    QByteArray toByteArray() const;
    // The file that holds the bytes, or -1 when they are in memory.
    int fileDescriptor() const;

private:
    struct Data;
    std::shared_ptr<const Data> d;
};
