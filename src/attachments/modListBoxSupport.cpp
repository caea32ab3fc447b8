#include "modListBoxSupport.h"

#include "platform/RuntimeError.h"

#include <QItemSelectionModel>
#include <QListWidget>

namespace
{

// The runtime's error for a call on an object that lacks the member.
constexpr long ObjectLacksMember = 438;

bool isMultipleSelection(const QListWidget* list)
{
    const auto mode = list->selectionMode();
    return mode == QAbstractItemView::MultiSelection || mode == QAbstractItemView::ExtendedSelection;
}

} // namespace

QString modListBoxSupport::searchKey(const QString& text)
{
    return text.toCaseFolded();
}

int modListBoxSupport::ListBoxFindString(QListWidget* list, const QString& text, int startIndex,
                                         bool prefixMatch)
{
    const int count = list->count();
    if (count == 0)
        return -1;
    // An index outside the list searches it all, as -1 does.
    if (startIndex < -1 || startIndex >= count)
        startIndex = -1;
    const QString key = searchKey(text);
    const int first = startIndex + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        const QString entry = searchKey(list->item(index)->text());
        if (prefixMatch ? entry.startsWith(key) : entry == key)
            return index;
    }
    return -1;
}

int modListBoxSupport::ListBoxGetSelCount(QListWidget* list)
{
    if (list->selectionMode() == QAbstractItemView::SingleSelection)
        return -1;
    return static_cast<int>(list->selectionModel()->selectedRows().size());
}

void modListBoxSupport::ListBoxSelectAll(QWidget* control)
{
    if (!control)
        throw RuntimeError(ObjectLacksMember,
                           QStringLiteral("Object doesn't support this property or method"),
                           QStringLiteral("ListBoxSelectAll"));
    // The select-all message means nothing to a control that is not a list.
    auto* list = qobject_cast<QListWidget*>(control);
    if (list && isMultipleSelection(list) && list->count() > 0)
        list->selectAll();
}
