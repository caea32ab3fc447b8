#include "SmtpSubmission.h"

#include "platform/RuntimeError.h"
#include "platform/Support.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>
#include <atomic>
#include <cstring>
#include <curl/curl.h>
#include <mutex>
#include <thread>

namespace
{

RuntimeError mailError(const QString& description)
{
    return RuntimeError(RuntimeError::MailFailure, description);
}

// What the server said last and what it was answering, for the error text.
// Outgoing lines are only looked at for their verb: an AUTH line holds the password.
struct Transcript {
    QByteArray partialLine;
    QStringList replyLines;
    bool replyComplete = true;
    QByteArray lastCommand;
    QByteArray lastArgument;
    bool quitting = false;   // what follows QUIT says nothing about the failure
    bool dataEnded = false;  // the whole message went out; only the server's answer to it is missing
    bool tlsStarted = false; // a TLS handshake began: the TCP connection stands
    std::atomic<bool> cancelled = false; // the program is quitting: the transfer stops at once

    void received(const char* data, size_t size)
    {
        if (quitting)
            return;
        partialLine.append(data, qsizetype(size));
        qsizetype end;
        while ((end = partialLine.indexOf('\n')) >= 0) {
            addReplyLine(partialLine.left(end));
            partialLine.remove(0, end + 1);
        }
    }

    void addReplyLine(QByteArray line)
    {
        line = line.trimmed();
        if (line.isEmpty())
            return;
        if (replyComplete) {
            replyLines.clear();
            replyComplete = false;
        }
        if (replyLines.size() < 20)
            replyLines << QString::fromUtf8(line.left(300));
        replyComplete = line.size() < 4 || line.at(3) != '-';
    }

    void sent(const char* data, size_t size)
    {
        const QByteArray line = QByteArray(data, qsizetype(qMin<size_t>(size, 512))).trimmed();
        const qsizetype blank = line.indexOf(' ');
        const QByteArray verb = (blank < 0 ? line : line.left(blank)).toUpper();
        static const QList<QByteArray> verbs{"EHLO", "HELO", "STARTTLS", "AUTH", "MAIL",
                                             "RCPT", "DATA", "QUIT",     "RSET"};
        if (!verbs.contains(verb))
            return;
        if (verb == "QUIT") {
            quitting = true;
            return;
        }
        lastCommand = verb;
        lastArgument.clear();
        if (verb == "MAIL" || verb == "RCPT") {
            const qsizetype open = line.indexOf('<');
            const qsizetype close = line.indexOf('>', open);
            if (open >= 0 && close > open)
                lastArgument = line.mid(open + 1, close - open - 1);
        }
    }

    // "535 5.7.8 Authentication credentials invalid", or empty.
    QString lastReply() const
    {
        if (replyLines.isEmpty())
            return QString();
        QString code = replyLines.first().left(3);
        QStringList texts;
        for (const QString& line : replyLines)
            texts << line.mid(4).trimmed();
        return (code + QLatin1Char(' ') + texts.join(QLatin1Char(' '))).trimmed();
    }

