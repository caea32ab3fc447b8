#include "DraftFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringDecoder>

namespace
{

const QString FormatName = QStringLiteral("Vellum draft");
constexpr int FormatVersion = 1;

std::optional<Draft> refuse(QString* reason, const QString& why)
{
    if (reason)
        *reason = why;
    return std::nullopt;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    return !decoder.hasError();
}

} // namespace

QByteArray DraftFile::toBytes(const Draft& draft)
{
    QJsonObject object{
        {QStringLiteral("format"), FormatName},
        {QStringLiteral("version"), FormatVersion},
        {QStringLiteral("to"), draft.to},
        {QStringLiteral("subject"), draft.subject},
        {QStringLiteral("body"), draft.body},
        {QStringLiteral("attachments"), QJsonArray::fromStringList(draft.attachments)},
        {QStringLiteral("sendHotkeyOption"), draft.sendHotkeyOption},
    };
    if (!draft.endedBy.isEmpty())
        object.insert(QStringLiteral("endedBy"), draft.endedBy);
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

std::optional<Draft> DraftFile::fromBytes(const QByteArray& bytes, QString* reason)
{
    if (bytes.size() > MaximumSize)
        return refuse(reason, QStringLiteral("too large for a draft"));
    // JSON escapes can still smuggle in what the decoder would have refused.
    if (!isValidUtf8(bytes))
        return refuse(reason, QStringLiteral("not UTF-8 text"));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse(reason, QStringLiteral("incomplete or damaged"));
    const QJsonObject object = document.object();
    if (object.value(QStringLiteral("format")).toString() != FormatName ||
        !object.value(QStringLiteral("version")).isDouble())
        return refuse(reason, QStringLiteral("not a draft"));
    if (object.value(QStringLiteral("version")).toInt() > FormatVersion)
        return refuse(reason, QStringLiteral("written by a newer version of Vellum"));

    const auto text = [&object](const char* key) { return object.value(QLatin1String(key)); };
    const QJsonValue attachments = text("attachments");
    if (!text("to").isString() || !text("subject").isString() || !text("body").isString() ||
        !attachments.isArray() || !text("sendHotkeyOption").isDouble())
        return refuse(reason, QStringLiteral("incomplete or damaged"));
    Draft draft;
    draft.to = text("to").toString();
    draft.subject = text("subject").toString();
    draft.body = text("body").toString();
    for (const QJsonValue& path : attachments.toArray()) {
        if (!path.isString())
            return refuse(reason, QStringLiteral("incomplete or damaged"));
        draft.attachments.append(path.toString());
    }
    draft.sendHotkeyOption = text("sendHotkeyOption").toInt();
    draft.endedBy = text("endedBy").toString();
    return draft;
}
