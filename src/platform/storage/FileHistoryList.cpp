#include "FileHistoryList.h"

#include "AtomicFile.h"
#include "DataLocation.h"
#include "UnusableFile.h"
#include "platform/HistoryPopup.h"
#include "platform/RuntimeError.h"
#include "platform/Support.h"

#include <QFile>
#include <QLineEdit>
#include <QStringDecoder>

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

QString unescapeEntry(const QString& raw)
{
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

// A line that is no UTF-8 most likely comes from the Windows program, whose
// windows all use the Cyrillic character set: Windows-1251 shows it best.
QString decodeEntry(QByteArrayView line)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(line);
    if (utf8.hasError()) {
        QStringDecoder legacy("windows-1251");
        if (legacy.isValid())
            text = legacy(line);
    }
    return unescapeEntry(text);
}

// Longer lines are not entries a person typed; a damaged file must not fill memory.
constexpr qsizetype MaximumEntryBytes = 16 * 1024;
// Far more than any history file holds: a degenerate file (a huge run of
// empty lines) must not keep the window from opening.
constexpr qint64 MaximumBytesRead = 16 * 1024 * 1024;
constexpr qint64 BlockBytes = 64 * 1024;

} // namespace

void FileHistoryList::Entries::add(const QString& entry, QByteArray line)
{
    const qsizetype existing = shown.indexOf(entry);
    if (existing >= 0) {
        shown.removeAt(existing);
        stored.removeAt(existing);
    }
    shown.prepend(entry);
    stored.prepend(std::move(line));
    while (shown.size() > MaximumEntries) {
        shown.removeLast();
        stored.removeLast();
    }
}

void FileHistoryList::Entries::append(QByteArrayView line)
{
    while (line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty() || line.contains('\0'))
        return;
    const QString entry = decodeEntry(line);
    if (shown.contains(entry))
        return;
    shown.append(entry);
    stored.append(line.toByteArray());
}

FileHistoryList::FileHistoryList(QString folder) : m_folder(std::move(folder)) {}

void FileHistoryList::open(const QString& fileName, const ApplicationIdentity&)
{
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')))
        throw RuntimeError(RuntimeError::InvalidArgument,
                           QStringLiteral("Invalid history file name: %1").arg(fileName));
    const QString folder = m_folder.isEmpty() ? dataFolderLocation() : m_folder;
    m_filePath = ksBuildFileName(folder, fileName);
    m_entries = {};
    m_added.clear();
    m_unusable = false;
}

void FileHistoryList::load()
{
    requireOpen();
    const StoredFile file = locateStoredFile(m_filePath);
    m_unusable = !file.problem.isEmpty();
    if (m_unusable) {
        reportUnusableFile(m_filePath, file.problem);
        m_entries = {};
        m_added.clear();
        return;
    }
    m_entries = readFile();
    m_added.clear();
}

FileHistoryList::Entries FileHistoryList::readFile() const
{
    Entries entries;
    QFile file;
    if (!openRegularFileForReading(file, m_filePath))
        return entries;
    QByteArray line;
    bool overlong = false;
    qint64 bytesRead = 0;
    while (entries.shown.size() < MaximumEntries && bytesRead < MaximumBytesRead) {
        const QByteArray block = file.read(qMin(BlockBytes, MaximumBytesRead - bytesRead));
        if (block.isEmpty()) {
            if (file.error() != QFileDevice::NoError)
                throw RuntimeError(RuntimeError::FileAccess,
                                   QStringLiteral("%1: %2").arg(m_filePath, file.errorString()));
            // The last line needs no line break.
            if (!overlong)
                entries.append(line);
            break;
        }
        bytesRead += block.size();
        const QByteArrayView view(block);
        for (qsizetype start = 0; start < view.size() && entries.shown.size() < MaximumEntries;) {
            const qsizetype end = view.indexOf('\n', start);
            const QByteArrayView piece = view.sliced(start, (end < 0 ? view.size() : end) - start);
            if (!overlong) {
                line += piece;
                overlong = line.size() > MaximumEntryBytes;
            }
            if (end < 0)
                break;
            if (!overlong)
                entries.append(line);
            line.clear();
            overlong = false;
            start = end + 1;
        }
        if (overlong)
            line.clear();
    }
    return entries;
}

void FileHistoryList::save()
{
    requireOpen();
    // Without anything new the file stays exactly as it is, even one this
    // list could not make full sense of.
    if (m_added.isEmpty() || m_unusable)
        return;
    // Another window may have saved since this one loaded: its entries stay,
    // and those of this run go on top.
    Entries entries = readFile();
    for (const QString& entry : std::as_const(m_added))
        entries.add(entry, encodeEntry(entry));
    QByteArray content;
    for (const QByteArray& line : std::as_const(entries.stored)) {
        content += line;
        content += '\n';
    }
    writeFileAtomically(m_filePath, content);
    m_entries = std::move(entries);
    m_added.clear();
}

void FileHistoryList::add(const QString& entry)
{
    requireOpen();
    if (entry.isEmpty())
        return;
    m_entries.add(entry, encodeEntry(entry));
    m_added.append(entry);
}

void FileHistoryList::pick(QLineEdit* textBox)
{
    requireOpen();
    const int chosen = HistoryPopup::choose(textBox, m_entries.shown);
    if (chosen >= 0)
        textBox->setText(m_entries.shown.at(chosen));
}

void FileHistoryList::requireOpen() const
{
    if (m_filePath.isEmpty())
        throw RuntimeError(RuntimeError::ComponentFailure, QStringLiteral("The history list is not open"));
}
