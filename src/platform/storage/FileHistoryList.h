#pragma once

#include "platform/HistoryList.h"

#include <QStringList>

// Keeps the entries newest first, without duplicates, in a UTF-8 text file
// of the data folder, one entry a line.
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

    QStringList entries() const override { return m_entries; }
    QString filePath() const { return m_filePath; }

private:
    void requireOpen() const;

    QString m_folder;
    QString m_filePath;
    QStringList m_entries;
};
