// Kills a writer of drafts at random moments, hundreds of times, and looks
// at the draft file each time: it must hold either the previous draft or
// the new one, whole, never an empty or partial one. Prints the tally and
// the time of one draft write beside one plain write of the same bytes.
//
// Usage: bench_draft_kill [rounds]   (300 by default)
// The writer is this executable started with --child FOLDER: it writes
// draft A once, says so, then rewrites the draft as B, A, B, ... until killed.
#include "platform/storage/DraftStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>

namespace
{

// Large enough that a write takes a while and is hit often.
Draft makeDraft(char letter)
{
    const QString body = QString(2 * 1024 * 1024, QLatin1Char(letter));
    return Draft{QStringLiteral("%1@example.org").arg(letter),
                 QStringLiteral("Subject %1").arg(letter),
                 body,
                 {QStringLiteral("/home/user/%1.pdf").arg(letter)},
                 0,
                 QString()};
}

int runChild(const QString& folder)
{
    DraftStore store(folder);
    const Draft drafts[] = {makeDraft('A'), makeDraft('B')};
    store.write(drafts[0]);
    std::fputs("written\n", stdout);
    std::fflush(stdout);
    for (int i = 1;; ++i)
        store.write(drafts[i % 2]);
}

enum class Outcome { A, B, Partial, Missing };

Outcome classify(const QString& folder)
{
    const QStringList names = QDir(folder).entryList({QStringLiteral("Draft *.json")}, QDir::Files);
    if (names.size() != 1)
        return Outcome::Missing;
    QFile file(folder + QLatin1Char('/') + names.first());
    if (!file.open(QIODevice::ReadOnly))
        return Outcome::Missing;
    const std::optional<Draft> draft = DraftFile::fromBytes(file.readAll(), nullptr);
    if (draft == makeDraft('A'))
        return Outcome::A;
    if (draft == makeDraft('B'))
        return Outcome::B;
    return Outcome::Partial;
}

qint64 medianMicroseconds(std::vector<qint64> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--child") == 0)
        return runChild(QString::fromLocal8Bit(argv[2]));

    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 300;
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("data"));

    // One draft write beside a plain, non-atomic write of the same bytes.
    QDir().mkpath(folder);
    std::vector<qint64> draftWrites, plainWrites;
    {
        DraftStore store(folder);
        const Draft draft = makeDraft('A');
        const QByteArray bytes = DraftFile::toBytes(draft);
        for (int i = 0; i < 9; ++i) {
            QElapsedTimer timer;
            timer.start();
            store.write(draft);
            draftWrites.push_back(timer.nsecsElapsed() / 1000);
            timer.restart();
            QFile plain(root.filePath(QStringLiteral("plain.json")));
            plain.open(QIODevice::WriteOnly);
            plain.write(bytes);
            plain.close();
            plainWrites.push_back(timer.nsecsElapsed() / 1000);
        }
        store.remove();
    }
    const qint64 writeTime = medianMicroseconds(draftWrites);

    int tally[4] = {};
    int leftovers = 0;
    for (int round = 0; round < rounds; ++round) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), folder});
        bool started = false;
        while (!started && child.waitForReadyRead(30000))
            started = child.readAllStandardOutput().contains("written");
        if (!started)
            qFatal("the writer did not start: %s", child.readAllStandardError().constData());
        const auto delay = QRandomGenerator::global()->bounded(writeTime * 3 + 1);
        QThread::usleep(static_cast<unsigned long>(delay));
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        child.waitForFinished(30000);
        ++tally[int(classify(folder))];
        // Temporary files a killed write may leave beside the draft.
        leftovers += int(QDir(folder)
                             .entryList(QDir::Files | QDir::Hidden | QDir::System)
                             .filter(QStringLiteral(".json."))
                             .size());
    }

    std::printf("kill while writing a %.1f MB draft: %d rounds\n",
                DraftFile::toBytes(makeDraft('A')).size() / 1e6, rounds);
    std::printf("  draft wholly the previous or the new one %d (A %d, B %d), partial %d, missing %d; "
                "temporary files left %d\n",
                tally[0] + tally[1], tally[0], tally[1], tally[2], tally[3], leftovers);
    const qint64 plainTime = medianMicroseconds(plainWrites);
    std::printf("one draft write: %.1f ms; one plain write of the same bytes: %.1f ms (x%.1f)\n",
                writeTime / 1000.0, plainTime / 1000.0, double(writeTime) / std::max<qint64>(plainTime, 1));
    return tally[2] + tally[3] == 0 ? 0 : 1;
}
