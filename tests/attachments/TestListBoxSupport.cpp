#include "TestEnvironment.h"
#include "attachments/modListBoxSupport.h"
#include "platform/RuntimeError.h"

#include <QLineEdit>
#include <QListWidget>

using namespace modListBoxSupport;

class TestListBoxSupport : public QObject
{
    Q_OBJECT

    static void fill(QListWidget& list, const QStringList& entries)
    {
        list.setSelectionMode(QAbstractItemView::ExtendedSelection);
        list.addItems(entries);
    }

private slots:
    void findString_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("prefix");
        QTest::addColumn<int>("expected");

        const QStringList mail{"C:/Mail/a.txt", "C:/Mail/ab.txt"};
        QTest::newRow("exact ignores case") << mail << "c:/mail/A.TXT" << -1 << false << 0;
        QTest::newRow("exact needs the whole text") << mail << "C:/Mail/a" << -1 << false << -1;
        QTest::newRow("prefix") << mail << "C:/Mail/a" << -1 << true << 0;
        QTest::newRow("prefix ignores case") << mail << "c:/MAIL/AB" << -1 << true << 1;
        QTest::newRow("empty list") << QStringList() << "a" << -1 << false << -1;
        QTest::newRow("cyrillic ignores case")
            << QStringList{"/д/Файл.txt"} << "/Д/фАЙЛ.TXT" << -1 << false << 0;

        const QStringList same{"x", "y", "x", "y"};
        QTest::newRow("starts after the start index") << same << "x" << 0 << false << 2;
        QTest::newRow("wraps round to the top") << same << "x" << 2 << false << 0;
        QTest::newRow("reaches the start index last") << QStringList{"x", "y", "z"} << "y" << 1 << false << 1;
        QTest::newRow("start past the end searches all") << same << "y" << 9 << false << 1;
    }
    void findString()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, text);
        QFETCH(int, start);
        QFETCH(bool, prefix);
        QFETCH(int, expected);
        QListWidget list;
        fill(list, entries);
        QCOMPARE(ListBoxFindString(&list, text, start, prefix), expected);
    }

    void selectionCountAndSelectAll_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("extended") << int(QAbstractItemView::ExtendedSelection) << 2 << 5;
        QTest::newRow("multiple") << int(QAbstractItemView::MultiSelection) << 2 << 5;
        QTest::newRow("single") << int(QAbstractItemView::SingleSelection) << -1 << -1;
    }
    void selectionCountAndSelectAll()
    {
        QFETCH(int, mode);
        QFETCH(int, before);
        QFETCH(int, after);
        QListWidget list;
        list.addItems({"0", "1", "2", "3", "4"});
        list.setSelectionMode(QAbstractItemView::ExtendedSelection);
        list.item(1)->setSelected(true);
        list.item(3)->setSelected(true);
        list.setSelectionMode(QAbstractItemView::SelectionMode(mode));

        QCOMPARE(ListBoxGetSelCount(&list), before);
        ListBoxSelectAll(&list);
        QCOMPARE(ListBoxGetSelCount(&list), after);
        if (mode == QAbstractItemView::SingleSelection)
            QCOMPARE(list.selectedItems().size(), 2); // a single-selection list is left alone
    }

    void emptyList()
    {
        QListWidget list;
        fill(list, {});
        QCOMPARE(ListBoxGetSelCount(&list), 0);
        ListBoxSelectAll(&list);
        QCOMPARE(ListBoxGetSelCount(&list), 0);
    }

    void selectAllOnOtherControlDoesNothing()
    {
        QLineEdit edit(QStringLiteral("text"));
        edit.setCursorPosition(2);
        ListBoxSelectAll(&edit);
        QVERIFY(!edit.hasSelectedText());
        QCOMPARE(edit.text(), QStringLiteral("text"));
        // Only a missing control fails.
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ListBoxSelectAll(nullptr));
    }
};

VELLUM_TEST_MAIN(TestListBoxSupport)
#include "TestListBoxSupport.moc"
