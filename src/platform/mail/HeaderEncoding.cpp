#include "HeaderEncoding.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace
{

constexpr int lineLimit = 78;
constexpr int wordLimit = 75;
constexpr int wordOverhead = 12; // "=?UTF-8?B?" and "?="
// Blanks this long between words are carried inside an encoded-word, where they can be folded.
constexpr int longBlanks = 40;

enum class Encoding { B, Q };

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isPlainAscii(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7f;
}

// A typed "=?" would be read as the start of an encoded-word.
bool needsEncoding(const QByteArray& word)
{
    for (const char c : word) {
        if (!isPlainAscii(c) && !isBlank(c))
            return true;
    }
    return word.contains("=?");
}

bool isAtomCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || (c != 0 && std::strchr("!#$%&'*+-/=?^_`{|}~", c));
}

// Safe in a Q-word anywhere, phrases included (RFC 2047 section 5).
bool isQSafe(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '!' || c == '*' || c == '+' || c == '-' ||
           c == '/';
}

int qLength(char c)
{
    return c == ' ' || isQSafe(c) ? 1 : 3;
}

int characterLength(const QByteArray& text, qsizetype at)
{
    const auto lead = static_cast<unsigned char>(text.at(at));
    const int length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
    return int(qMin<qsizetype>(length, text.size() - at));
}

QByteArray encodedWord(const QByteArray& bytes, Encoding encoding)
{
    if (encoding == Encoding::B)
        return "=?UTF-8?B?" + bytes.toBase64() + "?=";
    QByteArray word("=?UTF-8?Q?");
    for (const char c : bytes) {
        if (c == ' ')
            word += '_';
        else if (isQSafe(c))
            word += c;
        else
            word += '=' + QByteArray(1, c).toHex().toUpper();
    }
    return word + "?=";
}

// Where the next encoded-word that starts at `start` ends: whole characters within `room` characters
// of payload. A B-word that another follows holds a multiple of 3 octets, so it needs no padding.
qsizetype wordEnd(const QByteArray& text, qsizetype start, int room, Encoding encoding)
{
    const qsizetype maximumOctets = encoding == Encoding::B ? room / 4 * 3 : room;
    qsizetype end = start;
    qsizetype best = start;
    int used = 0;
    while (end < text.size()) {
        const int length = characterLength(text, end);
        int cost = length;
        if (encoding == Encoding::Q) {
            cost = 0;
            for (int i = 0; i < length; ++i)
                cost += qLength(text.at(end + i));
        }
        if (end + length - start > maximumOctets || used + cost > room)
            break;
        end += length;
        used += cost;
        if (encoding == Encoding::Q || (end - start) % 3 == 0 || end == text.size())
            best = end;
    }
    return best;
}

// The header's lines as they are filled.
class FoldedHeader
{
public:
    explicit FoldedHeader(const QByteArray& name) : m_column(int(name.size()) + 1) {}

    int room(qsizetype separatorLength) const { return lineLimit - m_column - int(separatorLength); }
    bool canFold() const { return m_lineHasToken; }
    void fold()
    {
        m_value += '\n';
        m_column = 0;
        m_lineHasToken = false;
    }
    // Folds before `separator` when the token would pass the line limit.
    void append(const QByteArray& separator, const QByteArray& token)
    {
        if (canFold() && room(separator.size()) < token.size())
            fold();
        m_value += separator + token;
        m_column += int(separator.size() + token.size());
        m_lineHasToken = true;
    }
    QByteArray finished() const { return m_value + '\n'; }

private:
    QByteArray m_value;
    int m_column;
    bool m_lineHasToken = false;
};

// False when a B-word would need padding even on a line of its own; Q never fails.
bool appendWords(FoldedHeader& header, QByteArray separator, const QByteArray& text, Encoding encoding)
{
    qsizetype start = 0;
    while (start < text.size()) {
        const int room = qMin(wordLimit, header.room(separator.size())) - wordOverhead;
        qsizetype end = room > 0 ? wordEnd(text, start, room, encoding) : start;
        if (end == start && header.canFold()) {
            header.fold();
            continue;
        }
        if (end == start) {
            if (encoding == Encoding::B)
                return false;
            // No line to fold to: a longer line rather than a lost character.
            end = start + characterLength(text, start);
        }
        header.append(separator, encodedWord(text.mid(start, end - start), encoding));
        separator = " ";
        start = end;
    }
    return true;
}

bool prefersB(const QByteArray& text)
{
    int qTotal = 0;
    for (const char c : text)
        qTotal += qLength(c);
    return qTotal > (text.size() + 2) / 3 * 4;
}

// `text` as encoded-words, the first after `separator`: Q or B, whichever is shorter.
void appendEncoded(FoldedHeader& header, const QByteArray& separator, const QByteArray& text)
{
    if (prefersB(text)) {
        FoldedHeader trial = header;
        if (appendWords(trial, separator, text, Encoding::B)) {
            header = trial;
            return;
        }
    }
    appendWords(header, separator, text, Encoding::Q);
}

} // namespace

