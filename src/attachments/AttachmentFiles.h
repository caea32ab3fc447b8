#pragma once

#include <QStringList>

class QMimeData;

// What the attachment dialog and the composer both decide about files: which
// dropped items are files to attach, and which paths are new to a list.
namespace AttachmentFiles
{

// True when a drag carries files of this machine (to attach, not to paste
// as text), even if none of them turns out to be attachable.
bool offersLocalFiles(const QMimeData* data);
// The local files among dropped URLs; folders and remote places are not attachments.
QStringList droppedFiles(const QMimeData* data);
// The candidates the list does not hold yet, each once, in their order. A path
// matches an entry as a whole text in any letter case, as the list box searches.
QStringList newFiles(const QStringList& listed, const QStringList& candidates);

} // namespace AttachmentFiles
