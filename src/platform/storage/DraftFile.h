#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The message in progress as the composer holds it, kept so that an end
// the user did not choose loses none of it.
struct Draft {
    QString to;
    QString subject;
    QString body;
    QStringList attachments;
    int sendHotkeyOption = 0;
    // Set by an end the system asked for (logout, a termination signal);
    // empty when the program ended without a word.
    QString endedBy;

    bool operator==(const Draft&) const = default;
};

// The bytes of a draft file: a small JSON document, UTF-8.
namespace DraftFile
{

// Larger files are no draft this program wrote: no body typed or pasted
// into the window comes near it.
constexpr qint64 MaximumSize = 64 * 1024 * 1024;

QByteArray toBytes(const Draft& draft);
// Nothing when the bytes are not a whole draft of this or an older version;
// the reason then says why.
std::optional<Draft> fromBytes(const QByteArray& bytes, QString* reason);

} // namespace DraftFile