    bool lastReplyIsRefusal() const
    {
        const QString reply = lastReply();
        return !reply.isEmpty() && (reply.at(0) == QLatin1Char('4') || reply.at(0) == QLatin1Char('5'));
    }
};

int onDebug(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    auto* transcript = static_cast<Transcript*>(user);
    if (type == CURLINFO_HEADER_IN)
        transcript->received(data, size);
    else if (type == CURLINFO_HEADER_OUT)
        transcript->sent(data, size);
    else if (type == CURLINFO_SSL_DATA_OUT)
        transcript->tlsStarted = true;
    return 0;
}

size_t onRead(char* buffer, size_t size, size_t count, void* user)
{
    const auto* submission = static_cast<const SmtpSubmission*>(user);
    const qint64 done = submission->read(buffer, qint64(size * count));
    return done < 0 ? CURL_READFUNC_ABORT : size_t(done);
}

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// The host part of the URL, brackets around an IPv6 address.
QString urlHost(const QString& server)
{
    const QString host = server.trimmed();
    if (host.isEmpty())
        throw mailError(QCoreApplication::translate("SmtpSubmission", "No SMTP server is set."));
    for (const QChar c : host) {
        if (c.unicode() <= 0x20 || c.unicode() == 0x7f || QStringLiteral("/\\@?#%<>\"'`{}|^").contains(c))
            throw mailError(
                QCoreApplication::translate("SmtpSubmission", "The server name \"%1\" is not valid.")
                    .arg(host));
    }
    if (host.count(QLatin1Char(':')) >= 2 && !host.startsWith(QLatin1Char('[')))
        return QLatin1Char('[') + host + QLatin1Char(']');
    if (host.count(QLatin1Char(':')) == 1)
        throw mailError(
            QCoreApplication::translate(
                "SmtpSubmission", "The server name \"%1\" is not valid: the port belongs in its own field.")
                .arg(host));
    return host;
}

template <typename Handle, void (*Free)(Handle*)> struct CurlRef {
    Handle* handle;
    ~CurlRef()
    {
        if (handle)
            Free(handle);
    }
};

// How long the user waited when the server stopped answering: the whole
// greeting, STARTTLS and login share the connect time-out; each later command
// has the stall time-out of its own.
int waitedSeconds(const SmtpSubmission& submission, const Transcript& transcript)
{
    static const QList<QByteArray> connecting{"", "EHLO", "HELO", "STARTTLS", "AUTH"};
    return connecting.contains(transcript.lastCommand) ? submission.connectTimeoutSeconds
                                                       : submission.stallTimeoutSeconds;
}

// What the server was given of the message, as the user would count it.
curl_off_t uploadedBytes(CURL* easy)
{
    curl_off_t uploaded = 0;
    curl_easy_getinfo(easy, CURLINFO_SIZE_UPLOAD_T, &uploaded);
    return uploaded;
}

QString describe(CURLcode code, CURL* easy, const SmtpSubmission& submission, const QString& host,
                 const Transcript& transcript, const char* errorBuffer)
{
    const QString curlText =
        QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code)).trimmed();
    const QString reply = transcript.lastReply();
    const QString where =
        QCoreApplication::translate("SmtpSubmission", "%1 port %2").arg(host).arg(submission.port);
    const bool implicitTls = submission.useSSL && submission.port == 465;
    const int waited = waitedSeconds(submission, transcript);
    curl_off_t connectTime = 0;
    curl_easy_getinfo(easy, CURLINFO_CONNECT_TIME_T, &connectTime);
    curl_off_t secureTime = 0;
    curl_easy_getinfo(easy, CURLINFO_APPCONNECT_TIME_T, &secureTime);
    long osErrno = 0;
    curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osErrno);

    // The server has the whole message and has not said whether it took it:
    // it may well be delivered, so a second send could be a duplicate.
    if (transcript.dataEnded && reply.startsWith(QLatin1String("354"))) {
        const QString check = QCoreApplication::translate(
            "SmtpSubmission",
            "The message may have been delivered: check with the recipients or in the server's sent mail "
            "before sending it again.");
        if (code == CURLE_OPERATION_TIMEDOUT)
            return QCoreApplication::translate("SmtpSubmission",
                                               "The server received the whole message but did not confirm it "
                                               "within %n seconds. ",
                                               nullptr, submission.stallTimeoutSeconds) +
                   check;
        return QCoreApplication::translate(
                   "SmtpSubmission",
                   "The server received the whole message but closed the connection without "
                   "confirming it. ") +
               check;
    }
    if (!submission.useSSL && reply.startsWith(QLatin1String("530")) &&
        reply.contains(QLatin1String("TLS"), Qt::CaseInsensitive))
        return QCoreApplication::translate(
                   "SmtpSubmission",
                   "The server accepts mail only over a secure connection: turn on SSL in the "
                   "server settings. (%1)")
            .arg(reply);

    QString sentence;
    bool curlTextShown = false;
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        sentence = QCoreApplication::translate("SmtpSubmission",
                                               "Can't find the server \"%1\". Check the server name.")
                       .arg(host);
        break;
    case CURLE_COULDNT_CONNECT:
        if (osErrno != 0) {
            sentence = QCoreApplication::translate("SmtpSubmission", "Can't connect to %1: %2")
                           .arg(where, QString::fromLocal8Bit(strerror(int(osErrno))));
        } else {
            sentence =
                QCoreApplication::translate("SmtpSubmission", "Can't connect to %1: %2").arg(where, curlText);
            curlTextShown = true;
        }
        break;
    case CURLE_OPERATION_TIMEDOUT:
        curlTextShown = true; // says no more than the sentence
        if (implicitTls && secureTime == 0 && transcript.tlsStarted)
            sentence =
                QCoreApplication::translate("SmtpSubmission",
                                            "The server at %1 accepted the connection but did not set up the "
                                            "secure connection within %n seconds. Check the port and the SSL "
                                            "setting.",
                                            nullptr, submission.connectTimeoutSeconds)
                    .arg(where);
        else if (connectTime == 0 && transcript.replyLines.isEmpty())
            sentence = QCoreApplication::translate("SmtpSubmission",
                                                   "Can't connect to %1: no answer within %n seconds.",
                                                   nullptr, submission.connectTimeoutSeconds)
                           .arg(where);
        else if (transcript.replyLines.isEmpty())
            sentence =
                QCoreApplication::translate("SmtpSubmission",
                                            "The server at %1 accepted the connection but did not greet "
                                            "within %n seconds. Check the server name, the port and the "
                                            "SSL setting.",
                                            nullptr, submission.connectTimeoutSeconds)
                    .arg(where);
        else if (transcript.lastCommand == "STARTTLS")
            sentence =
                QCoreApplication::translate("SmtpSubmission",
                                            "The server did not set up the secure connection (STARTTLS) "
                                            "within %n seconds. Check the port and the SSL setting.",
                                            nullptr, submission.connectTimeoutSeconds);
        else
            sentence = QCoreApplication::translate(
                "SmtpSubmission", "The server did not answer within %n seconds.", nullptr, waited);
        break;
    case CURLE_PEER_FAILED_VERIFICATION:
        sentence =
            QCoreApplication::translate("SmtpSubmission", "The server's certificate is not trusted: %1")
                .arg(curlText);
        curlTextShown = true;
        break;
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CRL_BADFILE:
        sentence = QCoreApplication::translate("SmtpSubmission", "The trusted certificates can't be read: %1")
                       .arg(curlText);
        curlTextShown = true;
        break;
    case CURLE_USE_SSL_FAILED:
        sentence = QCoreApplication::translate(
            "SmtpSubmission", "The server does not offer STARTTLS, so the connection can't be secured. "
                              "Check the port and the SSL setting.");
        break;
    case CURLE_SSL_CONNECT_ERROR:
        sentence = QCoreApplication::translate(
                       "SmtpSubmission",
                       "The secure connection to the server failed: %1. Check the port and the SSL setting.")
                       .arg(curlText);
        curlTextShown = true;
        break;
    case CURLE_LOGIN_DENIED:
        sentence =
            QCoreApplication::translate("SmtpSubmission", "The server refused the login: %1")
                .arg(transcript.lastCommand == "AUTH" && transcript.lastReplyIsRefusal() ? reply : curlText);
        curlTextShown = true;
        break;
    default:
        if (transcript.lastReplyIsRefusal()) {
            // The server's own words say it; the library's code name adds nothing.
            curlTextShown = true;
            if (transcript.lastCommand == "MAIL" && reply.startsWith(QLatin1String("530")))
                sentence = QCoreApplication::translate(
                               "SmtpSubmission",
                               "The server wants a login before it takes mail, and it offered no way "
                               "to log in on this connection: check the port and the SSL setting. "
                               "(%1)")
                               .arg(reply);
            else if (transcript.lastCommand == "MAIL")
                sentence = QCoreApplication::translate("SmtpSubmission",
                                                       "The server refused the sender address <%1>: %2")
                               .arg(QString::fromUtf8(transcript.lastArgument), reply);
            else if (transcript.lastCommand == "RCPT")
                sentence =
                    QCoreApplication::translate("SmtpSubmission", "The server refused the recipient <%1>: %2")
                        .arg(QString::fromUtf8(transcript.lastArgument), reply);
            else if (transcript.lastCommand == "DATA" && reply.startsWith(QLatin1String("552")))
                sentence =
                    QCoreApplication::translate(
                        "SmtpSubmission", "The server refused the message of %1 as too large: %2. Send fewer "
                                          "or smaller attachments.")
                        .arg(ksFormatByteSizeEx(double(uploadedBytes(easy))), reply);
            else if (transcript.lastCommand == "DATA")
                sentence = QCoreApplication::translate("SmtpSubmission", "The server refused the message: %1")
                               .arg(reply);
            else
                sentence = QCoreApplication::translate("SmtpSubmission", "The server refused to go on: %1")
                               .arg(reply);
        } else if (code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR || code == CURLE_GOT_NOTHING) {
            sentence = QCoreApplication::translate("SmtpSubmission",
                                                   "The server closed the connection unexpectedly.");
            curlTextShown = true; // "errno: 104" tells a person nothing more
        } else {
            sentence =
                QCoreApplication::translate("SmtpSubmission", "The connection to the server failed: %1")
                    .arg(curlText);
            curlTextShown = true;
        }
        break;
    }
    if (!curlTextShown && !curlText.isEmpty())
        sentence += QStringLiteral("\r\n\r\n") +
                    QCoreApplication::translate("SmtpSubmission", "Details: %1").arg(curlText);
    return sentence;
}

