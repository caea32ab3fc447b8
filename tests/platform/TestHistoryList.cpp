#include "TestEnvironment.h"
#include "platform/ApplicationIdentity.h"
#include "platform/HistoryPopup.h"
#include "platform/RuntimeError.h"
#include "platform/storage/FileHistoryList.h"

#include <QAccessible>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTimer>
#include <functional>

namespace
{

// Runs the action on the popup once it is open, inside its own event loop.
void whenPopupShown(std::function<void(QWidget*)> action)
{
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll, action = std::move(action), tries = 500]() mutable {
        QWidget* popup = QApplication::activePopupWidget();
        if (!popup && --tries > 0)
            return;
        poll->deleteLater();
        poll->stop();
        if (popup)
            action(popup);
    });
    poll->start(10);
}

// The texts of the popup's entries as a screen reader gets them.
QStringList entryTexts(QWidget* popup)
{
    QStringList texts;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(popup);
    for (int i = 0; list && i < list->childCount(); ++i) {
        QAccessibleInterface* entry = list->child(i);
        if (entry->role() == QAccessible::ListItem || entry->role() == QAccessible::MenuItem)
            texts.append(entry->text(QAccessible::Name));
    }
    return texts;
}

} // namespace

class TestHistoryList : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

    std::unique_ptr<FileHistoryList> openList(const QString& name = QStringLiteral("To History.DAT"))
    {
        auto list = std::make_unique<FileHistoryList>();
        list->open(name, ApplicationIdentity::current());
        list->load();
        return list;
    }

    void writeFile(const QByteArray& content)
    {
        QFile file(environment->dataFolder() + QStringLiteral("/To History.DAT"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void absentFileGivesAnEmptyList()
    {
        auto list = openList();
        QVERIFY(list->entries().isEmpty());
        QCOMPARE(list->filePath(), environment->dataFolder() + QStringLiteral("/To History.DAT"));
        QVERIFY(!QFile::exists(list->filePath()));
    }

    void addSaveAndLoadKeepNewestFirstWithoutDuplicates()
    {
        auto list = openList();
        for (int i = 0; i < 60; ++i)
            list->add(QStringLiteral("entry %1").arg(i));
        list->add(QStringLiteral("entry 55"));
        list->add(QStringLiteral("Иван <ivan@пример.рф>"));
        list->add(QStringLiteral("line\nbreak \\ kept"));
        list->add(QString());
        list->save();

        auto fresh = openList();
        QCOMPARE(fresh->entries().size(), FileHistoryList::MaximumEntries);
        QCOMPARE(fresh->entries().mid(0, 4),
                 QStringList({QStringLiteral("line\nbreak \\ kept"), QStringLiteral("Иван <ivan@пример.рф>"),
                              QStringLiteral("entry 55"), QStringLiteral("entry 59")}));
        QCOMPARE(fresh->entries().count(QStringLiteral("entry 55")), 1);
        QCOMPARE(fresh->entries().last(), QStringLiteral("entry 12"));
    }

    void damagedFileLoadsWithoutACrash_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("expectedStart");
        QByteArray garbage(64 * 1024, '\0');
        for (char& byte : garbage)
            byte = char(QRandomGenerator::global()->bounded(256));
        QTest::newRow("binary garbage") << garbage << QStringList();
        QTest::newRow("invalid UTF-8")
            << QByteArray("ok\n\xff\xfe\xc3\n") << QStringList{QStringLiteral("ok")};
        QTest::newRow("10 MB single line then an entry")
            << (QByteArray(10 * 1024 * 1024, 'x') + "\nafter\n") << QStringList{QStringLiteral("after")};
        QTest::newRow("CRLF and duplicates")
            << QByteArray("a\r\nb\r\na\r\n\r\n") << QStringList{QStringLiteral("a"), QStringLiteral("b")};
    }
    void damagedFileLoadsWithoutACrash()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, expectedStart);
        writeFile(content);
        auto list = openList();
        QVERIFY(list->entries().size() <= FileHistoryList::MaximumEntries);
        QCOMPARE(list->entries().mid(0, expectedStart.size()), expectedStart);
    }

    // Lines the list did not write itself go back with the bytes they came in.
    void entriesKeepTheirBytesThroughASave()
    {
        const QByteArray cp1251 = "\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2 <ivan@example.org>";
        writeFile(cp1251 + "\nanna@example.org\n");
        auto list = openList();
        QCOMPARE(list->entries(), QStringList({QStringLiteral("Иван Петров <ivan@example.org>"),
                                               QStringLiteral("anna@example.org")}));
        // Another window saves in between: both windows' entries are kept.
        auto other = openList();
        other->add(QStringLiteral("other@example.org"));
        other->save();
        list->add(QStringLiteral("new@example.org"));
        list->save();
        QFile file(list->filePath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "new@example.org\nother@example.org\n" + cp1251 + "\nanna@example.org\n");
    }

    void saveIsAtomic()
    {
        auto list = openList();
        list->add(QStringLiteral("kept"));
        list->save();
        // A write that fails half way (a full disk) must leave the old file whole.
        for (int i = 0; i < 40; ++i)
            list->add(QStringLiteral("a long entry that will not fit %1").arg(i));
        {
            const FileSizeLimit limit(64);
            QVERIFY_THROWS_EXCEPTION(RuntimeError, list->save());
        }
        QCOMPARE(openList()->entries(), QStringList{QStringLiteral("kept")});
        QCOMPARE(QDir(environment->dataFolder()).entryList(QDir::Files),
                 QStringList{QStringLiteral("To History.DAT")});
    }

    void pickReplacesTheBoxText()
    {
        auto list = openList();
        list->add(QStringLiteral("older"));
        list->add(QStringLiteral("newer"));
        QLineEdit box(QStringLiteral("typed"));
        HistoryPopup::setNextChoice(1);
        list->pick(&box);
        QCOMPARE(HistoryPopup::lastOffered(),
                 QStringList({QStringLiteral("newer"), QStringLiteral("older")}));
        QCOMPARE(box.text(), QStringLiteral("older"));
        list->pick(&box); // dismissed popup
        QCOMPARE(box.text(), QStringLiteral("older"));
    }

    // The real popup: texts with mnemonic marks and tabs are shown as typed.
    void pickListShowsTheEntriesExactly()
    {
        const QStringList entries{"Q&A session", "Tom && Jerry", "Budget\t2027", "plain"};
        auto list = openList();
        for (qsizetype i = entries.size() - 1; i >= 0; --i)
            list->add(entries.at(i));
        QLineEdit box(QStringLiteral("typed"));
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        HistoryPopup::setScripted(false);

        QStringList shown;
        whenPopupShown([&](QWidget* popup) {
            shown = entryTexts(popup);
            QTest::keyClick(popup, Qt::Key_Down);
            QTest::keyClick(popup, Qt::Key_Return);
        });
        list->pick(&box);
        QCOMPARE(shown, entries);
        QCOMPARE(box.text(), entries.at(1));

        whenPopupShown([](QWidget* popup) { QTest::keyClick(popup, Qt::Key_Escape); });
        list->pick(&box);
        QCOMPARE(box.text(), entries.at(1));
        QVERIFY(!QApplication::activePopupWidget());
    }

    void operationsBeforeOpenFail()
    {
        FileHistoryList list;
        QVERIFY_THROWS_EXCEPTION(RuntimeError, list.load());
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 list.open(QStringLiteral("../escape.DAT"), ApplicationIdentity::current()));
    }
};

VELLUM_TEST_MAIN(TestHistoryList)
#include "TestHistoryList.moc"
