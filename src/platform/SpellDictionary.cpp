#include "SpellDictionary.h"

#include <enchant.h>

#include <algorithm>

namespace
{

void collectLanguage(const char* tag, const char*, const char*, const char*, void* languages)
{
    static_cast<QStringList*>(languages)->append(QString::fromUtf8(tag));
}

// Enchant names a language "ru_RU" or "ru"; a locale may add an encoding or a variant.
QString languagePart(const QString& tag)
{
    return tag.section(QLatin1Char('_'), 0, 0);
}

} // namespace

QStringList SpellDictionary::installedLanguages()
{
    EnchantBroker* broker = enchant_broker_init();
    if (!broker)
        return {};
    QStringList languages;
    enchant_broker_list_dicts(broker, collectLanguage, &languages);
    enchant_broker_free(broker);
    languages.sort();
    languages.removeDuplicates();
    return languages;
}

QString SpellDictionary::defaultLanguage(const QStringList& installed, const QString& localeName)
{
    const QString locale = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    const auto firstOf = [&installed](const QString& language) {
        const auto found = std::find_if(installed.begin(), installed.end(),
                                        [&](const QString& tag) { return languagePart(tag) == language; });
        return found == installed.end() ? QString() : *found;
    };
    if (!locale.isEmpty() && locale != u"C" && locale != u"POSIX") {
        if (installed.contains(locale))
            return locale;
        if (const QString sameLanguage = firstOf(languagePart(locale)); !sameLanguage.isEmpty())
            return sameLanguage;
    }
    if (installed.contains(QStringLiteral("en_US")))
        return QStringLiteral("en_US");
    return firstOf(QStringLiteral("en"));
}

SpellDictionary::SpellDictionary(const QString& language) : m_language(language)
{
    if (language.isEmpty())
        return;
    m_broker = enchant_broker_init();
    if (m_broker)
        m_dictionary = enchant_broker_request_dict(m_broker, language.toUtf8().constData());
}

SpellDictionary::~SpellDictionary()
{
    if (m_dictionary)
        enchant_broker_free_dict(m_broker, m_dictionary);
    if (m_broker)
        enchant_broker_free(m_broker);
}

bool SpellDictionary::isCorrect(const QString& word) const
{
    if (!m_dictionary)
        return true;
    const QByteArray text = word.toUtf8();
    // A word the dictionary cannot judge is no mistake of the user's.
    return enchant_dict_check(m_dictionary, text.constData(), text.size()) <= 0;
}

QStringList SpellDictionary::suggestions(const QString& word, int limit) const
{
    if (!m_dictionary)
        return {};
    const QByteArray text = word.toUtf8();
    size_t count = 0;
    char** found = enchant_dict_suggest(m_dictionary, text.constData(), text.size(), &count);
    QStringList result;
    for (size_t i = 0; i < count && result.size() < limit; ++i)
        result.append(QString::fromUtf8(found[i]));
    if (found)
        enchant_dict_free_string_list(m_dictionary, found);
    return result;
}

void SpellDictionary::addToPersonal(const QString& word)
{
    if (!m_dictionary)
        return;
    const QByteArray text = word.toUtf8();
    enchant_dict_add(m_dictionary, text.constData(), text.size());
}

void SpellDictionary::ignore(const QString& word)
{
    if (!m_dictionary)
        return;
    const QByteArray text = word.toUtf8();
    enchant_dict_add_to_session(m_dictionary, text.constData(), text.size());
}
