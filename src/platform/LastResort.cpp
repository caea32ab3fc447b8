#include "LastResort.h"

#include "MessageBox.h"
#include "RuntimeError.h"

#include <QCoreApplication>
#include <QPointer>
#include <utility>

namespace
{

struct RescueEntry {
    QPointer<QObject> owner;
    LastResort::Rescue rescue;
};

RescueEntry& rescueEntry()
{
    static RescueEntry entry;
    return entry;
}

std::function<void()>& terminateHandler()
{
    static std::function<void()> handler;
    return handler;
}

int& terminations()
{
    static int count = 0;
    return count;
}

bool& reporting()
{
    static bool active = false;
    return active;
}

} // namespace

void LastResort::setRescue(QObject* owner, Rescue rescue)
{
    rescueEntry() = {owner, std::move(rescue)};
}

void LastResort::clearRescue(QObject* owner)
{
    if (rescueEntry().owner == owner)
        rescueEntry() = {};
}

void LastResort::reportUnhandled(const RuntimeError& error)
{
    // A second failure while reporting the first must not recurse.
    if (std::exchange(reporting(), true))
        return;
    MessageBox::show(nullptr,
                     QCoreApplication::translate("LastResort", "Run-time error '%1':").arg(error.number()) +
                         QStringLiteral("\r\n\r\n") + error.description(),
                     MessageBox::Critical);
    RescueEntry entry = std::exchange(rescueEntry(), {});
    if (entry.owner && entry.rescue) {
        try {
            entry.rescue();
        } catch (...) {
        }
    }
    ++terminations();
    if (terminateHandler())
        terminateHandler()();
    else
        QCoreApplication::exit(1);
    reporting() = false;
}

void LastResort::setTerminate(std::function<void()> terminate)
{
    terminateHandler() = std::move(terminate);
}

int LastResort::terminationCount()
{
    return terminations();
}

void LastResort::resetTerminationCount()
{
    terminations() = 0;
}

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        LastResort::reportUnhandled(RuntimeError::fromCurrentException());
        return true;
    }
}
