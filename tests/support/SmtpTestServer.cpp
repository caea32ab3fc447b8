#include "SmtpTestServer.h"
#include <csignal>
#include <sys/prctl.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStandardPaths>
#include <mutex>

namespace
{

// Made once per process: creating a key takes a moment.
struct Certificate {
    QTemporaryDir folder;
    QString certificate;
    QString key;
    QString error;
};

Certificate& certificate()
{
    static Certificate made;
    static std::once_flag once;
    std::call_once(once, [] {
        made.certificate = made.folder.filePath(QStringLiteral("server.pem"));
        made.key = made.folder.filePath(QStringLiteral("server.key"));
        QProcess openssl;
        openssl.setProcessChannelMode(QProcess::MergedChannels);
        openssl.start(QStringLiteral("openssl"),
                      {QStringLiteral("req"),
                       QStringLiteral("-x509"),
                       QStringLiteral("-newkey"),
                       QStringLiteral("ec"),
                       QStringLiteral("-pkeyopt"),
                       QStringLiteral("ec_paramgen_curve:prime256v1"),
                       QStringLiteral("-nodes"),
                       QStringLiteral("-days"),
                       QStringLiteral("7"),
                       QStringLiteral("-subj"),
                       QStringLiteral("/CN=127.0.0.1"),
                       QStringLiteral("-addext"),
                       QStringLiteral("subjectAltName=IP:127.0.0.1,DNS:localhost"),
                       QStringLiteral("-addext"),
                       QStringLiteral("basicConstraints=critical,CA:TRUE"),
                       QStringLiteral("-addext"),
                       QStringLiteral("keyUsage=critical,digitalSignature,keyCertSign"),
                       QStringLiteral("-addext"),
                       QStringLiteral("extendedKeyUsage=serverAuth"),
                       QStringLiteral("-keyout"),
                       made.key,
                       QStringLiteral("-out"),
                       made.certificate});
        if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
            made.error = QStringLiteral("openssl failed: ") + QString::fromLocal8Bit(openssl.readAll());
    });
    return made;
}

} // namespace

QString SmtpTestServer::supportDirectory()
{
    const QByteArray fromEnvironment = qgetenv("VELLUM_TEST_SUPPORT_DIR");
    if (!fromEnvironment.isEmpty())
        return QString::fromLocal8Bit(fromEnvironment);
    return QStringLiteral(VELLUM_TEST_SUPPORT_SOURCE_DIR);
}

QString SmtpTestServer::python()
{
    // The interpreter with the distribution's aiosmtpd, not whichever comes first on PATH.
    return QStringLiteral("/usr/bin/python3");
}

QString SmtpTestServer::caCertificateFile()
{
    return certificate().certificate;
}

SmtpTestServer::SmtpTestServer() : SmtpTestServer(Options()) {}

SmtpTestServer::SmtpTestServer(Options options) : m_options(std::move(options))
{
    const Certificate& tls = certificate();
    if (!tls.error.isEmpty()) {
        m_error = tls.error;
        return;
    }
    QStringList arguments{QDir(supportDirectory()).filePath(QStringLiteral("smtp_server.py")),
                          QStringLiteral("--port"),
                          QString::number(m_options.port),
                          QStringLiteral("--folder"),
                          m_folder.path(),
                          QStringLiteral("--cert"),
                          tls.certificate,
                          QStringLiteral("--key"),
                          tls.key,
                          QStringLiteral("--user"),
                          m_options.user,
                          QStringLiteral("--password"),
                          m_options.password};
    if (m_options.implicitTls)
        arguments << QStringLiteral("--implicit-tls");
    if (!m_options.startTls)
        arguments << QStringLiteral("--no-starttls");
    if (m_options.refuseAuth)
        arguments << QStringLiteral("--refuse-auth");
    if (!m_options.refuseRecipient.isEmpty())
        arguments << QStringLiteral("--refuse-recipient") << m_options.refuseRecipient;
    if (m_options.silent)
        arguments << QStringLiteral("--silent");
    if (m_options.fastData)
        arguments << QStringLiteral("--fast-data");
    if (m_options.stallAfterGreeting)
        arguments << QStringLiteral("--stall-after-greeting");
    if (m_options.stallInStartTls)
        arguments << QStringLiteral("--stall-in-starttls");
    if (m_options.dropAfterData)
        arguments << QStringLiteral("--drop-after-data");
    if (!m_options.dataReply.isEmpty())
        arguments << QStringLiteral("--data-reply") << m_options.dataReply;
    if (m_options.requireStartTls)
        arguments << QStringLiteral("--require-starttls");
    if (m_options.hideAuth)
        arguments << QStringLiteral("--hide-auth");
    if (!m_options.offerEightBitMime)
        arguments << QStringLiteral("--no-8bitmime");
    if (m_options.dataDelaySeconds > 0)
        arguments << QStringLiteral("--data-delay") << QString::number(m_options.dataDelaySeconds);

    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that dies must not leave its server running: the orphan would
    // keep the test runner's output pipe open and hang it.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start(python(), arguments);
    const QDeadlineTimer deadline(15000);
    QByteArray output;
    while (!deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
        m_process.waitForReadyRead(100);
        output += m_process.readAllStandardOutput();
        const int end = output.indexOf('\n');
        if (end < 0)
            continue;
        const QByteArray line = output.left(end).trimmed();
        if (line.startsWith("ready "))
            m_port = line.mid(6).toInt();
        else
            m_error = QString::fromLocal8Bit(line);
        break;
    }
    if (m_port == 0 && m_error.isEmpty())
        m_error = QStringLiteral("the test SMTP server did not start: ") + m_process.errorString();
}

