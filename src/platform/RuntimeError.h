#pragma once

#include <QString>
#include <exception>

// The one error type of the program: a failed support-library or component
// call. Carries what a person needs to act on it.
class RuntimeError : public std::exception
{
public:
    enum Number {
        GeneralFailure = 5,
        OutOfMemory = 7,
        FileNotFound = 53,
        PermissionDenied = 70,
        PathNotFound = 76,
        FileAccess = 75,
        InvalidArgument = 380,
        ComponentFailure = 440,
        MailFailure = 1000,
    };

    RuntimeError(long number, QString description, QString source = QString());

    long number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }

    const char* what() const noexcept override { return m_what.constData(); }

    // Converts anything thrown into the project's error, so callers only ever
    // deal with one type.
    static RuntimeError fromCurrentException();

private:
    long m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};