// Once QUIT is out, the outcome is settled: waiting for its answer would add
// a second time-out to the one the user was told about.
int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* transcript = static_cast<const Transcript*>(user);
    return transcript->quitting || transcript->cancelled ? 1 : 0;
}

} // namespace

void checkSmtpServer(const QString& server, int port)
{
    urlHost(server);
    if (port < 1 || port > 65535)
        throw mailError(QCoreApplication::translate(
                            "SmtpSubmission", "The port %1 is not valid: it must be between 1 and 65535.")
                            .arg(port));
}

void submitMail(const SmtpSubmission& submission)
{
    checkSmtpServer(submission.server, submission.port);
    const QString host = urlHost(submission.server);
    if (submission.recipients.isEmpty())
        throw mailError(QCoreApplication::translate("AddressList", "There is no recipient address."));
    initialiseCurl();

    const bool implicitTls = submission.useSSL && submission.port == 465;
    const QByteArray url = QStringLiteral("%1://%2:%3")
                               .arg(implicitTls ? QStringLiteral("smtps") : QStringLiteral("smtp"), host)
                               .arg(submission.port)
                               .toUtf8();
    CurlRef<CURL, curl_easy_cleanup> easy{curl_easy_init()};
    if (!easy.handle)
        throw mailError(
            QCoreApplication::translate("SmtpSubmission", "The mail transport can't be started."));

    char errorBuffer[CURL_ERROR_SIZE] = {};
    Transcript transcript;
    CurlRef<curl_slist, curl_slist_free_all> recipients{nullptr};
    for (const QByteArray& recipient : submission.recipients) {
        curl_slist* appended = curl_slist_append(recipients.handle, ('<' + recipient + '>').constData());
        if (!appended)
            throw mailError(QCoreApplication::translate("RuntimeError", "Out of memory"));
        recipients.handle = appended;
    }
    const QByteArray from = '<' + submission.mailFrom + '>';
    const QByteArray user = submission.userName.toUtf8();
    const QByteArray password = submission.password.toUtf8();
    const QByteArray caFile = submission.caCertificateFile.toLocal8Bit();

    CURL* e = easy.handle;
    curl_easy_setopt(e, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(e, CURLOPT_URL, url.constData());
    curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(e, CURLOPT_READFUNCTION, onRead);
    SmtpSubmission reading = submission;
    reading.read = [&transcript, read = submission.read](char* buffer, qint64 maxSize) {
        const qint64 done = read(buffer, maxSize);
        transcript.dataEnded = done == 0;
        return done;
    };
    curl_easy_setopt(e, CURLOPT_READDATA, &reading);
    curl_easy_setopt(e, CURLOPT_UPLOAD_BUFFERSIZE, 512L * 1024L);
    curl_easy_setopt(e, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(e, CURLOPT_MAIL_RCPT, recipients.handle);
    if (!user.isEmpty()) {
        curl_easy_setopt(e, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(e, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(e, CURLOPT_USE_SSL,
                     submission.useSSL && !implicitTls ? long(CURLUSESSL_ALL) : long(CURLUSESSL_NONE));
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(e, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!caFile.isEmpty())
        curl_easy_setopt(e, CURLOPT_CAINFO, caFile.constData());
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, long(submission.connectTimeoutSeconds));
    curl_easy_setopt(e, CURLOPT_SERVER_RESPONSE_TIMEOUT, long(submission.stallTimeoutSeconds));
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(e, CURLOPT_LOW_SPEED_TIME, long(submission.stallTimeoutSeconds));
    // Verbose output goes only to the callback, which keeps the replies for the error text.
    curl_easy_setopt(e, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(e, CURLOPT_DEBUGFUNCTION, onDebug);
    curl_easy_setopt(e, CURLOPT_DEBUGDATA, &transcript);
    // The connection ends inside the transfer, where the progress check below applies to its QUIT.
    curl_easy_setopt(e, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, onProgress);
    curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transcript);

    // libcurl waits for some replies (the one to the message data among them)
    // without giving control back, so the transfer runs on a worker thread
    // while this thread keeps the event loop going: the window repaints and
    // timers fire until the server has answered.
    CURLcode result = CURLE_OK;
    if (QCoreApplication::instance()) {
        QEventLoop loop;
        std::thread worker([&] {
            result = curl_easy_perform(e);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        // The loop also returns at once when the application is quitting; the
        // transfer must not hold the quit until the server gives up.
        transcript.cancelled = true;
        worker.join();
        if (result == CURLE_ABORTED_BY_CALLBACK && !transcript.quitting)
            throw mailError(QCoreApplication::translate(
                "SmtpSubmission", "The send was stopped because the program is closing."));
    } else {
        result = curl_easy_perform(e);
    }
    if (result != CURLE_OK)
        throw mailError(describe(result, e, submission, host, transcript, errorBuffer));
}
