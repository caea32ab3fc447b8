#include "TestEnvironment.h"
#include "platform/ApplicationIdentity.h"
#include "platform/storage/IniSettingsStore.h"

#include <QFile>
#include <sys/stat.h>

class TestSettingsStore : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    const ApplicationIdentity& identity = ApplicationIdentity::current();

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void valuesRoundTripByKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("text") << int(SettingsStore::Text)
                              << QVariant(QStringLiteral("Иван <ivan@example.org>, b@c"));
        QTest::newRow("text with blanks")
            << int(SettingsStore::Text) << QVariant(QStringLiteral("  smtp.example.org "));
        QTest::newRow("integer") << int(SettingsStore::Integer) << QVariant(-2147483647 - 1);
        QTest::newRow("true") << int(SettingsStore::Boolean) << QVariant(true);
        QTest::newRow("false") << int(SettingsStore::Boolean) << QVariant(false);
    }
    void valuesRoundTripByKind()
    {
        QFETCH(int, kind);
        QFETCH(QVariant, value);
        IniSettingsStore store;
        store.write(QStringLiteral("Mails"), QStringLiteral("Key"), SettingsStore::Kind(kind), value,
                    identity);
        store.commit();
        IniSettingsStore fresh;
        QCOMPARE(fresh.read(QStringLiteral("Mails"), QStringLiteral("Key"), SettingsStore::Kind(kind),
                            identity, QVariant()),
                 value);
    }

    void emptySectionIsASectionOfItsOwn()
    {
        IniSettingsStore store;
        store.write(QString(), QStringLiteral("Temp File Prefix"), SettingsStore::Boolean, true, identity);
        store.write(QStringLiteral("Mails"), QStringLiteral("To"), SettingsStore::Text, QStringLiteral("a@b"),
                    identity);
        store.commit();

        IniSettingsStore fresh;
        QCOMPARE(fresh.read(QStringLiteral("Mails"), QStringLiteral("Temp File Prefix"),
                            SettingsStore::Boolean, identity, false),
                 QVariant(false));
        QCOMPARE(fresh.read(QString(), QStringLiteral("To"), SettingsStore::Text, identity, QString()),
                 QVariant(QString()));
        QCOMPARE(fresh.read(QString(), QStringLiteral("Temp File Prefix"), SettingsStore::Boolean, identity,
                            false),
                 QVariant(true));
    }

    void missingOrUnconvertibleValueGivesTheDefault_data()
    {
        QTest::addColumn<QByteArray>("fileContent");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("missing") << QByteArray() << int(SettingsStore::Integer) << QVariant(25)
                                 << QVariant(25);
        QTest::newRow("letters as a number") << QByteArray("[Mails]\nKey=twenty\n")
                                             << int(SettingsStore::Integer) << QVariant(25) << QVariant(25);
        QTest::newRow("overflowing number") << QByteArray("[Mails]\nKey=99999999999\n")
                                            << int(SettingsStore::Integer) << QVariant(25) << QVariant(25);
        QTest::newRow("number with blanks") << QByteArray("[Mails]\nKey= 587 \n")
                                            << int(SettingsStore::Integer) << QVariant(25) << QVariant(587);
        QTest::newRow("maybe as a Boolean")
            << QByteArray("[Mails]\nKey=maybe\n") << int(SettingsStore::Boolean) << QVariant(true)
            << QVariant(true);
        QTest::newRow("unquoted comma in a text")
            << QByteArray("[Mails]\nKey=a@b, c@d\n") << int(SettingsStore::Text) << QVariant(QString())
            << QVariant(QStringLiteral("a@b, c@d"));
    }
    void missingOrUnconvertibleValueGivesTheDefault()
    {
        QFETCH(QByteArray, fileContent);
        QFETCH(int, kind);
        QFETCH(QVariant, defaultValue);
        QFETCH(QVariant, expected);
        QDir().mkpath(QFileInfo(environment->settingsFile()).absolutePath());
        QFile file(environment->settingsFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileContent);
        file.close();
        QCOMPARE(IniSettingsStore().read(QStringLiteral("Mails"), QStringLiteral("Key"),
                                         SettingsStore::Kind(kind), identity, defaultValue),
                 expected);
    }

    void fileIsReadableByItsOwnerOnly()
    {
        IniSettingsStore store;
        QCOMPARE(store.filePath(), environment->settingsFile());
        store.write(QStringLiteral("Server settings"), QStringLiteral("Password"), SettingsStore::Text,
                    QStringLiteral("9C4F"), identity);
        store.write(QStringLiteral("Server settings"), QStringLiteral("User name"), SettingsStore::Text,
                    QStringLiteral("me"), identity);
        store.commit();
        struct stat status {
        };
        QCOMPARE(::stat(QFile::encodeName(store.filePath()).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, 0600u);
    }
};

VELLUM_TEST_MAIN(TestSettingsStore)
#include "TestSettingsStore.moc"
