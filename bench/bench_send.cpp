// Builds and sends a message with 25 MB of attachments to the local test
// server several times; prints the times and the peak memory.
#include "SmtpTestServer.h"
#include "platform/RuntimeError.h"
#include "platform/mail/MimeMessage.h"
#include "platform/mail/SmtpMailMessage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

namespace
{

long peakMemoryKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

bool receivedExactly(const SmtpTestServer& server, int count, const QByteArray& sent)
{
    const QList<SmtpTestServer::Received> received = server.receivedMessages();
    return received.size() == count && received.last().raw == sent;
}

void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// User and system time of this process: the rest of the wall time is the server.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const int rounds = 5;
    const int files = 5;
    const qsizetype fileSize = 5 * 1024 * 1024;

    QTemporaryDir folder;
    QStringList paths;
    QRandomGenerator generator(7);
    for (int i = 0; i < files; ++i) {
        QByteArray data(fileSize, Qt::Uninitialized);
        generator.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
        const QString path = folder.filePath(QStringLiteral("attachment %1.bin").arg(i + 1));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
            std::fprintf(stderr, "can't write %s\n", qPrintable(path));
            return 1;
        }
        paths << path;
    }
    std::printf("attachments: %d files, %.1f MB in all; %d rounds\n", files, files * fileSize / 1048576.0,
                rounds);

    struct Setup {
        const char* label;
        bool useSSL;
        bool fastData;
    };
    // aiosmtpd reads the data line by line and is the slow side; the block
    // reader shows what the client itself takes.
    const Setup setups[] = {{"plain SMTP, line-by-line server", false, false},
                            {"plain SMTP, block-reading server", false, true},
                            {"STARTTLS, block-reading server", true, true}};
    long peakKiB = 0;
    for (const Setup& setup : setups) {
        const bool useSSL = setup.useSSL;
        SmtpTestServer::Options serverOptions;
        serverOptions.fastData = setup.fastData;
        SmtpTestServer server(serverOptions);
        if (!server.isRunning()) {
            std::fprintf(stderr, "test server did not start: %s\n", qPrintable(server.errorText()));
            return 1;
        }
        double bestBuild = 1e9, bestSend = 1e9, totalBuild = 0, totalSend = 0, totalCpu = 0;
        qsizetype messageSize = 0;
        for (int round = 0; round < rounds; ++round) {
            QElapsedTimer clock;
            const double build = 0;
            SmtpMailMessage::Options options;
            options.caCertificateFile = SmtpTestServer::caCertificateFile();
            SmtpMailMessage message(options);
            message.setFrom(QStringLiteral("sender@example.com"));
            message.setTo(QStringLiteral("rcpt@example.com"));
            message.setSubject(QStringLiteral("Benchmark"));
            message.setBody(QStringLiteral("Attached."));
            message.setUserName(QStringLiteral("user"));
            message.setPassword(QStringLiteral("secret"));
            message.setServer(QStringLiteral("127.0.0.1"));
            message.setPort(server.port());
            message.setUseSSL(useSSL);
            for (const QString& path : paths)
                message.addAttachment(path);
            clock.start();
            const double cpuBefore = cpuSeconds();
            try {
                message.send();
            } catch (const RuntimeError& error) {
                std::fprintf(stderr, "send failed: %s\n", qPrintable(error.description()));
                return 1;
            }
            // Building again inside send() is part of what the user waits for.
            const double send = clock.nsecsElapsed() / 1e6;
            messageSize = message.source().size();
            totalCpu += (cpuSeconds() - cpuBefore) * 1000;
            if (round == rounds - 1) {
                // Reading back what the server got takes memory the send itself does not.
                peakKiB = qMax(peakKiB, peakMemoryKiB());
                if (!receivedExactly(server, rounds, message.source().toByteArray())) {
                    std::fprintf(stderr, "the server did not receive the bytes sent\n");
                    return 1;
                }
                resetPeakMemory();
            }
            bestBuild = qMin(bestBuild, build);
            bestSend = qMin(bestSend, send);
            totalBuild += build;
            totalSend += send;
        }
        std::printf("%s: message %.1f MB\n  build: best %.0f ms, mean %.0f ms\n"
                    "  build+send: best %.0f ms, mean %.0f ms (CPU of this process: %.0f ms)\n",
                    setup.label, messageSize / 1048576.0, bestBuild, totalBuild / rounds, bestSend,
                    totalSend / rounds, totalCpu / rounds);
    }
    std::printf("peak memory while building and sending (VmHWM): %.1f MB\n", peakKiB / 1024.0);
    return 0;
}
