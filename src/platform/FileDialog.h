#pragma once

#include <QStringList>

class QWidget;

// A file-open dialog, used once per choice.
class FileDialog
{
public:
    virtual ~FileDialog() = default;

    // Pairs of description and pattern separated by '|': "All files|*.*".
    virtual void setFilter(const QString& filter) = 0;
    virtual void setFlags(int flags) = 0;
    virtual void setOwner(QWidget* owner) = 0;
    virtual void setInitialDirectory(const QString& folder) = 0;
    virtual void setMultiSelect(bool multiSelect) = 0;
    // True when the user confirmed a choice of at least one file.
    virtual bool showOpen() = 0;
    virtual QStringList fileNames() const = 0;
};
