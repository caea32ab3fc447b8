#include "TestEnvironment.h"
#include "platform/CoreDumps.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

class TestCoreDumps : public QObject
{
    Q_OBJECT

    // Crashes a child process that allows core files of any size, as after
    // `ulimit -c unlimited`; true when the kernel dumped its core.
    static bool crashDumpsCore(bool keepSecrets, const QString& folder)
    {
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(QFile::encodeName(folder).constData()) != 0)
                ::_exit(2);
            rlimit unlimited{RLIM_INFINITY, RLIM_INFINITY};
            ::setrlimit(RLIMIT_CORE, &unlimited);
            if (keepSecrets)
                keepSecretsOutOfCoreDumps();
            std::signal(SIGSEGV, SIG_DFL);
            std::raise(SIGSEGV);
            ::_exit(3);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFSIGNALED(status) && WCOREDUMP(status);
    }

private slots:
    void crashLeavesNoCoreFile()
    {
        QTemporaryDir plain;
        if (!crashDumpsCore(false, plain.path()))
            QSKIP("This system writes no core files at all");
        QTemporaryDir guarded;
        QVERIFY(!crashDumpsCore(true, guarded.path()));
        QVERIFY(QDir(guarded.path()).isEmpty());
    }
};

VELLUM_TEST_MAIN(TestCoreDumps)
#include "TestCoreDumps.moc"
