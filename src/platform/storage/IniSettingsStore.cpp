#include "IniSettingsStore.h"

#include "AtomicFile.h"
#include "UnusableFile.h"
#include "platform/RuntimeError.h"
#include "platform/Support.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <algorithm>

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

QSettings* IniSettingsStore::settings()
{
    if (!m_settings && !m_unusable) {
        // QSettings would read and write through any link.
        const StoredFile file = locateStoredFile(m_filePath);
        if (!file.problem.isEmpty()) {
            reportUnusableFile(m_filePath, file.problem);
            m_unusable = true;
            return nullptr;
        }
        m_settings = std::make_unique<QSettings>(file.path, QSettings::IniFormat);
    }
    return m_settings.get();
}

QVariant IniSettingsStore::read(const QString& section, const QString& key, Kind kind,
                                const ApplicationIdentity&, const QVariant& defaultValue)
{
    requireKind(kind);
    QSettings* const settingsFile = settings();
    if (!settingsFile)
        return defaultValue;
    QSettings& store = *settingsFile;
    if (store.status() == QSettings::AccessError)
        throw RuntimeError(
            RuntimeError::FileAccess,
            QCoreApplication::translate("SettingsStore", "%1: can't read settings").arg(m_filePath));
    const QString name = settingsKey(section, key);
    const auto pending = std::find_if(m_pending.crbegin(), m_pending.crend(),
                                      [&name](const auto& written) { return written.first == name; });
    const QVariant stored = pending != m_pending.crend() ? pending->second : store.value(name);
    if (!stored.isValid())
        return defaultValue;
    return convert(stored, kind).value_or(defaultValue);
}

void IniSettingsStore::write(const QString& section, const QString& key, Kind kind, const QVariant& value,
                             const ApplicationIdentity&)
{
    requireKind(kind);
    m_pending.append({settingsKey(section, key), storedForm(value, kind)});
}

void IniSettingsStore::commit()
{
    QSettings* const settingsFile = settings();
    if (m_pending.isEmpty() || !settingsFile) {
        m_pending.clear();
        return;
    }
    QSettings& store = *settingsFile;
    bool changed = false;
    for (const auto& [name, value] : std::as_const(m_pending)) {
        const QVariant stored = store.value(name);
        // The file holds every value as text.
        if (stored.isValid() && stored.typeId() != QMetaType::QStringList &&
            stored.toString() == value.toString())
            continue;
        store.setValue(name, value);
        changed = true;
    }
    m_pending.clear();
    if (!changed)
        return;
    // sync() replaces the file in one rename and keeps the permissions of
    // the file it replaces: it must be a regular, owner-only one.
    if (!createPrivateFolder(QFileInfo(m_filePath).absolutePath()))
        throw RuntimeError(
            RuntimeError::FileAccess,
            QCoreApplication::translate("SettingsStore", "%1: can't create the settings folder")
                .arg(m_filePath));
    prepareOwnerOnlyFile(m_filePath);
    store.sync();
    if (store.status() != QSettings::NoError)
        throw RuntimeError(
            RuntimeError::FileAccess,
            QCoreApplication::translate("SettingsStore", "%1: can't write settings").arg(m_filePath));
}
