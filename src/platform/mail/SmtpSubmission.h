#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// Everything one SMTP submission needs. The data is sent as is; the
// transport does the dot-stuffing.
struct SmtpSubmission {
    QString server;
    int port = 0;
    bool useSSL = false; // port 465: TLS from the start; any other port: STARTTLS required
    QString userName;
    QString password;
    QByteArray mailFrom;
    QList<QByteArray> recipients;
    // The message, in order: the next bytes, 0 at the end, -1 to give up
    // without the server accepting anything. May wait for bytes still being written.
    std::function<qint64(char* buffer, qint64 maxSize)> read;
    QString caCertificateFile; // empty: the system's store
    int connectTimeoutSeconds = 30;
    int stallTimeoutSeconds = 60;
};

// Raises RuntimeError for a server name or port that can't be used.
void checkSmtpServer(const QString& server, int port);

// Blocks until the server accepted the message, running the Qt event loop
// meanwhile. Raises RuntimeError with what went wrong.
void submitMail(const SmtpSubmission& submission);
