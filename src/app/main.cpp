#include "app/CommandLine.h"
#include "app/modMain.h"
#include "platform/CoreDumps.h"
#include "platform/LastResort.h"
#include "platform/RuntimeError.h"
#include "platform/StartupSteps.h"
#include "platform/Translations.h"

#include <QLocale>
#include <QWidget>
#include <algorithm>
#include <optional>
#include <thread>

int main(int argc, char* argv[])
{
    keepSecretsOutOfCoreDumps();
    // Read before the application object exists: --help needs no display.
    const CommandLine commandLine = CommandLine::parse(argc, argv);
    if (commandLine.action != CommandLine::Compose)
        return commandLine.answer();

    // Built after the font set-up has started, and gone only once its
    // thread, which uses it, has ended.
    std::optional<Application> application;
    FontSetup fonts;
    application.emplace(argc, argv);
    fonts.applicationBuilt();
    Translations::install(QLocale::system().uiLanguages());
    const std::jthread sessionBus(openSessionBus);
    try {
        modMain::Main(commandLine.mailto);
    } catch (...) {
        LastResort::reportUnhandled(RuntimeError::fromCurrentException());
        return 1;
    }
    // Without a window there is nothing to wait for.
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (std::none_of(windows.cbegin(), windows.cend(),
                     [](const QWidget* window) { return window->isVisible(); }))
        return 0;
    return application->exec();
}
