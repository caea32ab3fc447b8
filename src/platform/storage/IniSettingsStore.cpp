#include "IniSettingsStore.h"

#include "platform/RuntimeError.h"
#include "platform/Support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// The empty section is the top level of the file.
QString settingsKey(const QString& section, const QString& key)
{
    return section.isEmpty() ? key : section + QLatin1Char('/') + key;
}

std::optional<QVariant> convert(const QVariant& stored, SettingsStore::Kind kind)
{
    switch (kind) {
    case SettingsStore::Text:
        // An unquoted comma in a hand-edited file makes a list of the text.
        if (stored.typeId() == QMetaType::QStringList)
            return stored.toStringList().join(QLatin1String(", "));
        if (stored.canConvert<QString>())
            return stored.toString();
        return std::nullopt;
    case SettingsStore::Integer: {
        bool ok = false;
        const int value = stored.toString().trimmed().toInt(&ok);
        return ok ? std::optional<QVariant>(value) : std::nullopt;
    }
    case SettingsStore::Boolean: {
        const QString text = stored.toString().trimmed().toLower();
        if (text == QLatin1String("true") || text == QLatin1String("1"))
            return QVariant(true);
        if (text == QLatin1String("false") || text == QLatin1String("0"))
            return QVariant(false);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

QVariant storedForm(const QVariant& value, SettingsStore::Kind kind)
{
    switch (kind) {
    case SettingsStore::Integer:
        return value.toInt();
    case SettingsStore::Boolean:
        return value.toBool();
    case SettingsStore::Text:
        break;
    }
    return value.toString();
}

void requireKind(SettingsStore::Kind kind)
{
    if (kind != SettingsStore::Text && kind != SettingsStore::Integer && kind != SettingsStore::Boolean)
        throw RuntimeError(RuntimeError::InvalidArgument,
                           QStringLiteral("Unknown settings kind %1").arg(int(kind)));
}

} // namespace

IniSettingsStore::IniSettingsStore(QString filePath)
    : m_filePath(filePath.isEmpty() ? defaultFilePath() : std::move(filePath))
{
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::defaultFilePath()
{
    return ksBuildFileName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                           QStringLiteral("Tessaline/Vellum.ini"));
}

QSettings& IniSettingsStore::settings()
{
    if (!m_settings) {
        QDir().mkpath(QFileInfo(m_filePath).absolutePath());
        // Create the file owner-only before anything is written into it; the
        // atomic rewrites keep the permissions of the file they replace.
        const QByteArray path = QFile::encodeName(m_filePath);
        const int descriptor = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (descriptor >= 0)
            ::close(descriptor);
        ::chmod(path.constData(), S_IRUSR | S_IWUSR);
        m_settings = std::make_unique<QSettings>(m_filePath, QSettings::IniFormat);
    }
    return *m_settings;
}

QVariant IniSettingsStore::read(const QString& section, const QString& key, Kind kind,
                                const ApplicationIdentity&, const QVariant& defaultValue)
{
    requireKind(kind);
    QSettings& store = settings();
    if (store.status() == QSettings::AccessError)
        throw RuntimeError(RuntimeError::FileAccess,
                           QStringLiteral("%1: can't read settings").arg(m_filePath));
    const QVariant stored = store.value(settingsKey(section, key));
    if (!stored.isValid())
        return defaultValue;
    return convert(stored, kind).value_or(defaultValue);
}

void IniSettingsStore::write(const QString& section, const QString& key, Kind kind, const QVariant& value,
                             const ApplicationIdentity&)
{
    requireKind(kind);
    QSettings& store = settings();
    store.setValue(settingsKey(section, key), storedForm(value, kind));
    store.sync();
    if (store.status() != QSettings::NoError)
        throw RuntimeError(RuntimeError::FileAccess,
                           QStringLiteral("%1: can't write settings").arg(m_filePath));
    QFile::setPermissions(m_filePath, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
