#include "AttachmentType.h"

#include <QFile>
#include <QMimeDatabase>
#include <QStringDecoder>
#include <algorithm>
#include <glib.h>
#include <iconv.h>
#include <memory>
#include <optional>
#include <type_traits>
#include <uchardet.h>
#include <utility>

namespace
{

constexpr qsizetype blockSize = 64 * 1024;
// Enough text for the detector to be sure; the rest of a large file would not change its answer.
constexpr qint64 detectorSample = 4 * 1024 * 1024;
const QByteArray octetStream("application/octet-stream");

QByteArray mimeTypeOf(const QString& path)
{
    static const QMimeDatabase database;
    QMimeType type = database.mimeTypeForFile(path);
    // An empty file says nothing about what it is; its name says more.
    if (type.name() == QLatin1String("application/x-zerosize"))
        type = database.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    const QString name = type.isValid() ? type.name() : QString();
    if (name.isEmpty() || !name.contains(QLatin1Char('/')))
        return octetStream;
    return name.toUtf8();
}

// Calls `take` with each block of the file; false when it can't be read to the end.
template <typename Take> bool readBlocks(const QString& path, Take take)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray block(blockSize, Qt::Uninitialized);
    for (;;) {
        const qint64 length = file.read(block.data(), blockSize);
        if (length < 0)
            return false;
        if (length == 0)
            return true;
        if (!take(QByteArrayView(block.constData(), length)))
            return true;
    }
}

// UTF-16 announced by its byte-order mark, the whole file valid: readers take the mark as it stands.
bool isUtf16WithMark(const QString& path)
{
    QStringDecoder decoder(QStringDecoder::Utf16);
    bool first = true;
    bool marked = false;
    qint64 size = 0;
    const bool read = readBlocks(path, [&](QByteArrayView block) {
        if (std::exchange(first, false))
            marked = block.startsWith("\xFF\xFE") || block.startsWith("\xFE\xFF");
        size += block.size();
        decoder.decode(block);
        return marked && !decoder.hasError();
    });
    return read && marked && size % 2 == 0 && !decoder.hasError();
}

// The charset of a text, or empty when it can't be told.
QByteArray charsetOf(const QString& path)
{
    if (isUtf16WithMark(path))
        return "utf-16";
    bool ascii = true;
    bool utf8 = true;
    bool hasNul = false;
    QByteArray pending; // a character cut by the end of a block
    const bool read = readBlocks(path, [&](QByteArrayView block) {
        hasNul = block.contains('\0');
        if (hasNul)
            return false;
        if (ascii && std::all_of(block.begin(), block.end(), [](char c) { return c >= 0; }))
            return true;
        ascii = false;
        pending.append(block);
        const gchar* end = nullptr;
        if (g_utf8_validate_len(pending.constData(), gsize(pending.size()), &end)) {
            pending.clear();
            return true;
        }
        const qsizetype valid = end - pending.constData();
        pending.remove(0, valid);
        utf8 = pending.size() < 4;
        return utf8;
    });
    if (!read || hasNul)
        return {};
    if (ascii)
        return "us-ascii";
    if (utf8 && pending.isEmpty())
        return "utf-8";

    std::unique_ptr<std::remove_pointer_t<uchardet_t>, decltype(&uchardet_delete)> detector(uchardet_new(),
                                                                                            uchardet_delete);
    qint64 fed = 0;
    readBlocks(path, [&](QByteArrayView block) {
        fed += block.size();
        return uchardet_handle_data(detector.get(), block.constData(), size_t(block.size())) == 0 &&
               fed < detectorSample;
    });
    uchardet_data_end(detector.get());
    const QByteArray detected = QByteArray(uchardet_get_charset(detector.get())).toLower();
    // Only a charset readers can decode: one iconv knows, and not one the bytes just failed.
    if (detected.isEmpty() || detected == "ascii" || detected == "utf-8" || detected.startsWith("utf-16") ||
        detected.startsWith("utf-32"))
        return {};
    const iconv_t converter = iconv_open("UTF-8", detected.constData());
    if (converter == iconv_t(-1))
        return {};
    iconv_close(converter);
    return detected;
}

bool isFieldName(QByteArrayView name)
{
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7f)
            return false;
    }
    return true;
}

// A file travels as a message when readers can take it as one: a header section of well-formed
// ASCII fields with a From, lines of at most 998 octets that end in LF or CRLF (sent as CRLF), and
// no NUL. Returns the encoding that says so, or nothing.
std::optional<AttachmentType::Encoding> messageEncodingOf(const QString& path)
{
    QByteArray line;
    bool inHeader = true;
    bool hasFields = false;
    bool hasFrom = false;
    bool eightBit = false;
    bool proper = true;
    auto endLine = [&] {
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.size() > 998 || line.contains('\r')) {
            proper = false;
        } else if (inHeader && line.isEmpty()) {
            inHeader = false;
        } else if (inHeader) {
            const qsizetype colon = line.indexOf(':');
            if (line.startsWith(' ') || line.startsWith('\t')) {
                proper = hasFields;
            } else if (colon > 0 && isFieldName(QByteArrayView(line).first(colon))) {
                hasFields = true;
                hasFrom = hasFrom || line.left(colon).trimmed().compare("From", Qt::CaseInsensitive) == 0;
            } else {
                proper = false;
            }
            for (const char c : line)
                proper = proper && static_cast<unsigned char>(c) < 0x80;
        }
        line.clear();
    };
    const bool read = readBlocks(path, [&](QByteArrayView block) {
        proper = !block.contains('\0');
        eightBit = eightBit || std::any_of(block.begin(), block.end(), [](char c) { return c < 0; });
        for (qsizetype start = 0; proper && start < block.size();) {
            const qsizetype end = block.indexOf('\n', start);
            const qsizetype stop = end < 0 ? block.size() : end;
            line.append(block.sliced(start, stop - start));
            if (line.size() > 999)
                proper = false;
            else if (end >= 0)
                endLine();
            start = stop + 1;
        }
        return proper;
    });
    if (!line.isEmpty())
        endLine();
    if (!read || !proper || !hasFrom)
        return std::nullopt;
    return eightBit ? AttachmentType::Encoding::EightBit : AttachmentType::Encoding::SevenBit;
}

} // namespace

AttachmentType AttachmentType::of(const QString& path)
{
    AttachmentType type;
    type.mediaType = mimeTypeOf(path);
    if (type.mediaType == "message/rfc822") {
        // A message body may only be 7bit or 8bit. The whole message goes 7-bit, as the transport can't
        // declare 8-bit data to the server (BODY=8BITMIME): a message with 8-bit octets goes as octets,
        // its bytes unchanged, like one that can't go as a message at all.
        if (messageEncodingOf(path) == Encoding::SevenBit)
            type.encoding = Encoding::SevenBit;
        else
            type.mediaType = octetStream;
    } else if (type.mediaType.startsWith("text/")) {
        type.charset = charsetOf(path);
        if (type.charset.isEmpty())
            type.mediaType = octetStream;
    }
    return type;
}
