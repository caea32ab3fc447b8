#include "modMain.h"

#include "composer/frmMain.h"
#include "platform/MessageBox.h"
#include "platform/Support.h"
#include "platform/storage/DataLocation.h"

#include <QCoreApplication>

QString modMain::DataFolder;

void modMain::Main(const std::optional<MailtoUrl>& mailto)
{
    ksRegisterAppPath();
    if (!ksIsInIDE())
        ksSetWindowResIconAll(ksGetThunderMainHandle(), QStringLiteral("A_MAIN"));
    DataFolder = GetDataFolder();
    if (DataFolder.isEmpty())
        return;
    auto* window = new frmMain();
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (mailto)
        window->StartMessage(mailto->recipients, mailto->subject, mailto->body);
    window->show();
}

QString modMain::GetDataFolder()
{
    const QString folder = dataFolderLocation();
    if (ksCreateComplexDirectory(folder))
        return folder;
    MessageBox::show(nullptr,
                     folder + QStringLiteral("\r\n\r\n") +
                         QCoreApplication::translate("modMain", "Can't create or open data folder."),
                     MessageBox::Critical);
    return QString();
}
