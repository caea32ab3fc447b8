#include "ComposerFixture.h"
#include "platform/SpellDictionary.h"
#include "widgets/SpellChecking.h"
#include "widgets/SpellHighlighter.h"

#include <QClipboard>
#include <QMenu>
#include <QSettings>
#include <QTextBlock>
#include <QTextLayout>

namespace
{

SpellChecking* spellingOf(const ComposerFixture& composer)
{
    return composer.txtMessage()->findChild<SpellChecking*>();
}

// The dictionary is in use and every paragraph checked.
bool waitUntilChecked(const ComposerFixture& composer)
{
    SpellChecking* spelling = spellingOf(composer);
    return QTest::qWaitFor(
        [spelling] { return spelling->isReady() && !spelling->highlighter()->isPending(); });
}

bool isUnderlined(QPlainTextEdit* body, const QString& word)
{
    const int position = body->toPlainText().indexOf(word);
    if (position < 0)
        qFatal("no word %s in the body", qPrintable(word));
    const QTextBlock block = body->document()->findBlock(position);
    const int start = position - block.position();
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        if (range.start <= start && range.start + range.length >= start + word.size() &&
            range.format.underlineStyle() == QTextCharFormat::WaveUnderline)
            return true;
    }
    return false;
}

QStringList underlined(QPlainTextEdit* body, const QStringList& words)
{
    QStringList found;
    for (const QString& word : words) {
        if (isUnderlined(body, word))
            found.append(word);
    }
    return found;
}

QStringList captions(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text());
    }
    return texts;
}

// Opens the body's context menu over a word as a right click does, notes its
// captions, and goes down the path of captions as the keyboard would; an
// empty path closes the menu. Nothing when a caption of the path was missing.
std::optional<QStringList> useContextMenu(QPlainTextEdit* body, const QString& word, const QStringList& path)
{
    QTextCursor cursor(body->document());
    cursor.setPosition(body->toPlainText().indexOf(word) + 1);
    const QPoint point = body->cursorRect(cursor).center();
    QStringList shown;
    bool followed = true;
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, &shown, &followed, path, depth = 0]() mutable {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || menu->property("visited").toBool())
            return;
        menu->setProperty("visited", true);
        if (depth == 0)
            shown = captions(menu);
        if (depth == path.size()) {
            poll->deleteLater();
            menu->close();
            return;
        }
        const QList<QAction*> actions = menu->actions();
        const auto found = std::find_if(actions.begin(), actions.end(),
                                        [&](QAction* action) { return action->text() == path.at(depth); });
        if (found == actions.end()) {
            qWarning("no caption %s in %s", qPrintable(path.at(depth)),
                     qPrintable(captions(menu).join(u'|')));
            followed = false;
            poll->deleteLater();
            menu->close();
            return;
        }
        ++depth;
        menu->setActiveAction(*found);
        if ((*found)->menu()) {
            QTest::keyClick(menu, Qt::Key_Right);
            return;
        }
        poll->deleteLater();
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll->start(10);
    QContextMenuEvent event(QContextMenuEvent::Mouse, point, body->viewport()->mapToGlobal(point));
    QApplication::sendEvent(body->viewport(), &event);
    if (!followed)
        return std::nullopt;
    return shown;
}

} // namespace

class TestSpelling : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    const QByteArray home = qgetenv("HOME");

    void storeLanguage(const QString& language)
    {
        QSettings(environment->settingsFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("Spelling/Language"), language);
    }

