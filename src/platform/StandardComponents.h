#pragma once

#include "ErrorReporter.h"
#include "FileDialog.h"
#include "TextFileWriter.h"
#include "UiServices.h"

#include <QPointer>
#include <QWidget>

class StandardUiServices : public UiServices
{
public:
    void showAboutBox(QWidget* owner, const ApplicationIdentity& identity, const QString& text,
                      const QIcon& icon, const QString& fixedText) override;
    void pressButton(QAbstractButton* button) override;
};

class MessageBoxErrorReporter : public ErrorReporter
{
public:
    int reportError(const RuntimeError& error, int style, const QString& text) override;
};

class AtomicTextFileWriter : public TextFileWriter
{
public:
    void writeTextFile(const QString& path, const MessageSource& content) override;
};

class QtFileDialog : public FileDialog
{
public:
    void setFilter(const QString& filter) override;
    void setFlags(int) override {}
    void setOwner(QWidget* owner) override { m_owner = owner; }
    void setInitialDirectory(const QString& folder) override { m_initialDirectory = folder; }
    void setMultiSelect(bool multiSelect) override { m_multiSelect = multiSelect; }
    bool showOpen() override;
    QStringList fileNames() const override { return m_fileNames; }

    // "All files|*.*" becomes "All files (*)".
    static QStringList nameFilters(const QString& filter);

private:
    QPointer<QWidget> m_owner;
    QStringList m_nameFilters;
    QString m_initialDirectory;
    bool m_multiSelect = false;
    QStringList m_fileNames;
};
