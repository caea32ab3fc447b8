#pragma once

#include "DraftFile.h"

#include <QString>
#include <QStringList>

// The drafts of every running instance of the program, one file each in
// the data folder, named after the instance that writes it. An instance
// holds a lock beside its draft while it runs; a draft whose lock nobody
// holds was left by an instance that is gone, and the next start takes it
// over.
class DraftStore
{
public:
    struct TakeOver {
        // The newest readable draft left behind, now this instance's own.
        std::optional<Draft> draft;
        // Files that were no readable draft, under their new names.
        QStringList keptUnreadable;
        // Drafts left behind that wait for later starts.
        int waiting = 0;
    };

    explicit DraftStore(QString folder);
    ~DraftStore();
    DraftStore(const DraftStore&) = delete;
    DraftStore& operator=(const DraftStore&) = delete;

    // Claims the newest draft of an instance that is gone; an unreadable
    // one is kept aside under a name that says so, never deleted.
    TakeOver takeOver();
    // Replaces this instance's draft, all or nothing. Raises RuntimeError.
    void write(const Draft& draft);
    // Removes this instance's draft, if there is one, and its lock; a later
    // write takes the lock again.
    void remove();

    QString draftPath() const;
    static QString unreadablePrefix();

private:
    QString pathFor(const QString& instance, const char* extension) const;
    // Held from the first claim or write until the end of the process.
    void lockInstance();
    void unlockInstance();
    bool isRunning(const QString& instance) const;
    // The drafts of instances that are gone, newest first.
    QStringList abandonedInstances() const;
    std::optional<Draft> read(QString* reason) const;
    QString keepAside(const QString& instance);

    QString m_folder;
    QString m_instance;
    int m_lockDescriptor = -1;
};
