#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One address as the SMTP envelope needs it, with the text a person typed
// for it (used when naming it in an error).
struct MailAddress {
    QString name;
    QByteArray addrSpec; // ASCII domain (IDN converted), never holds CR or LF; blanks only quoted
    QString typed;
    QString group; // the display name of the group it was listed in, empty outside one
};

// Parses a person's address list: comma or semicolon separated, display
// names allowed, groups ("friends: a@example.org, b@example.org;") giving
// their members; an empty group gives none. Raises RuntimeError naming an address that does not parse,
// for an empty list and for text holding a line break. `what` names the
// field in the error: "sender", else "recipient".
QList<MailAddress> parseAddressList(const QString& text, const QString& what);
