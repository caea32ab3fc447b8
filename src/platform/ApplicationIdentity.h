#pragma once

#include <QString>

// What the components learn about the running program.
struct ApplicationIdentity {
    QString title;
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString executableName;

    static const ApplicationIdentity& current();
};

// Shown by message boxes that have no caption of their own.
inline const QString applicationTitle = QStringLiteral("Kestrel - Vellum");
