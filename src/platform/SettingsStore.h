#pragma once

#include <QString>
#include <QVariant>

struct ApplicationIdentity;

// Named values kept between runs. The empty section name is a section of its own.
class SettingsStore
{
public:
    enum Kind {
        Text = 0,
        Integer = 1,
        Boolean = 3,
    };

    virtual ~SettingsStore() = default;

    // A missing value, or one that does not convert to the kind, yields the default.
    virtual QVariant read(const QString& section, const QString& key, Kind kind,
                          const ApplicationIdentity& identity, const QVariant& defaultValue) = 0;
    // Written values reach the store together, with commit().
    virtual void write(const QString& section, const QString& key, Kind kind, const QVariant& value,
                       const ApplicationIdentity& identity) = 0;
    // Stores every value written so far at once, or none of them. Values
    // not committed when the object goes are dropped.
    virtual void commit() = 0;
};
