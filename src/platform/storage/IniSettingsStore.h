#pragma once

#include "platform/SettingsStore.h"

#include <QList>
#include <memory>
#include <utility>

class QSettings;

// An INI file in the user's config folder, readable by its owner only: it
// holds the scrambled password.
class IniSettingsStore : public SettingsStore
{
public:
    // An empty path means the program's own settings file.
    explicit IniSettingsStore(QString filePath = QString());
    ~IniSettingsStore() override;

    QVariant read(const QString& section, const QString& key, Kind kind, const ApplicationIdentity& identity,
                  const QVariant& defaultValue) override;
    void write(const QString& section, const QString& key, Kind kind, const QVariant& value,
               const ApplicationIdentity& identity) override;
    // One atomic rewrite of the file, none when every value is already stored.
    void commit() override;

    QString filePath() const { return m_filePath; }
    static QString defaultFilePath();

private:
    // Null when the file can not be used.
    QSettings* settings();

    QString m_filePath;
    std::unique_ptr<QSettings> m_settings;
    // A file that can't be used is read as empty and never written.
    bool m_unusable = false;
    // Written but not yet committed, in the order written.
    QList<std::pair<QString, QVariant>> m_pending;
};