SmtpTestServer::~SmtpTestServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QList<SmtpTestServer::Received> SmtpTestServer::receivedMessages() const
{
    QList<Received> received;
    const QDir folder(m_folder.path());
    const QStringList names = folder.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    for (const QString& name : names) {
        Received message;
        QFile raw(folder.filePath(name));
        if (raw.open(QIODevice::ReadOnly))
            message.raw = raw.readAll();
        QFile envelopeFile(folder.filePath(name.chopped(4) + QStringLiteral(".json")));
        if (envelopeFile.open(QIODevice::ReadOnly)) {
            const QJsonObject envelope = QJsonDocument::fromJson(envelopeFile.readAll()).object();
            message.mailFrom = envelope.value(QStringLiteral("mail_from")).toString();
            for (const QJsonValue& recipient : envelope.value(QStringLiteral("rcpt_tos")).toArray())
                message.recipients << recipient.toString();
            for (const QJsonValue& option : envelope.value(QStringLiteral("mail_options")).toArray())
                message.mailOptions << option.toString();
        }
        received << message;
    }
    return received;
}

namespace
{

// Runs a parser script on the raw message; its JSON answer, or {"error": ...}.
QJsonObject runParser(const QString& program, const QString& script, const QByteArray& raw)
{
    QProcess parser;
    parser.start(program, {QDir(SmtpTestServer::supportDirectory()).filePath(script)});
    if (!parser.waitForStarted(10000))
        return {{QStringLiteral("error"), QStringLiteral("the message parser did not start")}};
    parser.write(raw);
    parser.closeWriteChannel();
    if (!parser.waitForFinished(60000))
        return {{QStringLiteral("error"), QStringLiteral("the message parser did not finish")}};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(parser.readAllStandardOutput(), &error);
    if (error.error != QJsonParseError::NoError)
        return {{QStringLiteral("error"), QStringLiteral("unreadable parser output: ") + error.errorString() +
                                              QString::fromLocal8Bit(parser.readAllStandardError())}};
    return document.object();
}

} // namespace

QJsonObject SmtpTestServer::parseMessage(const QByteArray& raw)
{
    return runParser(python(), QStringLiteral("parse_message.py"), raw);
}

QJsonObject SmtpTestServer::parseWithMimeTools(const QByteArray& raw)
{
    return runParser(QStringLiteral("/usr/bin/perl"), QStringLiteral("parse_message.pl"), raw);
}

QString SmtpTestServer::header(const QJsonObject& parsed, const QString& name)
{
    for (const QJsonValue& entry : parsed.value(QStringLiteral("headers")).toArray()) {
        const QJsonArray pair = entry.toArray();
        if (pair.at(0).toString().compare(name, Qt::CaseInsensitive) == 0)
            return pair.at(1).toString();
    }
    return QString();
}
