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

    // The program always starts. A file it can't use is named once, the
    // program goes on without it, and the disk keeps what the user had.
    void startAndClose_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QString>("notice"); // what the one message says, empty: none

        const QString history = QStringLiteral("To History.DAT");
        const QString settings = QStringLiteral("Vellum.ini");
        const QByteArray cp1251 = "\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2 <ivan@example.org>\n";
        const QByteArray stored = "[Mails]\nTo=linked@example.org\n";
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
        QTest::newRow("history as a link to the user's file")
            << history << "link" << QByteArray("linked@example.org\n") << QStringList{"linked@example.org"}
            << QString();
        QTest::newRow("history as a link to another user's file")
            << history << "foreign link" << QByteArray("someone else's line\n") << QStringList()
            << "a file of another user";
        QTest::newRow("history as a dangling link")
            << history << "dangling link" << QByteArray() << QStringList() << "which does not exist";
        QTest::newRow("history as a link to a folder")
            << history << "folder link" << QByteArray() << QStringList() << "which is a folder";
        QTest::newRow("history as a folder")
            << history << "folder" << QByteArray() << QStringList() << "This is a folder";
        QTest::newRow("settings as a plain file")
            << settings << "file" << stored << QStringList() << QString();
        QTest::newRow("settings as a link to the user's file")
            << settings << "link" << stored << QStringList() << QString();
        QTest::newRow("settings as a link to another user's file")
            << settings << "foreign link" << stored << QStringList() << "a file of another user";
        QTest::newRow("settings as a dangling link")
            << settings << "dangling link" << QByteArray() << QStringList() << "which does not exist";
        QTest::newRow("settings as a link to a folder")
            << settings << "folder link" << QByteArray() << QStringList() << "which is a folder";
        QTest::newRow("settings of 50 MB")
            << settings << "large" << QByteArray() << QStringList() << QString();
    }

    void startAndClose()
    {
        QFETCH(QString, file);
        QFETCH(QString, shape);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, offered);
        QFETCH(QString, notice);

        const bool isHistory = file != QLatin1String("Vellum.ini");
        const QString path =
            isHistory ? environment->dataFolder() + QLatin1Char('/') + file : environment->settingsFile();
        const QString target = environment->root() + QStringLiteral("/dotfiles/") + file;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QDir().mkpath(QFileInfo(target).absolutePath());
        const bool isLink = shape.contains(QLatin1String("link"));
        if (shape == QLatin1String("file")) {
            writeBytes(path, content);
        } else if (shape == QLatin1String("link")) {
            writeBytes(target, content);
            QVERIFY(QFile::link(target, path));
        } else if (shape == QLatin1String("foreign link")) {
            writeBytes(target, content);
            QVERIFY(linkToAnotherUsersFile(target, path));
        } else if (shape == QLatin1String("dangling link")) {
            QVERIFY(QFile::link(target, path));
        } else if (shape == QLatin1String("folder link")) {
            QVERIFY(QDir().mkdir(target));
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
        const QString linkTarget = isLink ? QFileInfo(path).symLinkTarget() : QString();
        const QByteArray before = contentOf(isLink ? linkTarget : path);

        start();
        frmMain* window = composerWindow();
        QVERIFY(window);
        auto* txtTo = window->findChild<QLineEdit*>(QStringLiteral("txtTo"));
        if (notice.isEmpty()) {
            QVERIFY(MessageBox::shown().isEmpty());
        } else {
            QCOMPARE(MessageBox::shown().size(), 1);
            const QString text = MessageBox::shown().first().text;
            QVERIFY2(text.startsWith(path + QStringLiteral("\r\n\r\n")) && text.contains(notice),
                     qPrintable(text));
        }
        if (isHistory) {
            window->findChild<QPushButton*>(QStringLiteral("cmdToHistory"))->click();
            if (offered != QStringList{"<any>"})
                QCOMPARE(HistoryPopup::lastOffered(), offered);
            QVERIFY(HistoryPopup::lastOffered().size() <= 50);
        } else {
            QCOMPARE(txtTo->text(), shape == QLatin1String("large") ? QStringLiteral("anna@example.org")
                                    : notice.isEmpty()              ? QStringLiteral("linked@example.org")
                                                                    : QString());
            // A change to save: it goes where the settings were read from, or nowhere.
            txtTo->setText(QStringLiteral("changed@example.org"));
        }
        QVERIFY(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // Said once, not again when the window saves.
        QCOMPARE(MessageBox::shown().size(), notice.isEmpty() ? 0 : 1);

        const bool savedThrough = !isHistory && notice.isEmpty();
        if (isLink) {
            QVERIFY(QFileInfo(path).isSymLink());
            QCOMPARE(QFileInfo(path).symLinkTarget(), linkTarget);
        }
        if (shape.contains(QLatin1String("folder"))) {
            QVERIFY(QFileInfo(isLink ? linkTarget : path).isDir());
        } else if (shape == QLatin1String("dangling link")) {
            QVERIFY(!QFileInfo::exists(linkTarget));
        } else if (savedThrough) {
            QSettings saved(isLink ? linkTarget : path, QSettings::IniFormat);
            QCOMPARE(saved.value(QStringLiteral("Mails/To")).toString(),
                     QStringLiteral("changed@example.org"));
        } else {
            QVERIFY(contentOf(isLink ? linkTarget : path) == before);
        }
    }
};

VELLUM_TEST_MAIN(TestStoredFiles)
#include "TestStoredFiles.moc"
