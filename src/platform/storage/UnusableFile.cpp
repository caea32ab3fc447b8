#include "UnusableFile.h"

#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QSet>

void reportUnusableFile(const QString& path, const QString& problem)
{
    static QSet<QString> reported;
    if (reported.contains(path))
        return;
    reported.insert(path);
    MessageBox::show(nullptr,
                     path + QStringLiteral("\r\n\r\n") + problem +
                         QCoreApplication::translate(
                             "UnusableFile", " Vellum goes on without this file and saves nothing in it."),
                     MessageBox::Exclamation);
}
