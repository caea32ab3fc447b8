#pragma once

#include <QByteArray>
#include <QString>

// How an attached file travels so that readers show it as it is. Its bytes never
// change: a text is labelled with the charset its bytes are in, a saved message
// goes as a message only when it is one, and anything in doubt as plain octets.
struct AttachmentType {
    enum class Encoding { Base64, SevenBit, EightBit };

    QByteArray mediaType; // "type/subtype"
    QByteArray charset;   // texts only
    Encoding encoding = Encoding::Base64;

    // Reads the file in blocks, never whole; a file that can't be read is typed by its name.
    static AttachmentType of(const QString& path);
};
