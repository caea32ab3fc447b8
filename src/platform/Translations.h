#pragma once

#include <QStringList>

// The interface in the user's language: the program's own translation and,
// for a language the program has, Qt's own texts (standard dialogs, context
// menus) in the same one, so that no window mixes two languages.
namespace Translations
{

// The first of the languages (QLocale::uiLanguages() order) that is English
// or that the program has wins; English is the program's own texts.
// Returns the language installed, empty for English.
QString install(const QStringList& languages);

// Where the translations are looked for: beside the installed program, then
// in the build tree it was built in.
QStringList folders();

} // namespace Translations
