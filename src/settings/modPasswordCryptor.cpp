#include "modPasswordCryptor.h"

#include "platform/RuntimeError.h"
#include "platform/Support.h"

#include <array>
#include <optional>

namespace
{

// Windows-1251 from 0x80 up. 0x98 has no character of its own; like the
// system's converter it stands for the control code of the same value.
constexpr std::array<char16_t, 128> upperHalf = {
    0x0402,
    0x0403,
    0x201A,
    0x0453,
    0x201E,
    0x2026,
    0x2020,
    0x2021,
    0x20AC,
    0x2030,
    0x0409,
    0x2039,
    0x040A,
    0x040C,
    0x040B,
    0x040F,
    0x0452,
    0x2018,
    0x2019,
    0x201C,
    0x201D,
    0x2022,
    0x2013,
    0x2014,
    0x0098,
    0x2122,
    0x0459,
    0x203A,
    0x045A,
    0x045C,
    0x045B,
    0x045F,
    0x00A0,
    0x040E,
    0x045E,
    0x0408,
    0x00A4,
    0x0490,
    0x00A6,
    0x00A7,
    0x0401,
    0x00A9,
    0x0404,
    0x00AB,
    0x00AC,
    0x00AD,
    0x00AE,
    0x0407,
    0x00B0,
    0x00B1,
    0x0406,
    0x0456,
    0x0491,
    0x00B5,
    0x00B6,
    0x00B7,
    0x0451,
    0x2116,
    0x0454,
    0x00BB,
    0x0458,
    0x0405,
    0x0455,
    0x0457,
    // 0xC0 to 0xFF: А to я in order.
    0x0410,
    0x0411,
    0x0412,
    0x0413,
    0x0414,
    0x0415,
    0x0416,
    0x0417,
    0x0418,
    0x0419,
    0x041A,
    0x041B,
    0x041C,
    0x041D,
    0x041E,
    0x041F,
    0x0420,
    0x0421,
    0x0422,
    0x0423,
    0x0424,
    0x0425,
    0x0426,
    0x0427,
    0x0428,
    0x0429,
    0x042A,
    0x042B,
    0x042C,
    0x042D,
    0x042E,
    0x042F,
    0x0430,
    0x0431,
    0x0432,
    0x0433,
    0x0434,
    0x0435,
    0x0436,
    0x0437,
    0x0438,
    0x0439,
    0x043A,
    0x043B,
    0x043C,
    0x043D,
    0x043E,
    0x043F,
    0x0440,
    0x0441,
    0x0442,
    0x0443,
    0x0444,
    0x0445,
    0x0446,
    0x0447,
    0x0448,
    0x0449,
    0x044A,
    0x044B,
    0x044C,
    0x044D,
    0x044E,
    0x044F,
};

QChar characterOf(std::uint8_t code)
{
    return code < 0x80 ? QChar(code) : QChar(upperHalf[code - 0x80]);
}

std::optional<std::uint8_t> codeOf(QChar character)
{
    const char16_t unicode = character.unicode();
    if (unicode < 0x80)
        return static_cast<std::uint8_t>(unicode);
    for (std::size_t index = 0; index < upperHalf.size(); ++index) {
        if (upperHalf[index] == unicode)
            return static_cast<std::uint8_t>(0x80 + index);
    }
    return std::nullopt;
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

} // namespace

QString modPasswordCryptor::ScramblePassword(const QString& plain)
{
    QString stored;
    stored.reserve(plain.size() * 4);
    for (qsizetype i = plain.size() - 1; i >= 0; --i) {
        const std::optional<std::uint8_t> code = codeOf(plain.at(i));
        if (!code)
            throw RuntimeError(
                RuntimeError::InvalidArgument,
                QStringLiteral("The password holds the character \"%1\" (U+%2), which can't be "
                               "stored: only the characters of the Windows-1251 code page can (Latin "
                               "letters without accents, Cyrillic letters, digits and common signs).")
                    .arg(plain.at(i))
                    .arg(plain.at(i).unicode(), 4, 16, QLatin1Char('0')));
        const int filler = ksGetRnd(0, 255);
        stored += ksHex1(static_cast<std::uint8_t>(255 - *code));
        stored += ksHex1(static_cast<std::uint8_t>(filler));
    }
    return stored;
}

QString modPasswordCryptor::UnscramblePassword(const QString& stored)
{
    if (stored.size() % 4 != 0)
        return QString();
    QString plain;
    plain.reserve(stored.size() / 4);
    for (qsizetype i = 0; i < stored.size(); i += 4) {
        const int high = hexDigit(stored.at(i));
        const int low = hexDigit(stored.at(i + 1));
        if (high < 0 || low < 0)
            return QString();
        plain.prepend(characterOf(static_cast<std::uint8_t>(255 - (high * 16 + low))));
    }
    return plain;
}

bool modPasswordCryptor::IsStorable(const QString& plain)
{
    for (const QChar character : plain) {
        if (!codeOf(character))
            return false;
    }
    return true;
}
