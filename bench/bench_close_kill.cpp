// Kills the program at random moments of its close and looks at the
// settings file each time: it must hold either every old value or every new
// one. Prints the tally, and the time of one close beside one plain
// rewrite of the same file by QSettings, for a small and a 50 MB file.
//
// Usage: bench_close_kill [rounds]   (100 by default)
// The program under test is this executable started with --child: the
// composer window loads the old settings, gets new ones, and closes.
#include "app/modMain.h"
#include "composer/MailSettings.h"
#include "composer/frmMain.h"
#include "platform/LastResort.h"
#include "platform/storage/DataLocation.h"
#include "platform/storage/IniSettingsStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>
#include <cstdio>

namespace
{

struct Values {
    QString to, mailFrom, userName, server;
    int hotkey, port;
    bool useSsl, prefix;
};

const Values OldValues{
    "old@example.org", "old-from@example.org", "old-user", "old.example.org", 0, 25, false, false};
const Values NewValues{
    "new@example.org", "new-from@example.org", "new-user", "new.example.org", 1, 587, true, true};

// The composer as a user closes it after changing everything it stores.
int runChild(int argc, char* argv[])
{
    Application application(argc, argv);
    modMain::DataFolder = dataFolderLocation();
    QDir().mkpath(modMain::DataFolder);
    auto* window = new frmMain;
    window->show();
    window->findChild<QLineEdit*>(QStringLiteral("txtTo"))->setText(NewValues.to);
    window->findChild<QPushButton*>(QStringLiteral("cmdSendHotkeyOption"))->click();
    MailSettings::MailFrom = NewValues.mailFrom;
    MailSettings::UserName = NewValues.userName;
    MailSettings::Password = QStringLiteral("new password");
    MailSettings::SMTPServer = NewValues.server;
    MailSettings::SMTPServerPort = NewValues.port;
    MailSettings::UseSSL = NewValues.useSsl;
    MailSettings::TempFilePrefix = NewValues.prefix;
    std::fputs("closing\n", stdout);
    std::fflush(stdout);
    window->close();
    return 0;
}

QByteArray oldSettingsFile(const QString& scratch, qsizetype fillerBytes)
{
    const QString path = scratch + QStringLiteral("/old.ini");
    QFile::remove(path);
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Mails/To"), OldValues.to);
        settings.setValue(QStringLiteral("Send Hotkey Option"), OldValues.hotkey);
        settings.setValue(QStringLiteral("Mails/Mail from"), OldValues.mailFrom);
        settings.setValue(QStringLiteral("Server settings/User name"), OldValues.userName);
        settings.setValue(QStringLiteral("Server settings/SMTP server"), OldValues.server);
        settings.setValue(QStringLiteral("Server settings/SMTP server port"), OldValues.port);
        settings.setValue(QStringLiteral("Server settings/Use SSL"), OldValues.useSsl);
        settings.setValue(QStringLiteral("Temp File Prefix"), OldValues.prefix);
        // Notes of the user's own beside the settings: they make each rewrite take a while.
        const qsizetype noteBytes = 64 * 1024;
        for (qsizetype i = 0; i * noteBytes < fillerBytes; ++i)
            settings.setValue(QStringLiteral("Notes/%1").arg(i), QString(noteBytes, QLatin1Char('n')));
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

enum class Outcome { Old, New, Mixed, Unreadable };

Outcome classify(const QString& settingsFile, const QString& scratch, int round)
{
    // A copy of its own, so no cached reading of an earlier round is reused.
    const QString copy = scratch + QStringLiteral("/round-%1.ini").arg(round);
    if (!QFile::copy(settingsFile, copy))
        return Outcome::Unreadable;
    QSettings settings(copy, QSettings::IniFormat);
    if (settings.status() != QSettings::NoError) {
        QFile::remove(copy);
        return Outcome::Unreadable;
    }
    const auto matches = [&settings](const Values& values) {
        return settings.value(QStringLiteral("Mails/To")).toString() == values.to &&
               settings.value(QStringLiteral("Send Hotkey Option")).toInt() == values.hotkey &&
               settings.value(QStringLiteral("Mails/Mail from")).toString() == values.mailFrom &&
               settings.value(QStringLiteral("Server settings/User name")).toString() == values.userName &&
               settings.value(QStringLiteral("Server settings/SMTP server")).toString() == values.server &&
               settings.value(QStringLiteral("Server settings/SMTP server port")).toInt() == values.port &&
               settings.value(QStringLiteral("Server settings/Use SSL")).toBool() == values.useSsl &&
               settings.value(QStringLiteral("Temp File Prefix")).toBool() == values.prefix;
    };
    const Outcome outcome = matches(OldValues)   ? Outcome::Old
                            : matches(NewValues) ? Outcome::New
                                                 : Outcome::Mixed;
    QFile::remove(copy);
    return outcome;
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// Starts the child and waits until it is about to close; false when it did not get there.
bool startClosing(QProcess& child)
{
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child")});
    while (child.waitForReadyRead(30000)) {
        if (child.readAllStandardOutput().contains("closing"))
            return true;
    }
    return false;
}

// Microseconds from "closing" to the end of the process, for a file of that size.
qint64 closeMicroseconds(const QString& settingsFile, const QByteArray& old)
{
    writeBytes(settingsFile, old);
    QProcess child;
    if (!startClosing(child))
        qFatal("the program did not start: %s", child.readAllStandardError().constData());
    QElapsedTimer timer;
    timer.start();
    child.waitForFinished(120000);
    return timer.nsecsElapsed() / 1000;
}

// One load and one sync() of the same file by QSettings in this process.
qint64 rewriteMicroseconds(const QString& scratch, const QByteArray& old)
{
    const QString path = scratch + QStringLiteral("/reference.ini");
    writeBytes(path, old);
    QElapsedTimer timer;
    timer.start();
    {
        QSettings settings(path, QSettings::IniFormat);
        settings.setValue(QStringLiteral("Mails/To"), NewValues.to);
        settings.sync();
    }
    return timer.nsecsElapsed() / 1000;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--child") == 0)
        return runChild(argc, argv);

    QCoreApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 100;
    QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("data"))));
    const QString scratch = root.filePath(QStringLiteral("scratch"));
    QDir().mkpath(scratch);
    const QString settingsFile = IniSettingsStore::defaultFilePath();
    QDir().mkpath(QFileInfo(settingsFile).absolutePath());

