#pragma once

#include "platform/storage/DraftStore.h"

#include <QObject>
#include <QTimer>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <stop_token>
#include <thread>

// Keeps the composer's message in progress on disk: shortly after each
// change, off the window's thread, so that typing never waits for the disk.
// The window tells it what changed and how it ends; it never writes while
// nothing changes.
class DraftKeeper : public QObject
{
    Q_OBJECT
public:
    // Quiet time after a change before the draft is written, and the longest
    // a change waits while the user keeps typing.
    static constexpr int QuietMilliseconds = 300;
    static constexpr int LongestWaitMilliseconds = 1000;

    using Snapshot = std::function<Draft()>;

    // An empty folder keeps nothing.
    DraftKeeper(const QString& folder, Snapshot snapshot, QObject* parent = nullptr);
    ~DraftKeeper() override;

    // The draft a previous run left, which this one keeps from now on.
    DraftStore::TakeOver takeOver();
    // Some part of the message changed.
    void changed();
    // The program ends without the user choosing to: the message as it is
    // now stays on disk for the next start, marked with why it ended.
    void keep(const QString& endedBy);
    // The user ended the message (closed the window, or it was sent).
    void discard();

    QString draftPath() const { return m_store ? m_store->draftPath() : QString(); }

signals:
    void writeFailed(const QString& reason);

private:
    void save();
    void enqueue(Draft draft);
    void waitUntilWritten();
    void run(const std::stop_token& stop);

    Snapshot m_snapshot;
    std::optional<DraftStore> m_store;
    QTimer m_quiet;
    QTimer m_longestWait;
    bool m_changed = false;
    // What was last handed to the writer, or taken over; nothing before.
    std::optional<Draft> m_lastSaved;

    std::mutex m_mutex;
    std::condition_variable_any m_wake;
    std::optional<Draft> m_pending;
    bool m_writing = false;
    // Last, so that it starts once the rest exists and is joined first.
    std::jthread m_writer;
};
