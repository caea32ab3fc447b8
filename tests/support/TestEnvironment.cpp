#include "TestEnvironment.h"

#include "app/modMain.h"
#include "platform/ComponentFactory.h"
#include "platform/HistoryPopup.h"
#include "platform/MessageBox.h"
#include "platform/Shell.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

TestEnvironment::TestEnvironment()
    : m_previousDataHome(qgetenv("XDG_DATA_HOME")), m_previousConfigHome(qgetenv("XDG_CONFIG_HOME"))
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataHome()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configHome()));
    QDir().mkpath(dataFolder());
    QDir().mkpath(configHome());
    modMain::DataFolder = dataFolder();

    ComponentFactory::install(nullptr);
    MessageBox::setScripted(true);
    MessageBox::clearShown();
    HistoryPopup::setScripted(true);
    HistoryPopup::setNextChoice(-1);
    LastResort::resetTerminationCount();
    LastResort::setTerminate([] {});
    Shell::setOpenFolderHandler([this](const QString& path) {
        m_openedFolders.append(path);
        return m_openFolderResult;
    });
}

TestEnvironment::~TestEnvironment()
{
    Shell::setOpenFolderHandler(nullptr);
    ComponentFactory::install(nullptr);
    MessageBox::clearShown();
    modMain::DataFolder.clear();
    qputenv("XDG_DATA_HOME", m_previousDataHome);
    qputenv("XDG_CONFIG_HOME", m_previousConfigHome);
}

QString TestEnvironment::dataHome() const
{
    return m_root.filePath(QStringLiteral("data"));
}

QString TestEnvironment::configHome() const
{
    return m_root.filePath(QStringLiteral("config"));
}

QString TestEnvironment::dataFolder() const
{
    return dataHome() + QStringLiteral("/Tessaline/Vellum");
}

QString TestEnvironment::settingsFile() const
{
    return configHome() + QStringLiteral("/Tessaline/Vellum.ini");
}

FileSizeLimit::FileSizeLimit(long long bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_previousSoft = limit.rlim_cur;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_previousSoft);
    setrlimit(RLIMIT_FSIZE, &limit);
}

bool linkToAnotherUsersFile(const QString& target, const QString& link)
{
    if (::geteuid() != 0)
        return QFile::link(QStringLiteral("/etc/passwd"), link);
    constexpr uid_t nobody = 65534;
    return ::chown(QFile::encodeName(target).constData(), nobody, nobody) == 0 && QFile::link(target, link);
}
