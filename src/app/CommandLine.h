#pragma once

#include "MailtoUrl.h"

#include <QStringList>
#include <optional>

// What the program was asked for on its command line: nothing (the composer
// as always), a mailto: link to start the message from, or help, version
// or a wrong argument, which are answered without opening a window.
struct CommandLine {
    enum Action { Compose, ShowHelp, ShowVersion, Misused };

    Action action = Compose;
    std::optional<MailtoUrl> mailto;
    QString misusedArgument;

    // The arguments without the program's name.
    static CommandLine parse(const QStringList& arguments);
    // The program's own argv, name included.
    static CommandLine parse(int argc, char* argv[]);
    // Prints help or version to stdout, or the usage to stderr; returns the
    // exit status (0, or 2 for a wrong argument).
    int answer() const;

    static QString helpText();
    static QString versionText();
    static QString usageText(const QString& argument);
};
