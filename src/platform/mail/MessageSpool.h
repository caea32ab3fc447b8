#pragma once

#include "platform/MessageSource.h"
#include "platform/RuntimeError.h"

#include <QStringList>
#include <condition_variable>
#include <mutex>
#include <optional>

typedef struct _GMimeStream GMimeStream;

// The file a message is written into once, while the transport reads it:
// one thread writes through stream(), another reads on as far as the
// writing has come. The file has no name, so nothing is left behind
// whatever ends the process; the local copy gets its name by a link.
class MessageSpool
{
public:
    // The file lives in the first of the folders where one can be made.
    // Raises RuntimeError when none can.
    explicit MessageSpool(const QStringList& folders);
    ~MessageSpool();
    MessageSpool(const MessageSpool&) = delete;
    MessageSpool& operator=(const MessageSpool&) = delete;

    // The writing side, one thread. The stream fails every write once the
    // reading side cancelled; flushing it hands the last bytes on.
    GMimeStream* newStream();
    qint64 write(const char* data, qint64 size);
    bool flush();
    bool endsWithLineBreak() const;
    void finish();
    // Ignored once cancelled: what follows a cancel says nothing new.
    void fail(const RuntimeError& error);
    // Why a write failed (the system's text), or empty.
    QString writeError() const;

    // The reading side: the next bytes in order, waiting for the writer when it
    // is behind. 0 at the end; -1 when the writing failed or was cancelled.
    qint64 read(char* buffer, qint64 maxSize);
    void cancel();
    std::optional<RuntimeError> failure() const;

    // The finished message.
    MessageSource source() const;

private:
    enum State { Writing, Finished, Failed, Cancelled };
    // Large enough that the reader seldom waits and the file sees few writes.
    static constexpr qsizetype BlockSize = 256 * 1024;

    int m_fileDescriptor = -1;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    State m_state = Writing;
    qint64 m_written = 0;
    qint64 m_readOffset = 0;
    // The writer's own.
    QByteArray m_block;
    char m_tail[2] = {};
    QString m_writeError;
    std::optional<RuntimeError> m_failure;
};
