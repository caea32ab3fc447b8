#include "TestEnvironment.h"
#include "platform/RuntimeError.h"
#include "settings/modPasswordCryptor.h"

#include <QRegularExpression>

using namespace modPasswordCryptor;

class TestPasswordCryptor : public QObject
{
    Q_OBJECT
private slots:
    void unscramble_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("plain");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("abc") << "9C4F9D009EA1"
                             << "abc";
        QTest::newRow("lower-case hex") << "9c4f9d009ea1"
                                        << "abc";
        QTest::newRow("length 1") << "9"
                                  << "";
        QTest::newRow("length 2") << "9C"
                                  << "";
        QTest::newRow("length 3") << "9C4"
                                  << "";
        QTest::newRow("length 5") << "9C4F9"
                                  << "";
        QTest::newRow("length 13") << "9C4F9D009EA1F"
                                   << "";
        QTest::newRow("bad second group") << "9C4FZZ00"
                                          << "";
        QTest::newRow("non-hex filler") << "9CZQ"
                                        << "c";
        QTest::newRow("FF is code 0") << "FF00" << QString(QChar(0));
        QTest::newRow("00 is code 255") << "0000" << QString(QChar(0x044F));
        QTest::newRow("sign in a pair") << "+1000000"
                                        << "";
    }
    void unscramble()
    {
        QFETCH(QString, stored);
        QFETCH(QString, plain);
        QCOMPARE(UnscramblePassword(stored), plain);
    }

    void scrambleHasTheStoredShape()
    {
        const QString stored = ScramblePassword(QStringLiteral("abc"));
        QVERIFY(QRegularExpression(QStringLiteral("^9C[0-9A-F]{2}9D[0-9A-F]{2}9E[0-9A-F]{2}$"))
                    .match(stored)
                    .hasMatch());
        QCOMPARE(ScramblePassword(QString()), QString());
    }

    void twoScramblingsDifferButReadBackAlike()
    {
        const QString password = QStringLiteral("a rather long password to make a clash unlikely");
        const QString first = ScramblePassword(password);
        const QString second = ScramblePassword(password);
        QVERIFY(first != second);
        QCOMPARE(UnscramblePassword(first), password);
        QCOMPARE(UnscramblePassword(second), password);
    }

    void everyCodePageCharacterRoundTrips()
    {
        // Every byte makes a character, and that character scrambles back to its byte.
        QString all;
        for (int code = 0; code < 256; ++code) {
            const QString stored = QStringLiteral("%1AB").arg(255 - code, 2, 16, QLatin1Char('0'));
            const QString character = UnscramblePassword(stored);
            QCOMPARE(character.size(), 1);
            all += character;
        }
        QCOMPARE(UnscramblePassword(ScramblePassword(all)), all);
        QCOMPARE(QSet<QChar>(all.cbegin(), all.cend()).size(), 256);
    }

    void cyrillicPasswordRoundTrips()
    {
        const QString password = QStringLiteral("Пароль ёЁ №5 «Велара»");
        QVERIFY(IsStorable(password));
        const QString stored = ScramblePassword(password);
        QCOMPARE(stored.size(), password.size() * 4);
        QCOMPARE(UnscramblePassword(stored), password);
    }

    void characterOutsideTheCodePageIsRefused_data()
    {
        QTest::addColumn<QString>("password");
        QTest::newRow("emoji") << QStringLiteral("pass😀word");
        QTest::newRow("greek") << QStringLiteral("λ");
        QTest::newRow("german") << QStringLiteral("straße");
    }
    void characterOutsideTheCodePageIsRefused()
    {
        QFETCH(QString, password);
        QVERIFY(!IsStorable(password));
        try {
            ScramblePassword(password);
            QFAIL("an unstorable character was accepted");
        } catch (const RuntimeError& error) {
            QVERIFY2(error.description().contains(QLatin1String("can't be stored")),
                     qPrintable(error.description()));
        }
    }
};

VELLUM_TEST_MAIN(TestPasswordCryptor)
#include "TestPasswordCryptor.moc"
