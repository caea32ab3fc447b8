#pragma once

#include <QObject>
#include <QStringList>
#include <memory>
#include <thread>

class QMenu;
class QPlainTextEdit;
class SpellDictionary;
class SpellHighlighter;

// Spell checking of a body: the underlines, the corrections on the body's
// context menu, and the language and on/off choice, kept in the settings.
// Dictionaries load on a thread of their own, after the window is up.
class SpellChecking : public QObject
{
    Q_OBJECT
public:
    explicit SpellChecking(QPlainTextEdit* body);
    ~SpellChecking() override;

    SpellHighlighter* highlighter() const { return m_highlighter; }
    // The dictionary of the chosen language is in use (or there is none to load).
    bool isReady() const { return m_ready; }

signals:
    void ready();

private:
    void LoadSettings();
    void SaveSettings();
    void LoadDictionary();
    void DictionaryLoaded(const QStringList& installed, std::shared_ptr<SpellDictionary> dictionary);
    void ShowContextMenu(const QPoint& position);
    void AddCorrections(QMenu* menu, int position);
    void AddChoices(QMenu* menu);
    void Replace(int position, const QString& word, const QString& replacement);
    void ChooseLanguage(const QString& language);
    void SetChecking(bool checking);

    QPlainTextEdit* m_body;
    SpellHighlighter* m_highlighter;
    // Empty: the locale's language, else English.
    QString m_language;
    bool m_checking = true;
    QStringList m_installed;
    bool m_ready = false;
    // Last, so it is joined before the rest goes.
    std::jthread m_loader;
};
