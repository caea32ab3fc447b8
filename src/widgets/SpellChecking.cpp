#include "SpellChecking.h"

#include "SpellHighlighter.h"
#include "platform/ApplicationIdentity.h"
#include "platform/ComponentFactory.h"
#include "platform/SettingsStore.h"
#include "platform/SpellDictionary.h"

#include <QActionGroup>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>

namespace
{

const QString SpellingSection = QStringLiteral("Spelling");
const QString CheckSpellingKey = QStringLiteral("Check spelling");
const QString LanguageKey = QStringLiteral("Language");
constexpr int SuggestionLimit = 7;

// In its own language, as language lists are read: whoever writes Russian
// looks for "Русский", whatever language the window speaks.
QString languageName(const QString& tag)
{
    const QLocale locale(tag);
    if (locale.language() == QLocale::C)
        return tag;
    QString name = locale.nativeLanguageName();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    if (!tag.contains(QLatin1Char('_')))
        return name;
    return QStringLiteral("%1 (%2)").arg(name, locale.nativeTerritoryName());
}

} // namespace

SpellChecking::SpellChecking(QPlainTextEdit* body)
    : QObject(body), m_body(body), m_highlighter(new SpellHighlighter(body))
{
    LoadSettings();
    m_highlighter->setChecking(m_checking);
    body->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(body, &QWidget::customContextMenuRequested, this, &SpellChecking::ShowContextMenu);
    // Loading a dictionary takes a tenth of a second; the window comes first.
    QTimer::singleShot(0, this, &SpellChecking::LoadDictionary);
}

SpellChecking::~SpellChecking() = default;

void SpellChecking::LoadSettings()
{
    const ApplicationIdentity& identity = ApplicationIdentity::current();
    const std::unique_ptr<SettingsStore> store = components().createSettingsStore();
    m_checking =
        store->read(SpellingSection, CheckSpellingKey, SettingsStore::Boolean, identity, true).toBool();
    m_language =
        store->read(SpellingSection, LanguageKey, SettingsStore::Text, identity, QString()).toString();
}

void SpellChecking::SaveSettings()
{
    const ApplicationIdentity& identity = ApplicationIdentity::current();
    const std::unique_ptr<SettingsStore> store = components().createSettingsStore();
    store->write(SpellingSection, CheckSpellingKey, SettingsStore::Boolean, m_checking, identity);
    store->write(SpellingSection, LanguageKey, SettingsStore::Text, m_language, identity);
    store->commit();
}

void SpellChecking::LoadDictionary()
{
    m_ready = false;
    m_loader = std::jthread([this, language = m_language, locale = QLocale::system().name()] {
        const QStringList installed = SpellDictionary::installedLanguages();
        // A stored language whose dictionary has gone falls back as a new user's would.
        const QString chosen =
            installed.contains(language) ? language : SpellDictionary::defaultLanguage(installed, locale);
        auto dictionary = std::make_shared<SpellDictionary>(chosen);
        QMetaObject::invokeMethod(
            this, [this, installed, dictionary] { DictionaryLoaded(installed, dictionary); },
            Qt::QueuedConnection);
    });
}

void SpellChecking::DictionaryLoaded(const QStringList& installed,
                                     std::shared_ptr<SpellDictionary> dictionary)
{
    m_installed = installed;
    m_highlighter->setDictionary(std::move(dictionary));
    m_ready = true;
    emit ready();
}

void SpellChecking::ShowContextMenu(const QPoint& position)
{
    const std::unique_ptr<QMenu> menu(m_body->createStandardContextMenu());
    AddCorrections(menu.get(), m_body->cursorForPosition(position).position());
    AddChoices(menu.get());
    menu->exec(m_body->viewport()->mapToGlobal(position));
}

void SpellChecking::AddCorrections(QMenu* menu, int position)
{
    SpellDictionary* dictionary = m_highlighter->dictionary();
    if (!m_checking || !dictionary || !dictionary->isLoaded())
        return;
    const SpellHighlighter::Word word = m_highlighter->wordAt(position);
    if (!word.isValid() || !m_highlighter->isMisspelled(word.text))
        return;
    QAction* before = menu->actions().value(0);
    const QStringList suggestions = dictionary->suggestions(word.text, SuggestionLimit);
    for (const QString& suggestion : suggestions) {
        auto* action = new QAction(suggestion, menu);
        connect(action, &QAction::triggered, this,
                [this, word, suggestion] { Replace(word.position, word.text, suggestion); });
        menu->insertAction(before, action);
    }
    if (suggestions.isEmpty()) {
        auto* none = new QAction(tr("No suggestions"), menu);
        none->setEnabled(false);
        menu->insertAction(before, none);
    }
    menu->insertSeparator(before);
    auto* add = new QAction(tr("Add to dictionary"), menu);
    connect(add, &QAction::triggered, this, [this, dictionary, word] {
        dictionary->addToPersonal(word.text);
        m_highlighter->accept(word.text);
    });
    auto* ignore = new QAction(tr("Ignore"), menu);
    connect(ignore, &QAction::triggered, this, [this, dictionary, word] {
        dictionary->ignore(word.text);
        m_highlighter->accept(word.text);
    });
    menu->insertActions(before, {add, ignore});
    menu->insertSeparator(before);
}

void SpellChecking::AddChoices(QMenu* menu)
{
    menu->addSeparator();
    QAction* check = menu->addAction(tr("Check spelling"));
    check->setCheckable(true);
    check->setChecked(m_checking);
    connect(check, &QAction::toggled, this, &SpellChecking::SetChecking);

    QMenu* languages = menu->addMenu(tr("Language"));
    languages->setEnabled(!m_installed.isEmpty());
    auto* group = new QActionGroup(languages);
    const SpellDictionary* dictionary = m_highlighter->dictionary();
    for (const QString& language : std::as_const(m_installed)) {
        QAction* choice = languages->addAction(languageName(language));
        choice->setCheckable(true);
        choice->setChecked(dictionary && dictionary->language() == language);
        choice->setActionGroup(group);
        connect(choice, &QAction::triggered, this, [this, language] { ChooseLanguage(language); });
    }
}

void SpellChecking::Replace(int position, const QString& word, const QString& replacement)
{
    QTextCursor cursor(m_body->document());
    cursor.setPosition(position);
    cursor.setPosition(position + int(word.size()), QTextCursor::KeepAnchor);
    // The body may have changed under the menu; only the word itself is replaced.
    if (cursor.selectedText() != word)
        return;
    cursor.beginEditBlock();
    cursor.insertText(replacement);
    cursor.endEditBlock();
}

void SpellChecking::ChooseLanguage(const QString& language)
{
    m_language = language;
    SaveSettings();
    LoadDictionary();
}

void SpellChecking::SetChecking(bool checking)
{
    m_checking = checking;
    m_highlighter->setChecking(checking);
    SaveSettings();
}
