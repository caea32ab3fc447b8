#pragma once

#include <QString>

// The stored form of the password: per character, the complement of its
// Windows-1251 code and a random filler byte, as hex, last character first.
namespace modPasswordCryptor
{

// Raises RuntimeError for a character that Windows-1251 cannot hold.
QString ScramblePassword(const QString& plain);
// Never fails: malformed input gives the empty text.
QString UnscramblePassword(const QString& stored);

// Whether every character of the text has a Windows-1251 code.
bool IsStorable(const QString& plain);

} // namespace modPasswordCryptor
