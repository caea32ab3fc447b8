#pragma once

#include "platform/ComponentFactory.h"
#include "platform/ErrorReporter.h"
#include "platform/FileDialog.h"
#include "platform/TextFileWriter.h"
#include "platform/UiServices.h"

#include <QList>
#include <QStringList>
#include <memory>
#include <optional>

// What the scripted file dialogs answer and what they were told.
struct FileDialogScript {
    // One answer per run: the chosen paths, or nothing for a cancel.
    QList<std::optional<QStringList>> answers;
    QStringList initialFolders;
    QString filter;
    int flags = -1;
    QWidget* owner = nullptr;
    bool multiSelect = false;
    int runs = 0;
};

class ScriptedFileDialog : public FileDialog
{
public:
    explicit ScriptedFileDialog(std::shared_ptr<FileDialogScript> script) : m_script(std::move(script)) {}

    void setFilter(const QString& filter) override { m_script->filter = filter; }
    void setFlags(int flags) override { m_script->flags = flags; }
    void setOwner(QWidget* owner) override { m_script->owner = owner; }
    void setInitialDirectory(const QString& folder) override { m_script->initialFolders.append(folder); }
    void setMultiSelect(bool multiSelect) override { m_script->multiSelect = multiSelect; }
    bool showOpen() override
    {
        ++m_script->runs;
        const std::optional<QStringList> answer =
            m_script->answers.isEmpty() ? std::nullopt : m_script->answers.takeFirst();
        m_chosen = answer.value_or(QStringList());
        return answer.has_value();
    }
    QStringList fileNames() const override { return m_chosen; }

private:
    std::shared_ptr<FileDialogScript> m_script;
    QStringList m_chosen;
};

class ScriptedFileDialogFactory : public ComponentFactory
{
public:
    explicit ScriptedFileDialogFactory(std::shared_ptr<FileDialogScript> script) : m_script(std::move(script))
    {
    }
    std::unique_ptr<FileDialog> createFileDialog() override
    {
        return std::make_unique<ScriptedFileDialog>(m_script);
    }

private:
    std::shared_ptr<FileDialogScript> m_script;
};
