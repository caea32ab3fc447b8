// GLib names a member "signals", which Qt's keyword macro would rewrite: GMime comes first.
#include <gmime/gmime.h>

#include "MimeMessage.h"

#include "AttachmentType.h"
#include "HeaderEncoding.h"
#include "MessageSpool.h"

#include "platform/RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <mutex>

namespace
{

void initialiseGMime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

// Owns one GObject reference.
template <typename T> struct GObjectRef {
    T* object = nullptr;
    explicit GObjectRef(T* o = nullptr) : object(o) {}
    ~GObjectRef()
    {
        if (object)
            g_object_unref(object);
    }
    GObjectRef(const GObjectRef&) = delete;
    GObjectRef& operator=(const GObjectRef&) = delete;
    T* get() const { return object; }
};

RuntimeError mailError(const QString& description)
{
    return RuntimeError(RuntimeError::MailFailure, description);
}

bool hasTrailingBlank(const QByteArray& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text.at(i);
        if ((c == ' ' || c == '\t') && (i + 1 == text.size() || text.at(i + 1) == '\r'))
            return true;
    }
    return false;
}

bool hasFromLine(const QByteArray& text)
{
    return text.startsWith("From ") || text.contains("\r\nFrom ");
}

// mbox delivery turns a line that starts with "From " into ">From ": its F travels encoded. A line
// that grows past 76 characters gets a soft break, never inside an "=XX".
QByteArray escapeFromLines(const QByteArray& encoded)
{
    constexpr qsizetype maximumLine = 76;
    QByteArray result;
    result.reserve(encoded.size() + 64);
    const QList<QByteArray> lines = encoded.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QByteArray line = lines.at(i);
        while (line.startsWith("From ")) {
            line = "=46" + line.mid(1);
            if (line.size() <= maximumLine)
                break;
            qsizetype cut = 0;
            while (cut < line.size()) {
                const qsizetype step = line.at(cut) == '=' ? 3 : 1;
                if (cut + step > maximumLine - 1)
                    break;
                cut += step;
            }
            result += line.left(cut) + "=\n";
            line = line.mid(cut);
        }
        result += line;
        if (i + 1 < lines.size())
            result += '\n';
    }
    return result;
}

GMimeObject* textPart(const QString& body)
{
    GMimePart* part = g_mime_part_new_with_type("text", "plain");
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", "utf-8");
    const QByteArray text = canonicalText(body);
    GObjectRef<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(text.constData(), size_t(text.size())));
    GObjectRef<GMimeDataWrapper> wrapper(
        g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, wrapper.get());
    // 7bit where it fits, else quoted-printable or base64: every line stays under 998 octets.
    GMimeContentEncoding encoding =
        g_mime_part_get_best_content_encoding(part, GMIME_ENCODING_CONSTRAINT_7BIT);
    const bool lastLineOpen = !text.isEmpty() && !text.endsWith("\r\n");
    // Transports may strip blanks at line ends, and 7bit can't say that the text ends without a line break.
    if (encoding == GMIME_CONTENT_ENCODING_DEFAULT)
        encoding = GMIME_CONTENT_ENCODING_7BIT;
    if (encoding == GMIME_CONTENT_ENCODING_7BIT &&
        (lastLineOpen || hasTrailingBlank(text) || hasFromLine(text)))
        encoding = GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE;
    if (encoding == GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE) {
        // Encoded here, as GMime's encoder leaves "From " lines as they are and the last line open (SMTP
        // would close it with a line break the reader then sees: it ends with a soft break instead).
        GMimeEncoding state;
        g_mime_encoding_init_encode(&state, GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE);
        QByteArray encoded(qsizetype(g_mime_encoding_outlen(&state, size_t(text.size()))) + 4,
                           Qt::Uninitialized);
        const size_t length =
            g_mime_encoding_flush(&state, text.constData(), size_t(text.size()), encoded.data());
        encoded.truncate(qsizetype(length));
        if (!encoded.isEmpty() && !encoded.endsWith('\n'))
            encoded.append("=\n");
        encoded = escapeFromLines(encoded);
        GObjectRef<GMimeStream> encodedStream(
            g_mime_stream_mem_new_with_buffer(encoded.constData(), size_t(encoded.size())));
        GObjectRef<GMimeDataWrapper> encodedWrapper(
            g_mime_data_wrapper_new_with_stream(encodedStream.get(), GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE));
        g_mime_part_set_content(part, encodedWrapper.get());
    }
    g_mime_part_set_content_encoding(part, encoding);
    return GMIME_OBJECT(part);
}

