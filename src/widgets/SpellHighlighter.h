#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QTimer>
#include <memory>

class QPlainTextEdit;
class SpellDictionary;

// Underlines the misspelled words of a body as the user types. The word
// being typed waits until the cursor leaves it; addresses, web links and
// words with digits are never checked. A large change is checked in slices
// while the window is idle, so typing and painting never wait long.
class SpellHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    explicit SpellHighlighter(QPlainTextEdit* body);
    ~SpellHighlighter() override;

    // Without one, or with one that has no dictionary, nothing is marked.
    void setDictionary(std::shared_ptr<SpellDictionary> dictionary);
    SpellDictionary* dictionary() const { return m_dictionary.get(); }
    void setChecking(bool checking);
    bool isChecking() const { return m_checking; }
    // True while part of the text waits to be checked.
    bool isPending() const { return m_idle.isActive(); }

    struct Word {
        int position = -1; // in the document
        QString text;
        bool isValid() const { return position >= 0; }
    };
    // The checked word at (or just before) a position of the document.
    Word wordAt(int position) const;
    bool isMisspelled(const QString& word);
    // The dictionary now accepts the word: its marks go.
    void accept(const QString& word);

protected:
    void highlightBlock(const QString& text) override;

private:
    struct Range {
        int start;
        int length;
    };
    static QList<Range> checkedWords(const QString& text);

    void ContentsChange(int position, int charsRemoved, int charsAdded);
    void CursorMoved();
    void RecheckAll();
    void CheckPendingBlocks();
    void MarkPending(int blockNumber);

    QPlainTextEdit* m_body;
    std::shared_ptr<SpellDictionary> m_dictionary;
    bool m_checking = true;
    QTextCharFormat m_misspelledFormat;
    // The dictionary's answers so far: true for a misspelled word.
    QHash<QString, bool> m_answers;
    // Where the user is typing a word, or -1.
    int m_typedAt = -1;
    // Limits the dictionary lookups of one stretch of work.
    QElapsedTimer m_budget;
    QTimer m_idle;
    int m_firstPendingBlock = -1;
};
