#include "TerminationRequests.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace
{

constexpr std::array HandledSignals{SIGTERM, SIGHUP};

// The pipe's ends; only one set of handlers exists at a time.
int readEnd = -1;
int writeEnd = -1;

extern "C" void onSignal(int number)
{
    // Only what is safe inside a signal handler.
    const int savedError = errno;
    const char byte = char(number);
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedError;
}

void setHandler(void (*handler)(int))
{
    struct sigaction action {
    };
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : HandledSignals)
        ::sigaction(number, &action, nullptr);
}

} // namespace

TerminationRequests::TerminationRequests(QObject* parent) : QObject(parent)
{
    int ends[2];
    if (readEnd < 0 && ::pipe2(ends, O_CLOEXEC | O_NONBLOCK) == 0) {
        readEnd = ends[0];
        writeEnd = ends[1];
        m_notifier = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &TerminationRequests::readSignals);
        setHandler(onSignal);
    }
    // The session ends: what is not saved now would be lost.
    if (auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(application, &QGuiApplication::commitDataRequest, this, &TerminationRequests::requested);
}

TerminationRequests::~TerminationRequests()
{
    if (!m_notifier)
        return;
    setHandler(SIG_DFL);
    ::close(readEnd);
    ::close(writeEnd);
    readEnd = writeEnd = -1;
}

void TerminationRequests::readSignals()
{
    char bytes[16];
    bool any = false;
    while (::read(readEnd, bytes, sizeof bytes) > 0)
        any = true;
    if (any)
        emit requested();
}