QByteArray HeaderEncoding::unstructured(const QByteArray& name, const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    struct Word {
        QByteArray blanksBefore;
        QByteArray text;
    };
    QList<Word> words;
    QByteArray trailingBlanks;
    for (qsizetype i = 0; i < utf8.size();) {
        const qsizetype wordStart = [&] {
            qsizetype at = i;
            while (at < utf8.size() && isBlank(utf8.at(at)))
                ++at;
            return at;
        }();
        if (wordStart == utf8.size()) {
            trailingBlanks = utf8.mid(i);
            break;
        }
        qsizetype wordEnd = wordStart;
        while (wordEnd < utf8.size() && !isBlank(utf8.at(wordEnd)))
            ++wordEnd;
        words.append({utf8.mid(i, wordStart - i), utf8.mid(wordStart, wordEnd - wordStart)});
        i = wordEnd;
    }

    struct Piece {
        QByteArray separator;
        QByteArray text;
        bool encoded;
    };
    QList<Piece> pieces;
    for (qsizetype k = 0; k < words.size(); ++k) {
        const Word& word = words.at(k);
        const bool first = k == 0;
        const bool last = k == words.size() - 1;
        // A plain word must fit on its line: readers unfold but never split a word.
        const qsizetype plainRoom =
            first ? lineLimit - name.size() - 2 : lineLimit - word.blanksBefore.size();
        // Readers drop blanks at either end of a header, unless they are inside an encoded-word.
        const bool encode = needsEncoding(word.text) || word.text.size() > plainRoom ||
                            word.blanksBefore.size() > longBlanks ||
                            (first && !word.blanksBefore.isEmpty()) || (last && !trailingBlanks.isEmpty());
        if (!encode) {
            pieces.append({first ? QByteArray(" ") : word.blanksBefore, word.text, false});
        } else if (!pieces.isEmpty() && pieces.last().encoded) {
            // Blanks between two encoded-words are not text: they travel inside.
            pieces.last().text += word.blanksBefore + word.text;
        } else if (first) {
            pieces.append({QByteArray(" "), word.blanksBefore + word.text, true});
        } else if (word.blanksBefore.size() > longBlanks) {
            pieces.append({word.blanksBefore.left(1), word.blanksBefore.mid(1) + word.text, true});
        } else {
            pieces.append({word.blanksBefore, word.text, true});
        }
    }

    FoldedHeader header(name);
    if (pieces.isEmpty() && !trailingBlanks.isEmpty())
        pieces.append({QByteArray(" "), QByteArray(), true});
    if (!pieces.isEmpty())
        pieces.last().text += trailingBlanks;
    for (const Piece& piece : pieces) {
        if (piece.encoded)
            appendEncoded(header, piece.separator, piece.text);
        else
            header.append(piece.separator, piece.text);
    }
    return pieces.isEmpty() ? QByteArray(" \n") : header.finished();
}

namespace
{

// A display name: atoms where they do, a quoted string, or encoded-words.
void appendPhrase(FoldedHeader& header, const QByteArray& phrase)
{
    bool atoms = !phrase.startsWith(' ') && !phrase.endsWith(' ') && !phrase.contains("  ");
    for (const char c : phrase)
        atoms = atoms && (c == ' ' || isAtomCharacter(c));
    QByteArray quoted = phrase;
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    quoted = '"' + quoted + '"';
    const QList<QByteArray> words = phrase.split(' ');
    const bool fits = std::all_of(words.begin(), words.end(), [&](const QByteArray& word) {
        return (atoms ? word.size() : quoted.size()) <= lineLimit - 1;
    });
    if (needsEncoding(phrase) || !fits) {
        // One word where it fits: some readers put a blank between the encoded-words of a name.
        const QByteArray word = encodedWord(phrase, prefersB(phrase) ? Encoding::B : Encoding::Q);
        if (word.size() <= (header.canFold() ? wordLimit : qMin(wordLimit, header.room(1))))
            header.append(" ", word);
        else
            appendEncoded(header, " ", phrase);
    } else if (atoms) {
        for (const QByteArray& word : words)
            header.append(" ", word);
    } else {
        header.append(" ", quoted);
    }
}

} // namespace

QByteArray HeaderEncoding::mailboxList(const QByteArray& name, const QList<MailAddress>& mailboxes)
{
    FoldedHeader header(name);
    for (qsizetype i = 0; i < mailboxes.size(); ++i) {
        const MailAddress& mailbox = mailboxes.at(i);
        const bool opensGroup =
            !mailbox.group.isEmpty() && (i == 0 || mailboxes.at(i - 1).group != mailbox.group);
        const bool closesGroup = !mailbox.group.isEmpty() &&
                                 (i + 1 == mailboxes.size() || mailboxes.at(i + 1).group != mailbox.group);
        if (opensGroup) {
            appendPhrase(header, mailbox.group.toUtf8());
            // The colon stays on the name's line; a folded line must start with a blank.
            header.append(header.room(0) > 0 ? "" : " ", ":");
        }
        const QByteArray phrase = mailbox.name.toUtf8();
        if (!phrase.isEmpty())
            appendPhrase(header, phrase);
        QByteArray address = phrase.isEmpty() ? mailbox.addrSpec : '<' + mailbox.addrSpec + '>';
        if (closesGroup)
            address += ';';
        if (i + 1 < mailboxes.size())
            address += ',';
        header.append(" ", address);
    }
    return header.finished();
}
