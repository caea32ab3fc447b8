#include "MailComponent.h"

#include "RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <dlfcn.h>

namespace
{

struct Module {
    MailMessage* (*create)() = nullptr;
    void (*parse)(const QString&, const QString&, QList<MailAddress>*) = nullptr;
    QString error;
};

// Beside this library, wherever both were put.
QString modulePath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&modulePath), &info) == 0 || !info.dli_fname)
        return QStringLiteral("libvellummail.so");
    return QFileInfo(QFile::decodeName(info.dli_fname)).absolutePath() + QStringLiteral("/libvellummail.so");
}

const Module& module()
{
    static const Module loaded = [] {
        Module module;
        QLibrary library(modulePath());
        if (!library.load()) {
            module.error = library.errorString();
            return module;
        }
        module.create = reinterpret_cast<decltype(module.create)>(library.resolve("vellumCreateMailMessage"));
        module.parse = reinterpret_cast<decltype(module.parse)>(library.resolve("vellumParseAddressList"));
        if (!module.create || !module.parse)
            module.error = library.errorString();
        return module;
    }();
    if (!loaded.error.isEmpty())
        throw RuntimeError(
            RuntimeError::ComponentFailure,
            QCoreApplication::translate("MailComponent", "The mail component can't be loaded: %1")
                .arg(loaded.error));
    return loaded;
}

} // namespace

std::unique_ptr<MailMessage> MailComponent::createMailMessage()
{
    return std::unique_ptr<MailMessage>(module().create());
}

QList<MailAddress> MailComponent::parseAddressList(const QString& text, const QString& what)
{
    QList<MailAddress> addresses;
    module().parse(text, what, &addresses);
    return addresses;
}
