#pragma once

#include "platform/LastResort.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// A private home for one test: data and config folders in a temporary
// directory, the data folder created, every modal seam scripted and the
// real component factory in place.
class TestEnvironment
{
public:
    TestEnvironment();
    ~TestEnvironment();

    QString root() const { return m_root.path(); }
    QString dataHome() const;
    QString configHome() const;
    // Tessaline/Vellum under the data home, as the program computes it.
    QString dataFolder() const;
    QString settingsFile() const;

    // Folders the program asked the file manager to open.
    const QStringList& openedFolders() const { return m_openedFolders; }
    void setOpenFolderResult(bool result) { m_openFolderResult = result; }

private:
    QTemporaryDir m_root;
    QByteArray m_previousDataHome;
    QByteArray m_previousConfigHome;
    QStringList m_openedFolders;
    bool m_openFolderResult = true;
};

// Makes every write past the given size fail, as a full disk does; works
// for root, whom permission bits do not stop.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long m_previousSoft;
};

// Tests run inside the program's own application object, so an exception in
// an event handler meets the same last-resort handling as in the program.
#define VELLUM_TEST_MAIN(TestObject)                                                                         \
    int main(int argc, char* argv[])                                                                         \
    {                                                                                                        \
        QCoreApplication::setAttribute(Qt::AA_Use96Dpi, true);                                               \
        Application application(argc, argv);                                                                 \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                                     \
        /* Windows close in every test; that must not end event processing. */                               \
        application.setQuitOnLastWindowClosed(false);                                                        \
        TestObject test;                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                              \
    }

// Makes `link` a symbolic link to a regular file of another user: `target`,
// handed to "nobody", when the tests run as root, else a file of root's.
bool linkToAnotherUsersFile(const QString& target, const QString& link);
