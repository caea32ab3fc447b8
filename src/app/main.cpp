#include "app/modMain.h"
#include "platform/CoreDumps.h"
#include "platform/LastResort.h"
#include "platform/RuntimeError.h"

#include <QWidget>
#include <algorithm>

int main(int argc, char* argv[])
{
    keepSecretsOutOfCoreDumps();
    Application application(argc, argv);
    try {
        modMain::Main();
    } catch (...) {
        LastResort::reportUnhandled(RuntimeError::fromCurrentException());
        return 1;
    }
    // Without a window there is nothing to wait for.
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (std::none_of(windows.cbegin(), windows.cend(),
                     [](const QWidget* window) { return window->isVisible(); }))
        return 0;
    return application.exec();
}
