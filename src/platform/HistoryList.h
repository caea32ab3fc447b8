#pragma once

#include <QStringList>

class QLineEdit;
struct ApplicationIdentity;

// A list of earlier entries of one text box, bound to one file.
class HistoryList
{
public:
    virtual ~HistoryList() = default;

    // Binds the list to a bare file name; where it lies is the list's business.
    virtual void open(const QString& fileName, const ApplicationIdentity& identity) = 0;
    // An absent file gives an empty list.
    virtual void load() = 0;
    virtual void save() = 0;
    virtual void add(const QString& entry) = 0;
    // The entries as they stand, newest first.
    virtual QStringList entries() const = 0;
    // Offers the entries under the box; a chosen one replaces the box's text.
    virtual void pick(QLineEdit* textBox) = 0;
};
