#include "ComposerFixture.h"
#include "SmtpTestServer.h"
#include "TestMessages.h"
#include "attachments/frmAttachments.h"
#include "platform/Translations.h"
#include "send/frmSubject.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QStyle>

Q_DECLARE_METATYPE(SmtpTestServer::Options)

namespace
{

// What a window shows, by control and kind of text.
using Texts = QMap<QString, QString>;

QString captionOf(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return frame->title();
    return QString();
}

Texts textsOf(const QWidget* window)
{
    Texts texts;
    texts.insert(QStringLiteral("title"), window->windowTitle());
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty())
            continue;
        for (const auto& [kind, text] :
             {std::pair{"caption", captionOf(control)}, std::pair{"tool tip", control->toolTip()},
              std::pair{"name", control->accessibleName()},
              std::pair{"description", control->accessibleDescription()}}) {
            if (!text.isEmpty())
                texts.insert(name + QLatin1Char(' ') + QLatin1String(kind), text);
        }
    }
    return texts;
}

// The room a caption has: to the next control on its right, or its own width.
int roomOf(const QWidget* caption)
{
    int right = caption->x() + caption->width();
    if (qobject_cast<const QLabel*>(caption) || qobject_cast<const QCheckBox*>(caption)) {
        right = caption->parentWidget()->width();
        for (const QWidget* sibling :
             caption->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const bool sameRow = sibling->geometry().top() < caption->geometry().bottom() &&
                                 sibling->geometry().bottom() > caption->geometry().top();
            if (sibling != caption && sameRow && sibling->x() > caption->x() &&
                sibling->isVisibleTo(caption->window()) &&
                !sibling->testAttribute(Qt::WA_TransparentForMouseEvents) &&
                sibling->objectName() != u"shpBack")
                right = std::min(right, sibling->x());
        }
    }
    return right - caption->x();
}

