#include "ComponentFactory.h"

#include "MailComponent.h"
#include "StandardComponents.h"
#include "platform/storage/FileHistoryList.h"
#include "platform/storage/IniSettingsStore.h"

namespace
{

std::unique_ptr<ComponentFactory>& installed()
{
    static std::unique_ptr<ComponentFactory> factory;
    return factory;
}

} // namespace

ComponentFactory::ComponentFactory() = default;
ComponentFactory::~ComponentFactory() = default;

std::unique_ptr<HistoryList> ComponentFactory::createHistoryList()
{
    return std::make_unique<FileHistoryList>();
}

std::unique_ptr<SettingsStore> ComponentFactory::createSettingsStore()
{
    return std::make_unique<IniSettingsStore>();
}

std::unique_ptr<MailMessage> ComponentFactory::createMailMessage()
{
    return MailComponent::createMailMessage();
}

std::unique_ptr<FileDialog> ComponentFactory::createFileDialog()
{
    return std::make_unique<QtFileDialog>();
}

UiServices& ComponentFactory::uiServices()
{
    if (!m_uiServices)
        m_uiServices = createUiServices();
    return *m_uiServices;
}

ErrorReporter& ComponentFactory::errorReporter()
{
    if (!m_errorReporter)
        m_errorReporter = createErrorReporter();
    return *m_errorReporter;
}

TextFileWriter& ComponentFactory::textFileWriter()
{
    if (!m_textFileWriter)
        m_textFileWriter = createTextFileWriter();
    return *m_textFileWriter;
}

std::unique_ptr<UiServices> ComponentFactory::createUiServices()
{
    return std::make_unique<StandardUiServices>();
}

std::unique_ptr<ErrorReporter> ComponentFactory::createErrorReporter()
{
    return std::make_unique<MessageBoxErrorReporter>();
}

std::unique_ptr<TextFileWriter> ComponentFactory::createTextFileWriter()
{
    return std::make_unique<AtomicTextFileWriter>();
}

ComponentFactory& ComponentFactory::instance()
{
    std::unique_ptr<ComponentFactory>& factory = installed();
    if (!factory)
        factory = std::make_unique<ComponentFactory>();
    return *factory;
}

void ComponentFactory::install(std::unique_ptr<ComponentFactory> factory)
{
    installed() = std::move(factory);
}