GMimeObject* attachmentPart(const QString& path)
{
    GError* error = nullptr;
    // The file is read once, while the message is written.
    GMimeStream* stream = g_mime_stream_fs_open(QFile::encodeName(path).constData(), O_RDONLY, 0, &error);
    if (!stream) {
        const QString reason = error ? QString::fromUtf8(error->message) : QString();
        g_clear_error(&error);
        throw mailError(
            path + QStringLiteral("\r\n\r\n") +
            QCoreApplication::translate("MimeMessage", "This file can't be read: %1").arg(reason));
    }
    GObjectRef<GMimeStream> file(stream);
    const AttachmentType type = AttachmentType::of(path);
    const qsizetype slash = type.mediaType.indexOf('/');
    GMimePart* part = g_mime_part_new_with_type(type.mediaType.left(slash).constData(),
                                                type.mediaType.mid(slash + 1).constData());
    if (!type.charset.isEmpty())
        g_mime_object_set_content_type_parameter(GMIME_OBJECT(part), "charset", type.charset.constData());
    GObjectRef<GMimeDataWrapper> wrapper(
        g_mime_data_wrapper_new_with_stream(file.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part, wrapper.get());
    // A message's lines go as they are, their ends made CRLF as the whole message's are.
    g_mime_part_set_content_encoding(part, type.encoding == AttachmentType::Encoding::SevenBit
                                               ? GMIME_CONTENT_ENCODING_7BIT
                                               : GMIME_CONTENT_ENCODING_BASE64);
    g_mime_object_set_disposition(GMIME_OBJECT(part), GMIME_DISPOSITION_ATTACHMENT);
    g_mime_part_set_filename(part, QFileInfo(path).fileName().toUtf8().constData());
    // Encoded in UTF-8, not in whichever legacy charset happens to fit the name.
    GMimeParamList* dispositionParameters =
        g_mime_content_disposition_get_parameters(g_mime_object_get_content_disposition(GMIME_OBJECT(part)));
    if (GMimeParam* name = g_mime_param_list_get_parameter(dispositionParameters, "filename"))
        g_mime_param_set_charset(name, "utf-8");
    GMimeParamList* typeParameters =
        g_mime_content_type_get_parameters(g_mime_object_get_content_type(GMIME_OBJECT(part)));
    if (GMimeParam* name = g_mime_param_list_get_parameter(typeParameters, "name"))
        g_mime_param_set_charset(name, "utf-8");
    return GMIME_OBJECT(part);
}

// GMime writes a raw value as given, so the encoding made here reaches the reader unchanged.
void setRawHeader(GMimeObject* object, const char* name, const QByteArray& rawValue)
{
    g_mime_object_set_header(object, name, "", nullptr);
    GMimeHeader* header = g_mime_header_list_get_header(g_mime_object_get_header_list(object), name);
    g_mime_header_set_raw_value(header, rawValue.constData());
}

QByteArray domainOf(const QByteArray& addrSpec)
{
    const QByteArray domain = addrSpec.mid(addrSpec.lastIndexOf('@') + 1);
    return domain.isEmpty() || domain.startsWith('[') ? QByteArrayLiteral("localhost") : domain;
}

} // namespace

QByteArray canonicalText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    QByteArray result;
    result.reserve(utf8.size() + utf8.count('\n') + utf8.count('\r') + 2);
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8.at(i);
        if (c == '\r') {
            result.append("\r\n", 2);
            if (i + 1 < utf8.size() && utf8.at(i + 1) == '\n')
                ++i;
        } else if (c == '\n') {
            result.append("\r\n", 2);
        } else {
            result.append(c);
        }
    }
    return result;
}

QString singleLine(const QString& text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), QLatin1String(" "));
    result.replace(QLatin1Char('\r'), QLatin1Char(' '));
    result.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return result;
}

void MimeMessage::write(const Content& content, MessageSpool& spool)
{
    initialiseGMime();
    GObjectRef<GMimeMessage> message(g_mime_message_new(TRUE));
    GMimeObject* top = GMIME_OBJECT(message.get());

    setRawHeader(top, "From", HeaderEncoding::mailboxList("From", {content.from}));
    setRawHeader(top, "To", HeaderEncoding::mailboxList("To", content.to));
    setRawHeader(top, "Subject", HeaderEncoding::unstructured("Subject", singleLine(content.subject)));
    GDateTime* now = g_date_time_new_now_local();
    g_mime_message_set_date(message.get(), now);
    g_date_time_unref(now);
    char* id = g_mime_utils_generate_message_id(domainOf(content.from.addrSpec).constData());
    g_mime_message_set_message_id(message.get(), id);
    g_free(id);
    g_mime_object_set_header(top, "X-Mailer", singleLine(content.mailer).toUtf8().constData(), "utf-8");

    GObjectRef<GMimeObject> body(textPart(content.body));
    if (content.attachments.isEmpty()) {
        g_mime_message_set_mime_part(message.get(), body.get());
    } else {
        GObjectRef<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
        g_mime_multipart_add(mixed.get(), body.get());
        for (const QString& path : content.attachments) {
            GObjectRef<GMimeObject> part(attachmentPart(path));
            g_mime_multipart_add(mixed.get(), part.get());
        }
        g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed.get()));
    }

    GObjectRef<GMimeStream> out(spool.newStream());
    GMimeFormatOptions* options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
    bool written = g_mime_object_write_to_stream(top, options, out.get()) >= 0;
    g_mime_format_options_free(options);
    // The transport ends the data with CRLF.CRLF; the last line must be complete for the bytes to arrive
    // unchanged.
    if (written && !spool.endsWithLineBreak())
        written = g_mime_stream_write(out.get(), "\r\n", 2) == 2;
    written = written && g_mime_stream_flush(out.get()) == 0;
    if (!written) {
        const QString reason = spool.writeError();
        throw mailError(
            reason.isEmpty()
                ? QCoreApplication::translate("MimeMessage",
                                              "The message can't be put together: an attached file could not "
                                              "be read.")
                : QCoreApplication::translate("MimeMessage",
                                              "The message can't be put together: it can't be written to "
                                              "disk (%1).")
                      .arg(reason));
    }
}
