#include "FileHistoryList.h"

#include "AtomicFile.h"
#include "DataLocation.h"
#include "platform/HistoryPopup.h"
#include "platform/RuntimeError.h"
#include "platform/Support.h"

#include <QFile>
#include <QLineEdit>

namespace
{

// Entries are single lines; a line break that slipped into one is escaped so
// it cannot split the entry in two.
QByteArray encodeEntry(const QString& entry)
{
    QString escaped;
    escaped.reserve(entry.size());
    for (const QChar c : entry) {
        if (c == QLatin1Char('\\'))
            escaped += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else
            escaped += c;
    }
    return escaped.toUtf8();
}

QString decodeEntry(QByteArrayView line)
{
    const QString raw = QString::fromUtf8(line);
    QString entry;
    entry.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != QLatin1Char('\\') || i + 1 == raw.size()) {
            entry += c;
            continue;
        }
        const QChar next = raw.at(++i);
        entry += next == QLatin1Char('n')   ? QChar(QLatin1Char('\n'))
                 : next == QLatin1Char('r') ? QChar(QLatin1Char('\r'))
                                            : next;
    }
    return entry;
}

// Longer lines are not entries a person typed; a damaged file must not fill memory.
constexpr qsizetype MaximumEntryBytes = 16 * 1024;

} // namespace

FileHistoryList::FileHistoryList(QString folder) : m_folder(std::move(folder)) {}

void FileHistoryList::open(const QString& fileName, const ApplicationIdentity&)
{
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')))
        throw RuntimeError(RuntimeError::InvalidArgument,
                           QStringLiteral("Invalid history file name: %1").arg(fileName));
    const QString folder = m_folder.isEmpty() ? dataFolderLocation() : m_folder;
    m_filePath = ksBuildFileName(folder, fileName);
    m_entries.clear();
}

void FileHistoryList::load()
{
    requireOpen();
    m_entries.clear();
    QFile file(m_filePath);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw RuntimeError(RuntimeError::FileAccess,
                           QStringLiteral("%1: %2").arg(m_filePath, file.errorString()));
    while (m_entries.size() < MaximumEntries && !file.atEnd()) {
        QByteArray line = file.readLine(MaximumEntryBytes + 2);
        const bool complete = line.endsWith('\n') || file.atEnd();
        if (!complete) {
            // Skip the rest of an overlong line.
            while (!file.atEnd() && !line.endsWith('\n'))
                line = file.readLine(MaximumEntryBytes + 2);
            continue;
        }
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line.contains('\0'))
            continue;
        const QString entry = decodeEntry(line);
        if (!m_entries.contains(entry))
            m_entries.append(entry);
    }
}

void FileHistoryList::save()
{
    requireOpen();
    QByteArray content;
    for (const QString& entry : std::as_const(m_entries)) {
        content += encodeEntry(entry);
        content += '\n';
    }
    writeFileAtomically(m_filePath, content);
}

void FileHistoryList::add(const QString& entry)
{
    requireOpen();
    if (entry.isEmpty())
        return;
    m_entries.removeAll(entry);
    m_entries.prepend(entry);
    while (m_entries.size() > MaximumEntries)
        m_entries.removeLast();
}

void FileHistoryList::pick(QLineEdit* textBox)
{
    requireOpen();
    const int chosen = HistoryPopup::choose(textBox, m_entries);
    if (chosen >= 0)
        textBox->setText(m_entries.at(chosen));
}

void FileHistoryList::requireOpen() const
{
    if (m_filePath.isEmpty())
        throw RuntimeError(RuntimeError::ComponentFailure, QStringLiteral("The history list is not open"));
}
