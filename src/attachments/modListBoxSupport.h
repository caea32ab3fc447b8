#pragma once

#include <QString>

class QListWidget;
class QWidget;

// List box operations the list widget does not offer in this form: finding
// an entry by its text, counting and selecting entries.
namespace modListBoxSupport
{

// Index of the first entry equal to text (or beginning with it when
// prefixMatch), ignoring letter case, or -1. The search starts after
// startIndex, runs to the end and wraps round to startIndex; -1 searches
// the whole list from entry 0.
int ListBoxFindString(QListWidget* list, const QString& text, int startIndex, bool prefixMatch);
// Number of selected entries; -1 for a single-selection list.
int ListBoxGetSelCount(QListWidget* list);
// Selects every entry of a multiple-selection list; other lists and
// controls that are not lists are left alone. No control at all raises a
// RuntimeError.
void ListBoxSelectAll(QWidget* control);

// The case-insensitive form of an entry's text the searches compare; a
// caller that keeps its own index of entries uses it to get the same answer.
QString searchKey(const QString& text);

} // namespace modListBoxSupport
