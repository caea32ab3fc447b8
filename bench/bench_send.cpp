// Builds and sends a message with 25 MB of attachments to the local test
// server several times; prints the times and the peak memory.
#include "SmtpTestServer.h"
#include "platform/MimeMessage.h"
#include "platform/RuntimeError.h"
#include "platform/SmtpMailMessage.h"

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

    for (const bool useSSL : {false, true}) {
        SmtpTestServer server;
        if (!server.isRunning()) {
            std::fprintf(stderr, "test server did not start: %s\n", qPrintable(server.errorText()));
            return 1;
        }
        double bestBuild = 1e9, bestSend = 1e9, totalBuild = 0, totalSend = 0, totalCpu = 0;
        qsizetype messageSize = 0;
        for (int round = 0; round < rounds; ++round) {
            MimeMessage::Content content;
            content.from =
                parseAddressList(QStringLiteral("sender@example.com"), QStringLiteral("sender")).first();
            content.to = parseAddressList(QStringLiteral("rcpt@example.com"), QStringLiteral("recipient"));
            content.subject = QStringLiteral("Benchmark");
            content.body = QStringLiteral("Attached.");
            content.attachments = paths;
            QElapsedTimer clock;
            clock.start();
            const double build = [&] {
                const MimeMessage built = MimeMessage::build(content);
                messageSize = built.size();
                return clock.nsecsElapsed() / 1e6;
            }();

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
            clock.restart();
            const double cpuBefore = cpuSeconds();
            try {
                message.send();
            } catch (const RuntimeError& error) {
                std::fprintf(stderr, "send failed: %s\n", qPrintable(error.description()));
                return 1;
            }
            // Building again inside send() is part of what the user waits for.
            const double send = clock.nsecsElapsed() / 1e6;
            totalCpu += (cpuSeconds() - cpuBefore) * 1000;
            bestBuild = qMin(bestBuild, build);
            bestSend = qMin(bestSend, send);
            totalBuild += build;
            totalSend += send;
        }
        std::printf(
            "%-9s message %.1f MB: build best %.0f ms, mean %.0f ms; build+send best %.0f ms, mean %.0f ms "
            "(this process's CPU %.0f ms)\n",
            useSSL ? "STARTTLS" : "plain", messageSize / 1048576.0, bestBuild, totalBuild / rounds, bestSend,
            totalSend / rounds, totalCpu / rounds);
    }
    std::printf("peak memory (VmHWM): %.1f MB\n", peakMemoryKiB() / 1024.0);
    return 0;
}