    // A file of 2 MB keeps the rewrite long enough to be hit often.
    const QByteArray old = oldSettingsFile(scratch, 2 * 1024 * 1024);
    std::vector<qint64> closes;
    for (int i = 0; i < 5; ++i)
        closes.push_back(closeMicroseconds(settingsFile, old));
    std::sort(closes.begin(), closes.end());
    const qint64 closeTime = closes[closes.size() / 2];

    int tally[4] = {};
    int killedWhileClosing = 0;
    for (int round = 0; round < rounds; ++round) {
        writeBytes(settingsFile, old);
        QProcess child;
        if (!startClosing(child))
            qFatal("the program did not start: %s", child.readAllStandardError().constData());
        const auto delay = QRandomGenerator::global()->bounded(closeTime * 12 / 10 + 1);
        QThread::usleep(static_cast<unsigned long>(delay));
        if (child.state() == QProcess::Running) {
            ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
            ++killedWhileClosing;
        }
        child.waitForFinished(30000);
        ++tally[int(classify(settingsFile, scratch, round))];
    }

    std::printf("kill during close: %d rounds, %d killed before the end of the close\n", rounds,
                killedWhileClosing);
    std::printf("  settings file wholly old %d, wholly new %d, mixed %d, unreadable %d\n", tally[0], tally[1],
                tally[2], tally[3]);
    const qint64 reference = rewriteMicroseconds(scratch, old);
    std::printf("close with a %.1f MB settings file: %.1f ms; one QSettings rewrite of it: %.1f ms (x%.1f)\n",
                old.size() / 1e6, closeTime / 1000.0, reference / 1000.0, double(closeTime) / reference);

    const QByteArray large = oldSettingsFile(scratch, 50 * 1024 * 1024);
    const qint64 largeClose = closeMicroseconds(settingsFile, large);
    const qint64 largeReference = rewriteMicroseconds(scratch, large);
    std::printf("close with a %.1f MB settings file: %.1f ms; one QSettings rewrite of it: %.1f ms (x%.1f)\n",
                large.size() / 1e6, largeClose / 1000.0, largeReference / 1000.0,
                double(largeClose) / largeReference);
    return tally[2] + tally[3] == 0 ? 0 : 1;
}
