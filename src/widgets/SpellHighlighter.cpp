#include "SpellHighlighter.h"

#include "platform/SpellDictionary.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextBoundaryFinder>

namespace
{

// Dictionary lookups of one stretch of work, so no key press or paste holds
// the window long; what is left is checked while idle.
constexpr int SliceMilliseconds = 15;

// A block whose words are not all checked yet.
class PendingCheck : public QTextBlockUserData
{
};

bool isAddressOrLink(QStringView token)
{
    return token.contains(u'@') || token.contains(u"://") || token.startsWith(u"www.", Qt::CaseInsensitive);
}

bool isWord(QStringView segment)
{
    bool hasLetter = false;
    for (const QChar character : segment) {
        if (character.isNumber())
            return false;
        hasLetter = hasLetter || character.isLetter();
    }
    return hasLetter;
}

} // namespace

SpellHighlighter::SpellHighlighter(QPlainTextEdit* body) : QSyntaxHighlighter(body), m_body(body)
{
    m_misspelledFormat.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    m_misspelledFormat.setUnderlineColor(Qt::red);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &SpellHighlighter::CheckPendingBlocks);
    // Before the highlighter's own connection, so each change starts a fresh budget.
    connect(body->document(), &QTextDocument::contentsChange, this, &SpellHighlighter::ContentsChange);
    connect(body, &QPlainTextEdit::cursorPositionChanged, this, &SpellHighlighter::CursorMoved);
    setDocument(body->document());
}

SpellHighlighter::~SpellHighlighter() = default;

void SpellHighlighter::setDictionary(std::shared_ptr<SpellDictionary> dictionary)
{
    m_dictionary = std::move(dictionary);
    m_answers.clear();
    RecheckAll();
}

void SpellHighlighter::setChecking(bool checking)
{
    if (checking == m_checking)
        return;
    m_checking = checking;
    RecheckAll();
}

QList<SpellHighlighter::Range> SpellHighlighter::checkedWords(const QString& text)
{
    QList<Range> words;
    int tokenStart = 0;
    while (tokenStart < text.size()) {
        while (tokenStart < text.size() && text.at(tokenStart).isSpace())
            ++tokenStart;
        int tokenEnd = tokenStart;
        while (tokenEnd < text.size() && !text.at(tokenEnd).isSpace())
            ++tokenEnd;
        const QStringView token = QStringView(text).mid(tokenStart, tokenEnd - tokenStart);
        if (!token.isEmpty() && !isAddressOrLink(token)) {
            QTextBoundaryFinder finder(QTextBoundaryFinder::Word, token.data(), int(token.size()));
            int start = 0;
            for (int end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary()) {
                if (isWord(token.mid(start, end - start)))
                    words.append({tokenStart + start, end - start});
                start = end;
            }
        }
        tokenStart = tokenEnd;
    }
    return words;
}

SpellHighlighter::Word SpellHighlighter::wordAt(int position) const
{
    const QTextBlock block = document()->findBlock(position);
    const int inBlock = position - block.position();
    const QString text = block.text();
    for (const Range& word : checkedWords(text)) {
        if (inBlock >= word.start && inBlock <= word.start + word.length)
            return {block.position() + word.start, text.mid(word.start, word.length)};
    }
    return {};
}

bool SpellHighlighter::isMisspelled(const QString& word)
{
    if (!m_dictionary)
        return false;
    auto known = m_answers.constFind(word);
    if (known == m_answers.constEnd())
        known = m_answers.insert(word, !m_dictionary->isCorrect(word));
    return *known;
}

void SpellHighlighter::accept(const QString& word)
{
    m_answers.insert(word, false);
    RecheckAll();
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    setCurrentBlockUserData(nullptr);
    if (!m_checking || !m_dictionary || !m_dictionary->isLoaded())
        return;
    // Past the budget even finding the words waits: a paste can bring thousands of blocks.
    if (m_budget.isValid() && m_budget.hasExpired(SliceMilliseconds)) {
        setCurrentBlockUserData(new PendingCheck);
        MarkPending(currentBlock().blockNumber());
        return;
    }
    const int typed = m_typedAt - currentBlock().position();
    bool complete = true;
    for (const Range& word : checkedWords(text)) {
        if (typed >= word.start && typed <= word.start + word.length)
            continue;
        const QString spelling = text.mid(word.start, word.length);
        // Answers known already cost nothing; new ones wait once the budget is spent.
        if (!m_answers.contains(spelling) && m_budget.isValid() && m_budget.hasExpired(SliceMilliseconds)) {
            complete = false;
            continue;
        }
        if (isMisspelled(spelling))
            setFormat(word.start, word.length, m_misspelledFormat);
    }
    if (!complete) {
        setCurrentBlockUserData(new PendingCheck);
        MarkPending(currentBlock().blockNumber());
    }
}

void SpellHighlighter::MarkPending(int blockNumber)
{
    if (m_firstPendingBlock < 0 || blockNumber < m_firstPendingBlock)
        m_firstPendingBlock = blockNumber;
    m_idle.start();
}

void SpellHighlighter::ContentsChange(int position, int charsRemoved, int charsAdded)
{
    m_budget.start();
    // One character typed or taken away is typing; anything larger is a paste or a program's change.
    m_typedAt = charsAdded <= 1 && charsRemoved <= 1 && m_body->hasFocus() ? position + charsAdded : -1;
    if (m_firstPendingBlock >= 0)
        m_firstPendingBlock = std::min(m_firstPendingBlock, document()->findBlock(position).blockNumber());
}

void SpellHighlighter::CursorMoved()
{
    if (m_typedAt < 0)
        return;
    const int cursor = m_body->textCursor().position();
    const Word typed = wordAt(m_typedAt);
    if (typed.isValid() && cursor >= typed.position && cursor <= typed.position + typed.text.size())
        return;
    const QTextBlock block = document()->findBlock(m_typedAt);
    m_typedAt = -1;
    m_budget.start();
    rehighlightBlock(block);
}

void SpellHighlighter::RecheckAll()
{
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next())
        block.setUserData(new PendingCheck);
    MarkPending(0);
}

void SpellHighlighter::CheckPendingBlocks()
{
    m_budget.start();
    QTextBlock block = document()->findBlockByNumber(std::max(m_firstPendingBlock, 0));
    // A block that runs out of budget marks itself pending again.
    m_firstPendingBlock = -1;
    for (; block.isValid(); block = block.next()) {
        if (!block.userData())
            continue;
        if (m_budget.hasExpired(SliceMilliseconds)) {
            MarkPending(block.blockNumber());
            return;
        }
        rehighlightBlock(block);
    }
    if (m_firstPendingBlock < 0)
        m_idle.stop();
}
