#pragma once

#include <memory>

class ErrorReporter;
class FileDialog;
class HistoryList;
class MailMessage;
class SettingsStore;
class TextFileWriter;
class UiServices;

// The one place the program creates its components. A test installs a
// factory of its own to put a failing or scripted component in place.
class ComponentFactory
{
public:
    ComponentFactory();
    virtual ~ComponentFactory();

    virtual std::unique_ptr<HistoryList> createHistoryList();
    virtual std::unique_ptr<SettingsStore> createSettingsStore();
    virtual std::unique_ptr<MailMessage> createMailMessage();
    virtual std::unique_ptr<FileDialog> createFileDialog();

    // Process-wide components, created on first use and kept until exit.
    UiServices& uiServices();
    ErrorReporter& errorReporter();
    TextFileWriter& textFileWriter();

    static ComponentFactory& instance();
    // Takes ownership; null restores the real factory.
    static void install(std::unique_ptr<ComponentFactory> factory);

protected:
    virtual std::unique_ptr<UiServices> createUiServices();
    virtual std::unique_ptr<ErrorReporter> createErrorReporter();
    virtual std::unique_ptr<TextFileWriter> createTextFileWriter();

private:
    std::unique_ptr<UiServices> m_uiServices;
    std::unique_ptr<ErrorReporter> m_errorReporter;
    std::unique_ptr<TextFileWriter> m_textFileWriter;
};

inline ComponentFactory& components()
{
    return ComponentFactory::instance();
}
