#pragma once

#include <QString>
#include <QStringList>

struct str_enchant_broker;
struct str_enchant_dict;

// One language's word list through Enchant: whatever Hunspell, Nuspell or
// Aspell dictionary the user has installed, with the personal word list that
// other programs share. Made on any thread, then used on one at a time.
class SpellDictionary
{
public:
    // The languages with a dictionary, as tags like "en_US", sorted.
    static QStringList installedLanguages();
    // The locale's language when a dictionary exists for it, else English if
    // one is installed, else none (empty).
    static QString defaultLanguage(const QStringList& installed, const QString& localeName);

    // Without a dictionary for the language, every word passes.
    explicit SpellDictionary(const QString& language);
    ~SpellDictionary();
    SpellDictionary(const SpellDictionary&) = delete;
    SpellDictionary& operator=(const SpellDictionary&) = delete;

    QString language() const { return m_language; }
    bool isLoaded() const { return m_dictionary != nullptr; }

    bool isCorrect(const QString& word) const;
    QStringList suggestions(const QString& word, int limit) const;
    // Into the personal word list, for good.
    void addToPersonal(const QString& word);
    // Accepted until this dictionary goes.
    void ignore(const QString& word);

private:
    QString m_language;
    str_enchant_broker* m_broker = nullptr;
    str_enchant_dict* m_dictionary = nullptr;
};
