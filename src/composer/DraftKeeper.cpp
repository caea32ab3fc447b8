#include "DraftKeeper.h"

#include "platform/RuntimeError.h"

DraftKeeper::DraftKeeper(const QString& folder, Snapshot snapshot, QObject* parent)
    : QObject(parent), m_snapshot(std::move(snapshot))
{
    if (folder.isEmpty())
        return;
    m_store.emplace(folder);
    m_quiet.setSingleShot(true);
    m_longestWait.setSingleShot(true);
    connect(&m_quiet, &QTimer::timeout, this, &DraftKeeper::save);
    connect(&m_longestWait, &QTimer::timeout, this, &DraftKeeper::save);
    m_writer = std::jthread([this](const std::stop_token& stop) { run(stop); });
}

DraftKeeper::~DraftKeeper()
{
    if (m_writer.joinable()) {
        waitUntilWritten();
        m_writer.request_stop();
        m_writer.join();
    }
}

DraftStore::TakeOver DraftKeeper::takeOver()
{
    if (!m_store)
        return {};
    DraftStore::TakeOver result;
    // Whatever stands in the data folder, the start goes on.
    try {
        result = m_store->takeOver();
    } catch (...) {
        const QString failure = RuntimeError::fromCurrentException().description();
        QMetaObject::invokeMethod(
            this, [this, failure] { emit writeFailed(failure); }, Qt::QueuedConnection);
        return {};
    }
    if (result.draft) {
        // The file holds it already; restoring it into the window is no change.
        m_lastSaved = result.draft;
        m_lastSaved->endedBy.clear();
    }
    return result;
}

void DraftKeeper::changed()
{
    if (!m_store)
        return;
    m_changed = true;
    m_quiet.start(QuietMilliseconds);
    if (!m_longestWait.isActive())
        m_longestWait.start(LongestWaitMilliseconds);
}

void DraftKeeper::save()
{
    m_quiet.stop();
    m_longestWait.stop();
    m_changed = false;
    Draft draft = m_snapshot();
    if (draft == m_lastSaved)
        return;
    m_lastSaved = draft;
    enqueue(std::move(draft));
}

void DraftKeeper::keep(const QString& endedBy)
{
    if (!m_store)
        return;
    m_quiet.stop();
    m_longestWait.stop();
    // Nothing typed and nothing taken over: there is no message to keep.
    if (m_changed || m_lastSaved) {
        Draft draft = m_snapshot();
        draft.endedBy = endedBy;
        m_lastSaved = draft;
        m_changed = false;
        enqueue(std::move(draft));
    }
    waitUntilWritten();
}

void DraftKeeper::discard()
{
    if (!m_store)
        return;
    m_quiet.stop();
    m_longestWait.stop();
    m_changed = false;
    {
        std::lock_guard lock(m_mutex);
        m_pending.reset();
    }
    // A write still running would bring the file back after the removal.
    waitUntilWritten();
    m_store->remove();
    m_lastSaved.reset();
}

void DraftKeeper::enqueue(Draft draft)
{
    std::lock_guard lock(m_mutex);
    // A newer state replaces one not yet written.
    m_pending = std::move(draft);
    m_wake.notify_all();
}

void DraftKeeper::waitUntilWritten()
{
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_pending && !m_writing; });
}

void DraftKeeper::run(const std::stop_token& stop)
{
    std::unique_lock lock(m_mutex);
    while (m_wake.wait(lock, stop, [this] { return m_pending.has_value(); })) {
        const Draft draft = *std::exchange(m_pending, std::nullopt);
        m_writing = true;
        lock.unlock();
        QString failure;
        try {
            m_store->write(draft);
        } catch (...) {
            failure = RuntimeError::fromCurrentException().description();
        }
        if (!failure.isEmpty())
            QMetaObject::invokeMethod(
                this, [this, failure] { emit writeFailed(failure); }, Qt::QueuedConnection);
        lock.lock();
        m_writing = false;
        m_wake.notify_all();
    }
}
