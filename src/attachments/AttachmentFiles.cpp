#include "AttachmentFiles.h"

#include "attachments/modListBoxSupport.h"

#include <QFileInfo>
#include <QMimeData>
#include <QSet>
#include <QUrl>

#include <algorithm>

bool AttachmentFiles::offersLocalFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.cbegin(), urls.cend(), [](const QUrl& url) { return url.isLocalFile(); });
}

QStringList AttachmentFiles::droppedFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (QFileInfo(path).isFile())
            files.append(path);
    }
    return files;
}

QStringList AttachmentFiles::newFiles(const QStringList& listed, const QStringList& candidates)
{
    // One pass over the list and the candidates: the same answer as searching
    // the list for each path, without the cost of that search.
    QSet<QString> known;
    known.reserve(listed.size() + candidates.size());
    for (const QString& entry : listed)
        known.insert(modListBoxSupport::searchKey(entry));

    QStringList added;
    for (const QString& path : candidates) {
        const QString key = modListBoxSupport::searchKey(path);
        if (known.contains(key))
            continue;
        known.insert(key);
        added.append(path);
    }
    return added;
}
