#include "CommandLine.h"

#include "platform/ApplicationIdentity.h"
#include "platform/Support.h"

#include <cstdio>

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine result;
    if (arguments.isEmpty())
        return result;
    // One argument at most: after it, any further one is the unexpected one.
    const QString& argument = arguments.size() > 1 ? arguments.at(1) : arguments.first();
    if (arguments.size() == 1 && argument == QLatin1String("--help")) {
        result.action = ShowHelp;
    } else if (arguments.size() == 1 && argument == QLatin1String("--version")) {
        result.action = ShowVersion;
    } else if (arguments.size() == 1 && MailtoUrl::isMailto(argument)) {
        result.mailto = MailtoUrl::parse(argument);
    } else {
        result.action = Misused;
        result.misusedArgument = argument;
    }
    return result;
}

CommandLine CommandLine::parse(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return parse(arguments);
}

int CommandLine::answer() const
{
    switch (action) {
    case Compose:
        return 0;
    case ShowHelp:
        std::fputs(helpText().toLocal8Bit().constData(), stdout);
        return 0;
    case ShowVersion:
        std::fputs(versionText().toLocal8Bit().constData(), stdout);
        return 0;
    case Misused:
        break;
    }
    std::fputs(usageText(misusedArgument).toLocal8Bit().constData(), stderr);
    return 2;
}

QString CommandLine::helpText()
{
    return QStringLiteral("Usage: vellum [mailto:URL]\n"
                          "\n"
                          "Opens the mail composer. A mailto: link fills in its recipients (to and cc),\n"
                          "subject and body; the recipient replaces the one from the last run. Files\n"
                          "and other headers the link names are ignored.\n"
                          "\n"
                          "  --help     show this help and exit\n"
                          "  --version  show the version and exit\n");
}

QString CommandLine::versionText()
{
    const ApplicationIdentity& identity = ApplicationIdentity::current();
    return identity.title + QLatin1Char(' ') +
           ksFormatVersion(identity.major, identity.minor, identity.revision) + QLatin1Char('\n');
}

QString CommandLine::usageText(const QString& argument)
{
    return QStringLiteral("vellum: unexpected argument '%1'\n"
                          "Usage: vellum [mailto:URL | --help | --version]\n")
        .arg(argument);
}