private slots:
    void init()
    {
        const QStringList installed = SpellDictionary::installedLanguages();
        const bool withoutDictionaries =
            QTest::currentTestFunction() == QByteArray("nothingIsMarkedWithoutADictionary");
        if (withoutDictionaries && !installed.isEmpty())
            QSKIP("dictionaries are installed; test_spelling_without_dictionaries hides them");
        if (!withoutDictionaries &&
            (!installed.contains(QStringLiteral("en_US")) || !installed.contains(QStringLiteral("ru_RU"))))
            QSKIP("needs the English and Russian dictionaries (scripts/install-deps.sh)");
        environment = std::make_unique<TestEnvironment>();
        // The personal word lists, private to the test: Enchant's own, and
        // Aspell's in the home folder.
        qputenv("ENCHANT_CONFIG_DIR", QFile::encodeName(environment->root() + QStringLiteral("/enchant")));
        qputenv("HOME", QFile::encodeName(environment->root()));
    }
    void cleanup()
    {
        environment.reset();
        qunsetenv("ENCHANT_CONFIG_DIR");
        qputenv("HOME", home);
    }

    void misspelledWordsAreUnderlined_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("misspelled");
        QTest::addColumn<QStringList>("correct");
        QTest::newRow("English") << QStringLiteral("en_US")
                                 << QStringLiteral("Ths is a sentense\nwith two misteaks, and don't worry.")
                                 << QStringList{QStringLiteral("Ths"), QStringLiteral("sentense"),
                                                QStringLiteral("misteaks")}
                                 << QStringList{QStringLiteral("is"), QStringLiteral("with"),
                                                QStringLiteral("don't"), QStringLiteral("worry")};
        QTest::newRow("Russian") << QStringLiteral("ru_RU")
                                 << QStringLiteral("Привет, как дила?\nВсё хорошо, спосибо.")
                                 << QStringList{QStringLiteral("дила"), QStringLiteral("спосибо")}
                                 << QStringList{QStringLiteral("Привет"), QStringLiteral("как"),
                                                QStringLiteral("хорошо")};
        QTest::newRow("English words in a Russian text")
            << QStringLiteral("ru_RU") << QStringLiteral("Это hello") << QStringList{QStringLiteral("hello")}
            << QStringList{QStringLiteral("Это")};
        QTest::newRow("addresses, links and words with digits")
            << QStringLiteral("en_US")
            << QStringLiteral("Write to bobb@exampel.com, see https://exampel.org/wrongg and "
                              "www.exampel.net, or order abc123def and 2nd. Wrongg")
            << QStringList{QStringLiteral("Wrongg")}
            << QStringList{QStringLiteral("bobb"), QStringLiteral("exampel"), QStringLiteral("wrongg"),
                           QStringLiteral("abc123def"), QStringLiteral("2nd")};
    }
    void misspelledWordsAreUnderlined()
    {
        QFETCH(QString, language);
        QFETCH(QString, text);
        QFETCH(QStringList, misspelled);
        QFETCH(QStringList, correct);
        storeLanguage(language);
        ComposerFixture composer;
        composer.txtMessage()->setPlainText(text);
        QVERIFY(waitUntilChecked(composer));
        QCOMPARE(underlined(composer.txtMessage(), misspelled), misspelled);
        QCOMPARE(underlined(composer.txtMessage(), correct), QStringList());
    }

    void theWordBeingTypedWaitsUntilTheCursorLeavesIt()
    {
        ComposerFixture composer;
        QPlainTextEdit* body = composer.txtMessage();
        QVERIFY(waitUntilChecked(composer));
        body->setFocus();
        QTest::keyClicks(body, QStringLiteral("Good mornin"));
        QVERIFY(!isUnderlined(body, QStringLiteral("mornin")));
        QTest::keyClick(body, Qt::Key_Left);
        QVERIFY2(!isUnderlined(body, QStringLiteral("mornin")), "the cursor is still in the word");
        QTest::keyClick(body, Qt::Key_End);
        QTest::keyClick(body, Qt::Key_Space);
        QVERIFY(isUnderlined(body, QStringLiteral("mornin")));

        QTest::keyClicks(body, QStringLiteral("evenin"));
        QTest::keyClick(body, Qt::Key_Home);
        QVERIFY2(isUnderlined(body, QStringLiteral("evenin")), "the cursor left the word");
    }

    void aLargePasteIsCheckedInSlicesToItsEnd()
    {
        // Thousands of words the dictionary has never met: more than one slice.
        const auto madeUp = [](int number) {
            QString word = QStringLiteral("zq");
            for (; number > 0; number /= 26)
                word += QChar(u'a' + number % 26);
            return word;
        };
        QStringList lines;
        for (int line = 1; line <= 20000; ++line)
            lines << QStringLiteral("The %1 word").arg(madeUp(line));
        ComposerFixture composer;
        QPlainTextEdit* body = composer.txtMessage();
        QVERIFY(waitUntilChecked(composer));
        QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')));
        body->setFocus();
        QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
        QVERIFY2(spellingOf(composer)->highlighter()->isPending(), "the rest waits for idle time");
        QVERIFY(waitUntilChecked(composer));
        QVERIFY(isUnderlined(body, madeUp(1)));
        QVERIFY(isUnderlined(body, madeUp(20000)));
        QVERIFY(!isUnderlined(body, QStringLiteral("word")));
    }

    void aSuggestionReplacesTheWordAsOneUndoStep()
    {
        ComposerFixture composer;
        QPlainTextEdit* body = composer.txtMessage();
        body->setPlainText(QStringLiteral("I like speling bees."));
        QVERIFY(waitUntilChecked(composer));
        const std::optional<QStringList> menu =
            useContextMenu(body, QStringLiteral("speling"), {QStringLiteral("spelling")});
        QVERIFY(menu);
        const QStringList& shown = *menu;
        QCOMPARE(body->toPlainText(), QStringLiteral("I like spelling bees."));
        QVERIFY(!isUnderlined(body, QStringLiteral("spelling")));

        const int suggestions = shown.indexOf(QStringLiteral("Add to dictionary"));
        QVERIFY2(suggestions >= 1 && suggestions <= 7, qPrintable(shown.join(u'|')));
        QCOMPARE(shown.mid(suggestions, 2),
                 (QStringList{QStringLiteral("Add to dictionary"), QStringLiteral("Ignore")}));
        QCOMPARE(shown.mid(shown.size() - 2),
                 (QStringList{QStringLiteral("Check spelling"), QStringLiteral("Language")}));
        QVERIFY2(shown.contains(QStringLiteral("&Undo\tCtrl+Z")), "the body's own entries stay");

        body->undo();
        QCOMPARE(body->toPlainText(), QStringLiteral("I like speling bees."));
    }

    void aCorrectWordOffersNoCorrections()
    {
        ComposerFixture composer;
        composer.txtMessage()->setPlainText(QStringLiteral("Hello there"));
        QVERIFY(waitUntilChecked(composer));
        const QStringList shown = useContextMenu(composer.txtMessage(), QStringLiteral("there"), {}).value();
        QVERIFY(!shown.contains(QStringLiteral("Add to dictionary")));
        QVERIFY(!shown.contains(QStringLiteral("Ignore")));
        QVERIFY(shown.contains(QStringLiteral("Check spelling")));
    }

    void addedWordsStayAcceptedAndIgnoredOnesForThisMessageOnly()
    {
        const QString text = QStringLiteral("Greetings from Qxvlorpia and Zyzzbury");
        {
            ComposerFixture composer;
            composer.txtMessage()->setPlainText(text);
            QVERIFY(waitUntilChecked(composer));
            QVERIFY(useContextMenu(composer.txtMessage(), QStringLiteral("Qxvlorpia"),
                                   {QStringLiteral("Add to dictionary")}));
            QVERIFY(useContextMenu(composer.txtMessage(), QStringLiteral("Zyzzbury"),
                                   {QStringLiteral("Ignore")}));
            QVERIFY(waitUntilChecked(composer));
            QCOMPARE(
                underlined(composer.txtMessage(), {QStringLiteral("Qxvlorpia"), QStringLiteral("Zyzzbury")}),
                QStringList());
            QVERIFY(composer.close());
        }
        ComposerFixture restarted;
        restarted.txtMessage()->setPlainText(text);
        QVERIFY(waitUntilChecked(restarted));
        QCOMPARE(
            underlined(restarted.txtMessage(), {QStringLiteral("Qxvlorpia"), QStringLiteral("Zyzzbury")}),
            QStringList{QStringLiteral("Zyzzbury")});
    }

    void theLanguageAndTheSwitchAreKept()
    {
        const QString text = QStringLiteral("Привет hello");
        {
            ComposerFixture composer;
            composer.txtMessage()->setPlainText(text);
            QVERIFY(waitUntilChecked(composer));
            QCOMPARE(underlined(composer.txtMessage(), {QStringLiteral("Привет"), QStringLiteral("hello")}),
                     QStringList{QStringLiteral("Привет")});
            QVERIFY(useContextMenu(composer.txtMessage(), QStringLiteral("hello"),
                                   {QStringLiteral("Language"), QStringLiteral("Русский (Россия)")}));
            QVERIFY(waitUntilChecked(composer));
            QCOMPARE(underlined(composer.txtMessage(), {QStringLiteral("Привет"), QStringLiteral("hello")}),
                     QStringList{QStringLiteral("hello")});
            QVERIFY(composer.close());
        }
        {
            ComposerFixture composer;
            composer.txtMessage()->setPlainText(text);
            QVERIFY(waitUntilChecked(composer));
            QCOMPARE(underlined(composer.txtMessage(), {QStringLiteral("Привет"), QStringLiteral("hello")}),
                     QStringList{QStringLiteral("hello")});
            QVERIFY(useContextMenu(composer.txtMessage(), QStringLiteral("Привет"),
                                   {QStringLiteral("Check spelling")}));
            QVERIFY(waitUntilChecked(composer));
            QCOMPARE(underlined(composer.txtMessage(), {QStringLiteral("hello")}), QStringList());
            QVERIFY(composer.close());
        }
        QSettings stored(environment->settingsFile(), QSettings::IniFormat);
        QCOMPARE(stored.value(QStringLiteral("Spelling/Language")).toString(), QStringLiteral("ru_RU"));
        QCOMPARE(stored.value(QStringLiteral("Spelling/Check spelling")).toString(), QStringLiteral("false"));
        ComposerFixture composer;
        composer.txtMessage()->setPlainText(text);
        QVERIFY(waitUntilChecked(composer));
        QCOMPARE(underlined(composer.txtMessage(), {QStringLiteral("hello")}), QStringList());
        const QStringList shown = useContextMenu(composer.txtMessage(), QStringLiteral("hello"), {}).value();
        QVERIFY2(!shown.contains(QStringLiteral("Add to dictionary")), "no corrections while switched off");
    }

    void aLanguageWhoseDictionaryWentFallsBackToEnglish()
    {
        storeLanguage(QStringLiteral("xx_XX"));
        ComposerFixture composer;
        composer.txtMessage()->setPlainText(QStringLiteral("A mistaek"));
        QVERIFY(waitUntilChecked(composer));
        QVERIFY(isUnderlined(composer.txtMessage(), QStringLiteral("mistaek")));
    }

    void nothingIsMarkedWithoutADictionary()
    {
        ComposerFixture composer;
        composer.txtMessage()->setPlainText(QStringLiteral("A mistaek"));
        QVERIFY(waitUntilChecked(composer));
        QVERIFY(!isUnderlined(composer.txtMessage(), QStringLiteral("mistaek")));
        const std::optional<QStringList> shown =
            useContextMenu(composer.txtMessage(), QStringLiteral("mistaek"), {});
        QVERIFY(shown);
        QVERIFY(!shown->contains(QStringLiteral("Add to dictionary")));
        QVERIFY(shown->contains(QStringLiteral("Check spelling")));
        QCOMPARE(MessageBox::shown().size(), 0);
    }

    void theDefaultLanguage_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("language");
        const QStringList both{QStringLiteral("de_DE"), QStringLiteral("en_GB"), QStringLiteral("en_US"),
                               QStringLiteral("ru_RU")};
        QTest::newRow("the locale's") << both << QStringLiteral("ru_RU.UTF-8") << QStringLiteral("ru_RU");
        QTest::newRow("the locale's language elsewhere")
            << both << QStringLiteral("de_AT") << QStringLiteral("de_DE");
        QTest::newRow("C") << both << QStringLiteral("C") << QStringLiteral("en_US");
        QTest::newRow("no dictionary for the locale")
            << both << QStringLiteral("fr_FR") << QStringLiteral("en_US");
        QTest::newRow("another English")
            << QStringList{QStringLiteral("en_GB")} << QStringLiteral("fr_FR") << QStringLiteral("en_GB");
        QTest::newRow("no English") << QStringList{QStringLiteral("ru_RU")} << QStringLiteral("fr_FR")
                                    << QString();
        QTest::newRow("none") << QStringList() << QStringLiteral("en_US") << QString();
    }
    void theDefaultLanguage()
    {
        QFETCH(QStringList, installed);
        QFETCH(QString, locale);
        QFETCH(QString, language);
        QCOMPARE(SpellDictionary::defaultLanguage(installed, locale), language);
    }
};

VELLUM_TEST_MAIN(TestSpelling)
#include "TestSpelling.moc"
