// Sends a message of five 5 MB random attachments through the real composer
// window, from Ctrl+Enter until the process has ended, beside curl uploading
// the very same bytes to the same sink in the same run; then one with a 2 GB
// attachment. Prints the times, the memory and the longest pause of the
// sending indicator.
#include "app/modMain.h"
#include "composer/MailSettings.h"
#include "composer/frmMain.h"
#include "platform/LastResort.h"
#include "widgets/ucAnimation.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{

const char* const Sender = "sender@example.com";
const char* const Recipient = "rcpt@example.com";
const char* const User = "user";
const char* const Password = "secret";

qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

long statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLong();
    }
    return -1;
}

qint64 cpuOf(const rusage& usage)
{
    return qint64(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000 + usage.ru_utime.tv_usec +
           usage.ru_stime.tv_usec;
}

qint64 ownCpuMicroseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return cpuOf(usage);
}

double mebibytes(double kibibytes)
{
    return kibibytes / 1024.0;
}

// Marks the moment the indicator goes away, the end of its last pause.
class HideWatcher : public QObject
{
public:
    explicit HideWatcher(std::vector<qint64>& marks) : m_marks(marks) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            m_marks.push_back(monotonicNanoseconds());
        return false;
    }

private:
    std::vector<qint64>& m_marks;
};

// The program itself, as a user runs it: the real start-up and window; the
// server settings are filled in, the attachments listed, then Ctrl+Enter.
int runComposer(int argc, char* argv[])
{
    Application application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    modMain::Main();
    frmMain* window = nullptr;
    for (QWidget* candidate : QApplication::topLevelWidgets())
        window = window ? window : qobject_cast<frmMain*>(candidate);
    if (!window || !QTest::qWaitForWindowExposed(window))
        return 1;
    MailSettings::MailFrom = QString::fromLatin1(Sender);
    MailSettings::UserName = QString::fromLatin1(User);
    MailSettings::Password = QString::fromLatin1(Password);
    MailSettings::SMTPServer = QStringLiteral("127.0.0.1");
    MailSettings::SMTPServerPort = arguments.at(2).toInt();
    MailSettings::UseSSL = false;
    MailSettings::TempFilePrefix = false;
    window->findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(QString::fromLatin1(Recipient));
    window->findChild<QLineEdit*>(QStringLiteral("txtSubject"))->setText(QStringLiteral("Figures"));
    auto* body = window->findChild<QPlainTextEdit*>(QStringLiteral("txtMessage"));
    body->setPlainText(QStringLiteral("The figures are attached."));
    window->Attachments = arguments.mid(3);

    std::vector<qint64> marks;
    auto* indicator = window->findChild<ucAnimation*>(QStringLiteral("ucaSending"));
    QObject::connect(indicator->tmrAnimation, &QTimer::timeout,
                     [&marks] { marks.push_back(monotonicNanoseconds()); });
    HideWatcher hidden(marks);
    indicator->installEventFilter(&hidden);

    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const long idleKiB = statusKiB("VmRSS:");
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5"); // the peak starts again from here
    clear.close();
    const qint64 cpuBefore = ownCpuMicroseconds();
    const qint64 pressed = monotonicNanoseconds();
    marks.push_back(pressed);
    QTest::keyClick(body, Qt::Key_Return, Qt::ControlModifier);
    const qint64 sent = monotonicNanoseconds();
    const int status = application.exec();
    const qint64 closed = monotonicNanoseconds();

    qint64 longestGap = 0;
    for (size_t i = 1; i < marks.size(); ++i)
        longestGap = std::max(longestGap, marks[i] - marks[i - 1]);
    std::printf("cpu %lld\n", static_cast<long long>(ownCpuMicroseconds() - cpuBefore));
    std::printf("pressed %lld\nsent %lld\nclosed %lld\nidle %ld\npeak %ld\ngap %lld\nticks %zu\n",
                static_cast<long long>(pressed), static_cast<long long>(sent), static_cast<long long>(closed),
                idleKiB, statusKiB("VmHWM:"), static_cast<long long>(longestGap), marks.size() - 1);
    std::fflush(stdout);
    return status;
}

struct Finished {
    qint64 started = 0;
    qint64 ended = 0;
    long peakKiB = 0;
    qint64 cpuMicroseconds = 0;
    int status = -1;
    QByteArray output;
};