// The width a caption needs in its control's font, with the style's margins.
int neededWidth(const QWidget* control)
{
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return label->sizeHint().width();
    if (const auto* check = qobject_cast<const QCheckBox*>(control))
        return check->sizeHint().width();
    const int text = control->fontMetrics().horizontalAdvance(captionOf(control));
    if (qobject_cast<const QGroupBox*>(control))
        return text + 2 * control->fontMetrics().averageCharWidth();
    // A button's text may use all of it but its frame.
    return text + 2 * control->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

struct Window {
    QString name;
    std::function<void(const std::function<void(QWidget*)>&)> open;
};

QList<Window> windows(ComposerFixture& composer)
{
    return {{QStringLiteral("frmMain"), [&composer](const auto& use) { use(composer.window); }},
            {QStringLiteral("frmSettings"),
             [](const auto& use) {
                 frmSettings dialog;
                 use(&dialog);
             }},
            {QStringLiteral("frmSubject"),
             [&composer](const auto& use) {
                 frmSubject dialog(composer.window);
                 use(&dialog);
             }},
            {QStringLiteral("frmAttachments"), [&composer](const auto& use) {
                 QStringList attachments;
                 frmAttachments dialog(attachments, composer.window);
                 use(&dialog);
             }}};
}

// Texts that read the same in every language: key names, symbols, the name.
bool isNeutral(const QString& language, const QString& text)
{
    static const QStringList everywhere{
        QStringLiteral("Vellum"), QStringLiteral("H!"), QStringLiteral("S!"), QStringLiteral("D!"),
        QStringLiteral("A! [0]"), QStringLiteral("+"),  QStringLiteral("X"),  QStringLiteral("Enter")};
    if (everywhere.contains(text))
        return true;
    return language == u"ru" && (text == u"Отмена" || text == u"Ctrl+Enter");
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        Translations::install({});
        environment.reset();
    }

    void everyTextIsTranslatedAndNoCaptionIsCut_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Russian") << QStringLiteral("ru");
        QTest::newRow("German") << QStringLiteral("de");
    }
    void everyTextIsTranslatedAndNoCaptionIsCut()
    {
        QFETCH(QString, language);
        QMap<QString, Texts> english;
        {
            ComposerFixture composer;
            for (const Window& window : windows(composer))
                window.open([&](QWidget* shown) { english.insert(window.name, textsOf(shown)); });
        }

        QCOMPARE(Translations::install({language + QStringLiteral("-XX"), QStringLiteral("en")}), language);
        ComposerFixture composer;
        for (const Window& window : windows(composer)) {
            window.open([&](QWidget* shown) {
                const Texts translated = textsOf(shown);
                QCOMPARE(translated.keys(), english.value(window.name).keys());
                for (auto text = translated.cbegin(); text != translated.cend(); ++text) {
                    const QString source = english.value(window.name).value(text.key());
                    QVERIFY2(text.value() != source || isNeutral(language, source),
                             qPrintable(window.name + QLatin1Char(' ') + text.key() + QStringLiteral(": ") +
                                        source));
                }
                for (const QWidget* control : shown->findChildren<QWidget*>()) {
                    if (captionOf(control).isEmpty())
                        continue;
                    const int needed = neededWidth(control);
                    const int room = roomOf(control);
                    qInfo("%s %s \"%s\": needs %d px, has %d px", qPrintable(window.name),
                          qPrintable(control->objectName()), qPrintable(captionOf(control)), needed, room);
                    QVERIFY2(needed <= room, qPrintable(control->objectName() + QStringLiteral(" is cut: ") +
                                                        captionOf(control)));
                }
            });
        }
    }

    void qtsOwnTextsComeInTheSameLanguage()
    {
        QCOMPARE(Translations::install({QStringLiteral("de-DE")}), QStringLiteral("de"));
        ComposerFixture composer;
        const std::unique_ptr<QMenu> menu(composer.txtMessage()->createStandardContextMenu());
        QVERIFY2(menu->actions().at(0)->text().startsWith(QStringLiteral("&Rückgängig")),
                 qPrintable(menu->actions().at(0)->text()));
    }

    // Through the real mail component and a real server: the component is a
    // library of its own and must reach the program's translator.
    void mailFailuresComeInTheUsersLanguage_data()
    {
        QTest::addColumn<SmtpTestServer::Options>("server");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("russian");
        SmtpTestServer::Options refusingLogin;
        refusingLogin.refuseAuth = true;
        QTest::newRow("login refused")
            << refusingLogin << QStringLiteral("rcpt@example.com")
            << QStringLiteral(
                   "Der Server hat die Anmeldung abgelehnt: 535 5.7.8 Authentication credentials invalid")
            << QStringLiteral("Сервер отклонил вход: 535 5.7.8 Authentication credentials invalid");
        SmtpTestServer::Options refusingRecipient;
        refusingRecipient.refuseRecipient = QStringLiteral("rcpt@example.com");
        QTest::newRow("recipient refused")
            << refusingRecipient << QStringLiteral("rcpt@example.com")
            << QStringLiteral("Der Server hat den Empfänger <rcpt@example.com> abgelehnt: 550 5.1.1")
            << QStringLiteral("Сервер отклонил получателя <rcpt@example.com>: 550 5.1.1");
        QTest::newRow("invalid address")
            << SmtpTestServer::Options() << QStringLiteral("rcpt@@example.com")
            << QStringLiteral("Der Empfänger „rcpt@@example.com“ ist keine gültige E-Mail-Adresse.")
            << QStringLiteral(
                   "Адрес получателя «rcpt@@example.com» не является допустимым адресом электронной почты.");
        SmtpTestServer::Options silent;
        silent.silent = true;
        QTest::newRow("no greeting within a second")
            << silent << QStringLiteral("rcpt@example.com")
            << QStringLiteral("Der Server 127.0.0.1, Port %1 hat die Verbindung angenommen, aber sich nicht "
                              "innerhalb von 1 Sekunde gemeldet.")
            << QStringLiteral("Сервер 127.0.0.1, порт %1 принял соединение, но не прислал приветствие в "
                              "течение 1 секунды.");
    }
    void mailFailuresComeInTheUsersLanguage()
    {
        QFETCH(SmtpTestServer::Options, server);
        QFETCH(QString, to);
        QFETCH(QString, german);
        QFETCH(QString, russian);
        const SmtpTestServer smtp(server);
        QVERIFY2(smtp.isRunning(), qPrintable(smtp.errorText()));
        SmtpMailMessage::Options options = testServerOptions();
        options.connectTimeoutSeconds = 1;
        for (const auto& [language, text] :
             {std::pair{QStringLiteral("de"), german}, std::pair{QStringLiteral("ru"), russian}}) {
            const QString expected = text.contains(QLatin1String("%1")) ? text.arg(smtp.port()) : text;
            QCOMPARE(Translations::install({language}), language);
            const auto message = testMessage(smtp.port(), options);
            message->setTo(to);
            const QString failure = sendFailure(*message);
            QVERIFY2(failure.startsWith(expected), qPrintable(failure));
        }
    }

    void englishAndLanguagesWithoutATranslationKeepTheProgramsTexts_data()
    {
        QTest::addColumn<QStringList>("languages");
        QTest::newRow("C") << QStringList{QStringLiteral("C")};
        QTest::newRow("English first") << QStringList{QStringLiteral("en-GB"), QStringLiteral("ru-RU")};
        QTest::newRow("French") << QStringList{QStringLiteral("fr-FR"), QStringLiteral("fr")};
        QTest::newRow("none") << QStringList();
    }
    void englishAndLanguagesWithoutATranslationKeepTheProgramsTexts()
    {
        QFETCH(QStringList, languages);
        QCOMPARE(Translations::install(languages), QString());
        ComposerFixture composer;
        QCOMPARE(composer.button("cmdSend")->text(), QStringLiteral("Send"));
        frmSubject prompt(composer.window);
        QCOMPARE(prompt.findChild<QPushButton*>(QStringLiteral("cmdCancel"))->text(),
                 QStringLiteral("Отмена"));
        const std::unique_ptr<QMenu> menu(composer.txtMessage()->createStandardContextMenu());
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("&Undo\tCtrl+Z"));
    }
};

VELLUM_TEST_MAIN(TestTranslations)
#include "TestTranslations.moc"
