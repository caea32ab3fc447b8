#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A real SMTP server on 127.0.0.1 for one test, run as a child process.
// Keeps what it receives, so a test can look at the exact bytes.
class SmtpTestServer
{
public:
    struct Options {
        bool implicitTls = false;
        bool startTls = true;
        QString user = QStringLiteral("user");
        QString password = QStringLiteral("secret");
        bool refuseAuth = false;
        QString refuseRecipient;
        bool silent = false;
        int dataDelaySeconds = 0;
        bool stallAfterGreeting = false;
        bool stallInStartTls = false;
        bool dropAfterData = false;   // keeps the message, closes instead of answering
        QString dataReply;            // answers the message data with this instead
        bool requireStartTls = false; // 530 to everything before STARTTLS
        bool offerEightBitMime = true;
        bool hideAuth = false; // no AUTH offered, yet a login required before MAIL
        int port = 0;          // 0 picks a free one
        bool fastData = false; // reads message data in large blocks: for benchmarks, not for tests
    };

    struct Received {
        QByteArray raw;
        QString mailFrom;
        QStringList recipients;
        QStringList mailOptions; // the parameters of MAIL FROM
    };

    SmtpTestServer();
    explicit SmtpTestServer(Options options);
    ~SmtpTestServer();
    SmtpTestServer(const SmtpTestServer&) = delete;
    SmtpTestServer& operator=(const SmtpTestServer&) = delete;

    // False when the server did not come up; errorText() says why.
    bool isRunning() const { return m_port != 0; }
    const QString& errorText() const { return m_error; }
    int port() const { return m_port; }
    const Options& options() const { return m_options; }

    // The certificate the server presents: self-signed, valid for 127.0.0.1
    // and localhost, usable as its own CA.
    static QString caCertificateFile();

    // In the order received.
    QList<Received> receivedMessages() const;

    // What a strict mail reader makes of a message: headers, body,
    // attachments, defects (or "error").
    static QJsonObject parseMessage(const QByteArray& raw);
    // What MIME-tools makes of it: warnings, decoded headers, every part's bytes (or "error").
    static QJsonObject parseWithMimeTools(const QByteArray& raw);
    // The decoded value of the first header of that name in a parseMessage() result.
    static QString header(const QJsonObject& parsed, const QString& name);

    static QString supportDirectory();
    static QString python();

private:
    Options m_options;
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
    QString m_error;
};