// Runs a program to its end, its output kept; the peak is its own.
Finished runToEnd(const QStringList& program, const QList<QByteArray>& environment = {})
{
    std::vector<QByteArray> arguments;
    for (const QString& argument : program)
        arguments.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int output[2];
    if (pipe(output) != 0)
        return {};
    Finished finished;
    finished.started = monotonicNanoseconds();
    const pid_t child = fork();
    if (child == 0) {
        dup2(output[1], STDOUT_FILENO);
        close(output[0]);
        close(output[1]);
        for (const QByteArray& variable : environment)
            putenv(const_cast<char*>(variable.constData()));
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(output[1]);
    char block[4096];
    ssize_t length;
    while ((length = read(output[0], block, sizeof block)) > 0)
        finished.output.append(block, length);
    close(output[0]);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    finished.ended = monotonicNanoseconds();
    finished.peakKiB = usage.ru_maxrss;
    finished.cpuMicroseconds = cpuOf(usage);
    finished.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return finished;
}

qint64 valueOf(const QByteArray& output, const QByteArray& name)
{
    for (const QByteArray& line : output.split('\n')) {
        if (line.startsWith(name + ' '))
            return line.mid(name.size() + 1).toLongLong();
    }
    return -1;
}

// The sink, in a process of its own; it reads the data in large blocks.
class Sink
{
public:
    Sink()
    {
        int output[2];
        if (pipe(output) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(output[1], STDOUT_FILENO);
            close(output[0]);
            close(output[1]);
            const QByteArray script = QByteArrayLiteral(VELLUM_BENCH_SOURCE_DIR "/smtp_sink.py");
            execl("/usr/bin/python3", "python3", script.constData(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(output[1]);
        m_output = output[0];
        QByteArray line = readLine();
        if (line.startsWith("ready "))
            m_port = line.mid(6).trimmed().toInt();
    }
    ~Sink()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_output >= 0)
            close(m_output);
    }
    int port() const { return m_port; }

    // The size of the message the sink received last.
    qint64 lastReceived()
    {
        const QByteArray line = readLine();
        return line.startsWith("received ") ? line.mid(9).trimmed().toLongLong() : -1;
    }

private:
    QByteArray readLine()
    {
        QByteArray line;
        char c;
        while (read(m_output, &c, 1) == 1 && c != '\n')
            line.append(c);
        return line;
    }

    pid_t m_pid = -1;
    int m_output = -1;
    int m_port = 0;
};

struct ComposerRun {
    double seconds = 0;
    double cpuSeconds = 0; // from Ctrl+Enter on
    // Ctrl+Enter to the send's end, to the window's end, to the process's end.
    double sendSeconds = 0;
    double closeSeconds = 0;
    double exitSeconds = 0;
    double peakMiB = 0;
    double idleMiB = 0;
    double sendPeakMiB = 0;
    double longestGapMs = 0;
    qint64 copySize = -1;
    bool ok = false;
};

// keepCopyAs: where the local copy goes before the run's data folder does.
ComposerRun runComposerProcess(const QString& self, int port, const QStringList& attachments,
                               const QString& keepCopyAs = QString())
{
    QTemporaryDir home;
    const QByteArray root = QFile::encodeName(home.path());
    Finished finished =
        runToEnd(QStringList{self, QStringLiteral("--composer"), QString::number(port)} + attachments,
                 {"XDG_DATA_HOME=" + root + "/data", "XDG_CONFIG_HOME=" + root + "/config",
                  "QT_QPA_PLATFORM=offscreen"});
    ComposerRun run;
    const qint64 pressed = valueOf(finished.output, "pressed");
    run.ok = finished.status == 0 && pressed > 0;
    run.seconds = (finished.ended - pressed) / 1e9;
    run.cpuSeconds = valueOf(finished.output, "cpu") / 1e6;
    const qint64 sent = valueOf(finished.output, "sent");
    const qint64 closed = valueOf(finished.output, "closed");
    run.sendSeconds = (sent - pressed) / 1e9;
    run.closeSeconds = (closed - sent) / 1e9;
    run.exitSeconds = (finished.ended - closed) / 1e9;
    run.peakMiB = mebibytes(finished.peakKiB);
    run.idleMiB = mebibytes(valueOf(finished.output, "idle"));
    run.sendPeakMiB = mebibytes(valueOf(finished.output, "peak"));
    run.longestGapMs = valueOf(finished.output, "gap") / 1e6;
    const QDir folder(home.path() + QStringLiteral("/data/Tessaline/Vellum"));
    const QStringList copies = folder.entryList({QStringLiteral("*.EML")}, QDir::Files);
    if (copies.size() == 1) {
        const QString copy = folder.filePath(copies.first());
        run.copySize = QFileInfo(copy).size();
        if (!keepCopyAs.isEmpty())
            QFile::copy(copy, keepCopyAs);
    }
    return run;
}

int runBenchmark(const QString& self, bool withLarge)
{
    QTemporaryDir folder;
    QStringList paths;
    QRandomGenerator generator(7);
    const qsizetype fileSize = 5 * 1024 * 1024;
    for (int i = 0; i < 5; ++i) {
        QByteArray data(fileSize, Qt::Uninitialized);
        generator.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
        QFile file(folder.filePath(QStringLiteral("attachment %1.bin").arg(i + 1)));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
            return 1;
        paths << file.fileName();
    }
    Sink sink;
    if (sink.port() == 0) {
        std::fprintf(stderr, "the sink did not start\n");
        return 1;
    }

    // The first send makes the copy that curl then uploads: the same bytes.
    const QString prebuilt = folder.filePath(QStringLiteral("message.eml"));
    const ComposerRun first = runComposerProcess(self, sink.port(), paths, prebuilt);
    if (!first.ok || first.copySize <= 0 || sink.lastReceived() != first.copySize) {
        std::fprintf(stderr, "the first send failed or did not arrive whole\n");
        return 1;
    }

    const int rounds = 3;
    std::optional<Finished> bestCurl;
    std::optional<ComposerRun> bestComposer;
    bool arrivedWhole = true;
    for (int round = 0; round < rounds; ++round) {
        const Finished curl =
            runToEnd({QStringLiteral("/usr/bin/curl"), QStringLiteral("-sS"), QStringLiteral("--upload-file"),
                      prebuilt, QStringLiteral("--mail-from"), QString::fromLatin1(Sender),
                      QStringLiteral("--mail-rcpt"), QString::fromLatin1(Recipient), QStringLiteral("--user"),
                      QStringLiteral("%1:%2").arg(QLatin1String(User), QLatin1String(Password)),
                      QStringLiteral("smtp://127.0.0.1:%1").arg(sink.port())});
        arrivedWhole &= curl.status == 0 && sink.lastReceived() == first.copySize;
        if (!bestCurl || curl.ended - curl.started < bestCurl->ended - bestCurl->started)
            bestCurl = curl;
        const ComposerRun composer = runComposerProcess(self, sink.port(), paths);
        arrivedWhole &= composer.ok && sink.lastReceived() == composer.copySize;
        if (!bestComposer || composer.seconds < bestComposer->seconds)
            bestComposer = composer;
    }
    if (!arrivedWhole) {
        std::fprintf(stderr, "a send failed or did not arrive whole\n");
        return 1;
    }

    const double curlSeconds = (bestCurl->ended - bestCurl->started) / 1e9;
    std::printf("five 5 MB random attachments, a %.1f MiB message; a sink with AUTH reading in blocks on "
                "127.0.0.1; best of %d\n\n",
                mebibytes(first.copySize / 1024.0), rounds);
    std::printf("| sender | wall s | CPU s | peak MiB | x curl |\n|---|---|---|---|---|\n");
    std::printf("| curl --upload-file of the same message (the floor) | %.3f | %.3f | %.1f | 1.0 |\n",
                curlSeconds, bestCurl->cpuMicroseconds / 1e6, mebibytes(bestCurl->peakKiB));
    std::printf("| Vellum, Ctrl+Enter to the process's end | %.3f | %.3f | %.1f | %.1f |\n\n",
                bestComposer->seconds, bestComposer->cpuSeconds, bestComposer->peakMiB,
                bestComposer->seconds / curlSeconds);
    std::printf("Vellum's time: send and local copy %.3f s, closing the window (settings, histories) %.3f s, "
                "the process's end %.3f s\n",
                bestComposer->sendSeconds, bestComposer->closeSeconds, bestComposer->exitSeconds);
    std::printf("memory during the send: idle %.1f MiB, peak %.1f MiB: +%.1f MiB (goal: at most +32)\n",
                bestComposer->idleMiB, bestComposer->sendPeakMiB,
                bestComposer->sendPeakMiB - bestComposer->idleMiB);
    std::printf("longest gap between two ticks of the sending indicator: %.0f ms (goal: under 100; the "
                "timer's period is 50)\n",
                bestComposer->longestGapMs);

    if (!withLarge)
        return 0;
    // A sparse file: the disk holds little of it, the message all of it.
    const QString large = folder.filePath(QStringLiteral("large.bin"));
    QFile sparse(large);
    if (!sparse.open(QIODevice::WriteOnly) || !sparse.resize(2LL * 1024 * 1024 * 1024))
        return 1;
    sparse.close();
    const ComposerRun huge = runComposerProcess(self, sink.port(), {large});
    if (!huge.ok || sink.lastReceived() != huge.copySize) {
        std::fprintf(stderr, "the 2 GB send failed or did not arrive whole\n");
        return 1;
    }
    std::printf("2 GiB attachment (sparse file), a %.2f GiB message: idle %.1f MiB, peak %.1f MiB: +%.1f MiB "
                "(goal: at most +32); %.1f s; the copy holds what the sink received\n",
                huge.copySize / 1073741824.0, huge.idleMiB, huge.sendPeakMiB, huge.sendPeakMiB - huge.idleMiB,
                huge.seconds);
    std::fflush(stdout);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--composer") == 0)
        return runComposer(argc, argv);
    // --small leaves out the 2 GB send, which takes most of the time.
    return runBenchmark(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath(),
                        !(argc == 2 && qstrcmp(argv[1], "--small") == 0));
}
