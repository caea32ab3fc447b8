#pragma once

#include "platform/HistoryList.h"

#include <QStringList>

// Keeps the entries newest first, without duplicates, in a UTF-8 text file
// of the data folder, one entry a line. An entry read from the file is
// written back with the very bytes it was read as, so a line in another
// encoding is shown as well as it can be but never rewritten.
class FileHistoryList : public HistoryList
{
public:
    static constexpr int MaximumEntries = 50;

    // An empty folder means the program's data folder.
    explicit FileHistoryList(QString folder = QString());

    void open(const QString& fileName, const ApplicationIdentity& identity) override;
    void load() override;
    void save() override;
    void add(const QString& entry) override;
    void pick(QLineEdit* textBox) override;

    // As they are offered, newest first.
    QStringList entries() const override { return m_entries.shown; }
    QString filePath() const { return m_filePath; }

private:
    struct Entries {
        QStringList shown;
        // Each entry as the file holds it, in the same order.
        QList<QByteArray> stored;

        // Newest first, replacing an equal entry.
        void add(const QString& entry, QByteArray line);
        // A line of the file, oldest last; lines that are no entry are skipped.
        void append(QByteArrayView line);
    };

    void requireOpen() const;
    Entries readFile() const;

    QString m_folder;
    QString m_filePath;
    Entries m_entries;
    // Added in this run, oldest first.
    QStringList m_added;
    // A file that can't be used is loaded as empty and never saved.
    bool m_unusable = false;
};
