#pragma once

#include <QString>

// What a mailto: link (RFC 6068) asks the composer to fill in. Only the
// recipients, the subject and the body are read: a link must never attach
// a file, copy in hidden recipients or set other headers.
struct MailtoUrl {
    // Every address of the path and of the to= and cc= fields, each once,
    // joined with ", " for the one recipient box.
    QString recipients;
    QString subject;
    // Line breaks as "\n", whatever the link used.
    QString body;

    static bool isMailto(const QString& text);
    // Reads what it can: a malformed escape stays as written, a field
    // without "=" is skipped, bytes that are not UTF-8 become U+FFFD.
    static MailtoUrl parse(const QString& url);
};
