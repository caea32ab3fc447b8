// Times adding many files to a long attachment list in one file dialog, and
// one refresh of the title and total size.
#include "ScriptedFileDialog.h"
#include "TestEnvironment.h"
#include "attachments/frmAttachments.h"
#include "platform/LastResort.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <cstdio>

namespace
{

constexpr int FilesPerSet = 10000;

QStringList makeFiles(const QString& folder, int count)
{
    QDir().mkpath(folder);
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("%1/file %2.dat").arg(folder).arg(i);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(i % 4096, 'x')) != i % 4096)
            qFatal("cannot write %s", qPrintable(path));
        paths.append(path);
    }
    return paths;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    TestEnvironment environment;

    QStringList attachments = makeFiles(environment.root() + QStringLiteral("/listed"), FilesPerSet);
    const QStringList chosen = makeFiles(environment.root() + QStringLiteral("/chosen"), FilesPerSet);

    auto script = std::make_shared<FileDialogScript>();
    script->answers.append(chosen);
    ComponentFactory::install(std::make_unique<ScriptedFileDialogFactory>(script));

    QElapsedTimer timer;
    timer.start();
    frmAttachments dialog(attachments, nullptr);
    const qint64 openMs = timer.elapsed();

    timer.restart();
    dialog.cmdAdd->click();
    const qint64 addMs = timer.elapsed();
    if (dialog.lstFileNames->count() != 2 * FilesPerSet)
        qFatal("expected %d entries, found %d", 2 * FilesPerSet, dialog.lstFileNames->count());

    timer.restart();
    QMetaObject::invokeMethod(&dialog, "UpdateInfo");
    const qint64 updateMs = timer.elapsed();

    std::printf("open with %d entries: %lld ms\n", FilesPerSet, static_cast<long long>(openMs));
    std::printf("add %d files to %d entries in one dialog: %lld ms\n", FilesPerSet, FilesPerSet,
                static_cast<long long>(addMs));
    std::printf("one UpdateInfo over %d entries: %lld ms\n", 2 * FilesPerSet,
                static_cast<long long>(updateMs));

    ComponentFactory::install(nullptr);
    return 0;
}
