#pragma once

#include <QApplication>
#include <functional>

class RuntimeError;

// The runtime's report of an error that no handler dealt with: shows it and
// ends the program. Qt must never see an exception cross its event loop, so
// every event delivery is wrapped here.
namespace LastResort
{

// Runs before the program ends so that work already done is not lost; a
// rescue that fails itself is ignored.
using Rescue = std::function<void()>;
void setRescue(QObject* owner, Rescue rescue);
void clearRescue(QObject* owner);
// Runs the rescue now, once, if one is set: for an end that passes by the
// program's own handling.
void runRescue();

void reportUnhandled(const RuntimeError& error);

// How often the program was asked to end.
int terminationCount();
void resetTerminationCount();
// Tests count terminations instead of ending the event processing of the
// whole test program; null restores the real ending.
void setTerminate(std::function<void()> terminate);

} // namespace LastResort

class Application : public QApplication
{
    Q_OBJECT
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
