#include "platform/ApplicationIdentity.h"
#include "platform/storage/FileHistoryList.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

// Any bytes in a history file load as at most 50 distinct one-line
// entries, and what a save writes loads back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_history_file";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static QTemporaryDir folder;
    const QString fileName = QStringLiteral("To History.DAT");
    {
        QFile file(folder.filePath(fileName));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    FileHistoryList list(folder.path());
    list.open(fileName, ApplicationIdentity::current());
    list.load();
    QStringList entries = list.entries();
    if (entries.size() > FileHistoryList::MaximumEntries || entries.removeDuplicates() != 0)
        std::abort();
    list.add(QStringLiteral("new\nentry"));
    list.save();
    FileHistoryList again(folder.path());
    again.open(fileName, ApplicationIdentity::current());
    again.load();
    if (again.entries() != list.entries())
        std::abort();
    return 0;
}
