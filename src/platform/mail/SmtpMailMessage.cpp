#include "SmtpMailMessage.h"

#include "MessageSpool.h"
#include "SmtpSubmission.h"
#include "platform/RuntimeError.h"
#include "platform/storage/DataLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <thread>

SmtpMailMessage::SmtpMailMessage() = default;

SmtpMailMessage::SmtpMailMessage(Options options) : m_options(std::move(options)) {}

void SmtpMailMessage::addAttachment(const QString& path)
{
    const QFileInfo info(path);
    QString reason;
    if (path.isEmpty() || !info.exists())
        reason = QCoreApplication::translate("SmtpMailMessage", "This file does not exist.");
    else if (!info.isFile())
        reason = QCoreApplication::translate("SmtpMailMessage", "This is not a file.");
    else if (QFile file(path); !file.open(QIODevice::ReadOnly))
        reason =
            QCoreApplication::translate("MimeMessage", "This file can't be read: %1").arg(file.errorString());
    if (!reason.isEmpty())
        throw RuntimeError(RuntimeError::MailFailure, path + QStringLiteral("\r\n\r\n") + reason);
    m_attachments.append(path);
}

void SmtpMailMessage::send()
{
    m_source = MessageSource();
    SmtpSubmission submission;
    submission.server = m_server;
    submission.port = m_port;
    submission.useSSL = m_useSSL;
    submission.userName = m_userName;
    submission.password = m_password;
    submission.caCertificateFile = m_options.caCertificateFile;
    submission.connectTimeoutSeconds = m_options.connectTimeoutSeconds;
    submission.stallTimeoutSeconds = m_options.stallTimeoutSeconds;
    checkSmtpServer(m_server, m_port);

    // Addresses are checked before anything is built or any connection is made.
    const QList<MailAddress> senders = parseAddressList(m_from, QStringLiteral("sender"));
    if (senders.size() != 1 || !senders.first().group.isEmpty())
        throw RuntimeError(
            RuntimeError::MailFailure,
            QCoreApplication::translate("SmtpMailMessage", "The sender \"%1\" must be one mail address.")
                .arg(singleLine(m_from)));
    MimeMessage::Content content;
    content.from = senders.first();
    content.to = parseAddressList(m_to, QStringLiteral("recipient"));
    // The header would end at a NUL and carry less than the box holds.
    if (m_subject.contains(QChar(0)))
        throw RuntimeError(
            RuntimeError::MailFailure,
            QCoreApplication::translate(
                "SmtpMailMessage", "The subject contains a NUL character, which a mail header can't hold."));
    content.subject = m_subject;
    content.body = m_body;
    content.mailer = m_mailer;
    content.attachments = m_attachments;
    submission.mailFrom = content.from.addrSpec;
    for (const MailAddress& to : content.to) {
        if (!submission.recipients.contains(to.addrSpec))
            submission.recipients.append(to.addrSpec);
    }

    // The message is written while the connection is made and read as it is
    // written, so neither waits for the other and the window keeps running.
    MessageSpool spool(m_options.spoolFolder.isEmpty() ? QStringList{dataFolderLocation(), QDir::tempPath()}
                                                       : QStringList{m_options.spoolFolder});
    std::jthread writer([&spool, &content] {
        try {
            MimeMessage::write(content, spool);
            spool.finish();
        } catch (...) {
            spool.fail(RuntimeError::fromCurrentException());
        }
    });
    // Whatever ends the send, the writer is stopped before it is joined.
    const auto stopWriter = qScopeGuard([&spool] { spool.cancel(); });
    submission.read = [&spool](char* buffer, qint64 maxSize) { return spool.read(buffer, maxSize); };
    try {
        submitMail(submission);
    } catch (const RuntimeError&) {
        // A message that could not be written ends the transfer: that is the cause to name.
        if (const std::optional<RuntimeError> failure = spool.failure())
            throw *failure;
        throw;
    }
    writer.join();
    m_source = spool.source();
}
