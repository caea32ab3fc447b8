#pragma once

#include <QObject>

class QSocketNotifier;

// Requests to end the program that come from outside its windows: SIGTERM
// and SIGHUP (a logout, a shutdown, a closed terminal) and the session
// manager's end of the session. Each reaches the event loop as one signal;
// the signal handler itself only writes a byte into a pipe.
class TerminationRequests : public QObject
{
    Q_OBJECT
public:
    explicit TerminationRequests(QObject* parent = nullptr);
    // The signals end the process at once again, as by default.
    ~TerminationRequests() override;

signals:
    void requested();

private:
    void readSignals();

    QSocketNotifier* m_notifier = nullptr;
};
