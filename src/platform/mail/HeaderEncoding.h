#pragma once

#include "AddressList.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Header values that every reader shows as typed. GMime's own encoder writes
// encoded-words of any length, decodes typed look-alikes and trims the text, so
// these are made here: RFC 2047 encoded-words of at most 75 characters, only
// where the text needs them, and lines folded at 78 where the text allows.
//
// Each result is a raw header value for GMime: it starts with the blank after
// the colon and every line ends with "\n". `name` is the header's name.
namespace HeaderEncoding
{

// An unstructured text (Subject), with its blanks kept exactly.
QByteArray unstructured(const QByteArray& name, const QString& text);

// A list of mailboxes (From, To): display names encoded as needed.
QByteArray mailboxList(const QByteArray& name, const QList<MailAddress>& mailboxes);

} // namespace HeaderEncoding
