#include "TestEnvironment.h"
#include "app/modMain.h"
#include "composer/frmMain.h"
#include "platform/HistoryPopup.h"
#include "platform/MessageBox.h"
#include "platform/RuntimeError.h"
#include "settings/modPasswordCryptor.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>

namespace
{

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeBytes(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator generator(12);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

frmMain* composerWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<frmMain*>(widget); window && window->isVisible())
            return window;
    }
    return nullptr;
}

} // namespace

// Unusual and hostile files where the program keeps its data: what a start
// and a close do to each, judged by the bytes the user had.
class TestStoredFiles : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

    // As the program starts: an error that escapes start-up is reported and
    // ends it before any window shows.
    static void start()
    {
        try {
            modMain::Main();
        } catch (...) {
            LastResort::reportUnhandled(RuntimeError::fromCurrentException());
        }
    }

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup()
    {
        delete composerWindow();
        environment.reset();
    }

    void startAndClose_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QString>("refusal");

        const QString history = QStringLiteral("To History.DAT");
        const QString settings = QStringLiteral("Vellum.ini");
        const QString link = QStringLiteral("This is a symbolic link.");
        const QByteArray cp1251 = "\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2 <ivan@example.org>\n";
        QTest::newRow("history in Windows-1251")
            << history << "file" << (cp1251 + "anna@example.org\n")
            << QStringList{"Иван Петров <ivan@example.org>", "anna@example.org"} << QString();
        QTest::newRow("history of binary bytes")
            << history << "file" << randomBytes(64 * 1024) << QStringList{"<any>"} << QString();
        QTest::newRow("history with NUL bytes")
            << history << "file" << QByteArray("a\0b\nkept\n\0\0\n", 13) << QStringList{"kept"} << QString();
        QTest::newRow("history of 1 MB lines")
            << history << "file"
            << (QByteArray(1024 * 1024, 'x') + "\nafter\n" + QByteArray(1024 * 1024, 'y') + '\n')
            << QStringList{"after"} << QString();
        QTest::newRow("history of 50 MB of empty lines")
            << history << "file" << (QByteArray(50 * 1024 * 1024, '\n') + "far away\n") << QStringList()
            << QString();
        QTest::newRow("history as a symbolic link")
            << history << "link" << QByteArray("someone else's line\n") << QStringList() << link;
        QTest::newRow("history as a folder")
            << history << "folder" << QByteArray() << QStringList() << QStringLiteral("This is a folder");
        QTest::newRow("settings as a symbolic link")
            << settings << "link" << QByteArray("[Mails]\nTo=elsewhere@example.org\n") << QStringList()
            << link;
        QTest::newRow("settings of 50 MB")
            << settings << "large" << QByteArray() << QStringList() << QString();
    }

    void startAndClose()
    {
        QFETCH(QString, file);
        QFETCH(QString, shape);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, offered);
        QFETCH(QString, refusal);

        const bool isHistory = file != QLatin1String("Vellum.ini");
        const QString path =
            isHistory ? environment->dataFolder() + QLatin1Char('/') + file : environment->settingsFile();
        const QString target = environment->root() + QStringLiteral("/elsewhere");
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (shape == QLatin1String("file")) {
            writeBytes(path, content);
        } else if (shape == QLatin1String("link")) {
            writeBytes(target, content);
            QVERIFY(QFile::link(target, path));
        } else if (shape == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else {
            // Every setting stored as the program stores it, beside a lot the user put there.
            QSettings large(path, QSettings::IniFormat);
            large.setValue(QStringLiteral("Mails/To"), QStringLiteral("anna@example.org"));
            large.setValue(QStringLiteral("Send Hotkey Option"), 1);
            large.setValue(QStringLiteral("Mails/Mail from"), QStringLiteral("me@example.org"));
            large.setValue(QStringLiteral("Server settings/User name"), QStringLiteral("me"));
            large.setValue(QStringLiteral("Server settings/Password"),
                           modPasswordCryptor::ScramblePassword(QStringLiteral("secret")));
            large.setValue(QStringLiteral("Server settings/SMTP server"), QStringLiteral("smtp.example.org"));
            large.setValue(QStringLiteral("Server settings/SMTP server port"), 587);
            large.setValue(QStringLiteral("Server settings/Use SSL"), true);
            large.setValue(QStringLiteral("Temp File Prefix"), false);
            for (int i = 0; i < 50; ++i)
                large.setValue(QStringLiteral("Notes/%1").arg(i), QString(1024 * 1024, QLatin1Char('n')));
            large.sync();
        }
        const QByteArray before = contentOf(shape == QLatin1String("link") ? target : path);

        start();
        frmMain* window = composerWindow();
        if (!refusal.isEmpty()) {
            QVERIFY(!window);
            QCOMPARE(MessageBox::shown().size(), 1);
            const QString text = MessageBox::shown().first().text;
            QVERIFY2(text.contains(path + QStringLiteral(": ") + refusal), qPrintable(text));
        } else {
            QVERIFY(window);
            QVERIFY(MessageBox::shown().isEmpty());
            if (isHistory) {
                window->findChild<QPushButton*>(QStringLiteral("cmdToHistory"))->click();
                if (offered != QStringList{"<any>"})
                    QCOMPARE(HistoryPopup::lastOffered(), offered);
                QVERIFY(HistoryPopup::lastOffered().size() <= 50);
            } else {
                QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("txtTo"))->text(),
                         QStringLiteral("anna@example.org"));
            }
            QVERIFY(window->close());
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }

        if (shape == QLatin1String("link")) {
            QVERIFY(QFileInfo(path).isSymLink());
            QCOMPARE(contentOf(target), before);
        } else if (shape == QLatin1String("folder")) {
            QVERIFY(QFileInfo(path).isDir());
        } else {
            QVERIFY(contentOf(path) == before);
        }
    }
};

VELLUM_TEST_MAIN(TestStoredFiles)
#include "TestStoredFiles.moc"
