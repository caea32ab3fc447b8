#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>

namespace
{

const QString ProgramName = QStringLiteral("vellum");

QTranslator& programTranslator()
{
    static QTranslator translator;
    return translator;
}

QTranslator& qtTranslator()
{
    static QTranslator translator;
    return translator;
}

// "de-DE" and "de_DE" name the same language; the files name it "de".
QString baseLanguage(const QString& language)
{
    return language.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0).toLower();
}

} // namespace

QStringList Translations::folders()
{
    return {QDir::cleanPath(QCoreApplication::applicationDirPath() +
                            QStringLiteral("/../share/vellum/translations")),
            QStringLiteral(VELLUM_BUILD_TRANSLATIONS_DIRECTORY)};
}

QString Translations::install(const QStringList& languages)
{
    QCoreApplication::removeTranslator(&programTranslator());
    QCoreApplication::removeTranslator(&qtTranslator());
    for (const QString& language : languages) {
        const QString base = baseLanguage(language);
        if (base == u"en" || base == u"c")
            return QString();
        for (const QString& folder : folders()) {
            const QString file =
                folder + QLatin1Char('/') + ProgramName + QLatin1Char('_') + base + QStringLiteral(".qm");
            if (!QFileInfo::exists(file) || !programTranslator().load(file))
                continue;
            QCoreApplication::installTranslator(&programTranslator());
            if (qtTranslator().load(QStringLiteral("qtbase_") + base,
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
                QCoreApplication::installTranslator(&qtTranslator());
            return base;
        }
    }
    return QString();
}
