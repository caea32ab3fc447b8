#include "ScriptedFileDialog.h"
#include "TestEnvironment.h"
#include "attachments/frmAttachments.h"
#include "platform/ApplicationIdentity.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/Support.h"

#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

using Rows = QList<int>;

class TestAttachmentsDialog : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    std::shared_ptr<FileDialogScript> script;
    QStringList attachments;

    // A real file of the given size under the test's folder.
    QString file(const QString& name, int size = 0)
    {
        const QString path = environment->root() + QStringLiteral("/files/") + name;
        QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(QByteArray(size, 'x')) != size)
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    QStringList files(const QStringList& names)
    {
        QStringList paths;
        for (const QString& name : names)
            paths.append(file(name, 1));
        return paths;
    }
    QString storedFolder()
    {
        return components()
            .createSettingsStore()
            ->read(QStringLiteral("OFN Paths"), QStringLiteral("Last add attachment directory"),
                   SettingsStore::Text, ApplicationIdentity::current(), QStringLiteral("<unset>"))
            .toString();
    }

    static QStringList entries(const frmAttachments& dialog)
    {
        QStringList texts;
        for (int i = 0; i < dialog.lstFileNames->count(); ++i)
            texts.append(dialog.lstFileNames->item(i)->text());
        return texts;
    }
    static Rows selectedRows(const frmAttachments& dialog)
    {
        Rows rows;
        for (int i = 0; i < dialog.lstFileNames->count(); ++i)
            if (dialog.lstFileNames->item(i)->isSelected())
                rows.append(i);
        return rows;
    }
    static void select(frmAttachments& dialog, const Rows& rows)
    {
        QListWidget* list = dialog.lstFileNames;
        list->clearSelection();
        for (int row : rows) {
            list->setCurrentRow(row, QItemSelectionModel::NoUpdate);
            list->item(row)->setSelected(true);
        }
    }
    // Names under the files folder, for tables that use short names.
    QStringList paths(const QStringList& names)
    {
        QStringList result;
        for (const QString& name : names)
            result.append(environment->root() + QStringLiteral("/files/") + name);
        return result;
    }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        script = std::make_shared<FileDialogScript>();
        ComponentFactory::install(std::make_unique<ScriptedFileDialogFactory>(script));
        MessageBox::clearShown();
        attachments.clear();
    }
    void cleanup()
    {
        ComponentFactory::install(nullptr);
        environment.reset();
    }

    void controls()
    {
        frmAttachments dialog(attachments, nullptr);
        QCOMPARE(dialog.objectName(), QStringLiteral("frmAttachments"));
        QCOMPARE(dialog.lstFileNames->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(!dialog.lstFileNames->isSortingEnabled());
        QCOMPARE(dialog.cmdAdd->toolTip(), QStringLiteral(" Add attachments (Ins) "));
        QCOMPARE(dialog.cmdRemove->toolTip(), QStringLiteral(" Remove selected attachments (Del) "));
        QCOMPARE(dialog.cmdCancel->text(), QStringLiteral("Отмена"));
        QVERIFY(dialog.cmdOk->isDefault());
        QVERIFY(!(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QCOMPARE(QApplication::focusWidget(), dialog.lstFileNames);
        for (QWidget* next : {static_cast<QWidget*>(dialog.cmdAdd), static_cast<QWidget*>(dialog.cmdRemove),
                              static_cast<QWidget*>(dialog.cmdOk), static_cast<QWidget*>(dialog.cmdCancel),
                              static_cast<QWidget*>(dialog.lstFileNames)}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
    }

    void opening_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Rows>("selected");
        QTest::addColumn<int>("current");
        QTest::newRow("empty") << 0 << "Attachments :: 0" << Rows{} << -1;
        QTest::newRow("three") << 3 << "Attachments :: 3" << Rows{0} << 0;
    }
    void opening()
    {
        QFETCH(int, count);
        QFETCH(QString, title);
        QFETCH(Rows, selected);
        QFETCH(int, current);
        // Given out of order, so the list shows it is not sorted.
        const QStringList all{file("c.bin", 1000), file("a.bin", 200), file("b.bin", 30)};
        attachments = all.mid(0, count);

        frmAttachments dialog(attachments, nullptr);
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(entries(dialog), attachments);
        QCOMPARE(selectedRows(dialog), selected);
        QCOMPARE(dialog.lstFileNames->currentRow(), current);
        QCOMPARE(dialog.lblSize->text(), "Total size: " + ksFormatByteSizeEx(count ? 1230 : 0));
    }

    void totalSizeJustBelowAUnit()
    {
        attachments = {file("a.bin", 1048575 - 1), file("b.bin", 1)};
        frmAttachments dialog(attachments, nullptr);
        QCOMPARE(dialog.lblSize->text(), QStringLiteral("Total size: 1.00 MB"));
    }

    void adding_data()
    {
        QTest::addColumn<QStringList>("chosen");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("listed path") << QStringList{"a"} << QStringList{"a", "b"};
        QTest::newRow("differs only in case") << QStringList{"B"} << QStringList{"a", "b"};
        QTest::newRow("four new, order kept")
            << QStringList{"f", "c", "e", "d"} << QStringList{"a", "b", "f", "c", "e", "d"};
        QTest::newRow("repeated within one choice")
            << QStringList{"c", "a", "C", "c"} << QStringList{"a", "b", "c"};
    }
    void adding()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, expected);
        attachments = paths({"a", "b"});
        script->answers.append(paths(chosen));

        frmAttachments dialog(attachments, nullptr);
        dialog.cmdAdd->click();
        QCOMPARE(entries(dialog), paths(expected));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Attachments :: %1").arg(expected.size()));
        QCOMPARE(selectedRows(dialog), Rows{0});
        QCOMPARE(dialog.lstFileNames->currentRow(), 0);
        QCOMPARE(attachments, paths({"a", "b"}));

        QCOMPARE(script->filter, QStringLiteral("All files|*.*"));
        QCOMPARE(script->flags, 0);
        QCOMPARE(script->owner, &dialog);
        QVERIFY(script->multiSelect);
    }

    void addingRefreshesTheSize()
    {
        frmAttachments dialog(attachments, nullptr);
        script->answers.append(QStringList{file("x", 300), file("y", 400)});
        dialog.cmdAdd->click();
        QCOMPARE(dialog.lblSize->text(), "Total size: " + ksFormatByteSizeEx(700));
    }

    void rememberedFolder()
    {
        const QStringList listed = files({"one/a"});
        attachments = listed;
        frmAttachments dialog(attachments, nullptr);

        // The first chosen file's folder is remembered even though that file is listed already.
        script->answers.append(QStringList{listed.first(), file("two/b")});
        dialog.cmdAdd->click();
        const QString one = environment->root() + QStringLiteral("/files/one");
        QCOMPARE(storedFolder(), one);

        script->answers.append(std::nullopt);
        dialog.cmdAdd->click();
        QCOMPARE(storedFolder(), one);
        QCOMPARE(dialog.lstFileNames->count(), 2);

        script->answers.append(std::nullopt);
        dialog.cmdAdd->click();
        QCOMPARE(script->initialFolders, (QStringList{QString(), one, one}));
    }

    void cancelledFirstAddWritesNothing()
    {
        frmAttachments dialog(attachments, nullptr);
        script->answers.append(std::nullopt);
        dialog.cmdAdd->click();
        QCOMPARE(storedFolder(), QStringLiteral("<unset>"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Attachments :: 0"));
    }

    void removing_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<Rows>("selected");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<Rows>("selectedAfter");

        const QStringList abcde{"a", "b", "c", "d", "e"};
        QTest::newRow("b and d") << abcde << Rows{1, 3} << int(MessageBox::AnswerOk) << true
                                 << QStringList{"a", "c", "e"} << Rows{2};
        QTest::newRow("the last one") << QStringList{"a", "b", "c"} << Rows{2} << int(MessageBox::AnswerOk)
                                      << true << QStringList{"a", "b"} << Rows{1};
        QTest::newRow("the first one") << QStringList{"a", "b", "c"} << Rows{0} << int(MessageBox::AnswerOk)
                                       << true << QStringList{"b", "c"} << Rows{0};
        QTest::newRow("a run up to the end") << abcde << Rows{1, 3, 4} << int(MessageBox::AnswerOk) << true
                                             << QStringList{"a", "c"} << Rows{1};
        QTest::newRow("all") << abcde << Rows{0, 1, 2, 3, 4} << int(MessageBox::AnswerOk) << true
                             << QStringList{} << Rows{};
        QTest::newRow("cancel") << abcde << Rows{1, 3} << int(MessageBox::AnswerCancel) << true << abcde
                                << Rows{1, 3};
        QTest::newRow("no selection")
            << abcde << Rows{} << int(MessageBox::AnswerOk) << false << abcde << Rows{};
        QTest::newRow("empty list") << QStringList{} << Rows{} << int(MessageBox::AnswerOk) << false
                                    << QStringList{} << Rows{};
    }
    void removing()
    {
        QFETCH(QStringList, names);
        QFETCH(Rows, selected);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QStringList, expected);
        QFETCH(Rows, selectedAfter);
        attachments = paths(names);
        frmAttachments dialog(attachments, nullptr);
        select(dialog, selected);
        const int currentBefore = dialog.lstFileNames->currentRow();

        MessageBox::setNextAnswer(answer);
        dialog.cmdRemove->click();

        QCOMPARE(MessageBox::shown().size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(MessageBox::shown().first().text, QStringLiteral("Remove selected files?"));
            QCOMPARE(MessageBox::shown().first().style, MessageBox::OkCancel | MessageBox::Question);
        }
        QCOMPARE(entries(dialog), paths(expected));
        QCOMPARE(selectedRows(dialog), selectedAfter);
        if (answer == MessageBox::AnswerOk && asked)
            QCOMPARE(dialog.lstFileNames->currentRow(), selectedAfter.isEmpty() ? -1 : selectedAfter.first());
        else
            QCOMPARE(dialog.lstFileNames->currentRow(), currentBefore);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Attachments :: %1").arg(expected.size()));
    }

    void unreadableSizeIsSkipped()
    {
        attachments = {file("a", 100), environment->root() + QStringLiteral("/gone"), file("b", 23)};
        frmAttachments dialog(attachments, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Attachments :: 3"));
        QCOMPARE(dialog.lblSize->text(), "Total size: " + ksFormatByteSizeEx(123));
    }

    void closing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("stored");
        QTest::newRow("Esc") << "esc" << false;
        QTest::newRow("Cancel") << "cancel" << false;
        QTest::newRow("close box") << "close" << false;
        QTest::newRow("Ok") << "ok" << true;
    }
    void closing()
    {
        QFETCH(QString, how);
        QFETCH(bool, stored);
        const QStringList before = paths({"a", "b", "c"});
        attachments = before;
        frmAttachments dialog(attachments, nullptr);
        dialog.show();
        script->answers.append(paths({"z", "d"}));
        dialog.cmdAdd->click();
        select(dialog, {0});
        dialog.cmdRemove->click();

        if (how == "esc")
            QTest::keyClick(dialog.lstFileNames, Qt::Key_Escape);
        else if (how == "cancel")
            dialog.cmdCancel->click();
        else if (how == "close")
            dialog.close();
        else
            dialog.cmdOk->click();

        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), stored ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(attachments, stored ? paths({"b", "c", "z", "d"}) : before);
    }

    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<Rows>("selectedAfter");
        QTest::addColumn<int>("boxes");

        const QStringList abc{"a", "b", "c"};
        const int ctrl = Qt::ControlModifier;
        const int shift = Qt::ShiftModifier;
        QTest::newRow("Ctrl+A") << int(Qt::Key_A) << ctrl << abc << Rows{0, 1, 2} << 0;
        QTest::newRow("Ctrl+Shift+A") << int(Qt::Key_A) << (ctrl | shift) << abc << Rows{1} << 0;
        QTest::newRow("Shift+Delete") << int(Qt::Key_Delete) << shift << abc << Rows{1} << 0;
        QTest::newRow("Shift+Insert") << int(Qt::Key_Insert) << shift << abc << Rows{1} << 0;
        QTest::newRow("Ctrl+Delete") << int(Qt::Key_Delete) << ctrl << abc << Rows{1} << 0;
        QTest::newRow("Ctrl+Insert") << int(Qt::Key_Insert) << ctrl << abc << Rows{1} << 0;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << QStringList{"a", "c"} << Rows{1} << 1;
        QTest::newRow("Insert") << int(Qt::Key_Insert) << 0 << QStringList{"a", "b", "c", "d"} << Rows{1}
                                << 0;
        QTest::newRow("Shift+F1") << int(Qt::Key_F1) << shift << abc << Rows{1} << 1;
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << abc << Rows{1} << 0;
    }
    void keys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QStringList, expected);
        QFETCH(Rows, selectedAfter);
        QFETCH(int, boxes);
        attachments = paths({"a", "b", "c"});
        script->answers.append(paths({"d"}));
        frmAttachments dialog(attachments, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        select(dialog, {1});

        QTest::keyClick(dialog.lstFileNames, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

        QCOMPARE(entries(dialog), paths(expected));
        QCOMPARE(selectedRows(dialog), selectedAfter);
        QCOMPARE(MessageBox::shown().size(), boxes);
        QCOMPARE(script->runs, key == Qt::Key_Insert && modifiers == 0 ? 1 : 0);
        QVERIFY(dialog.isVisible());
        if (key == Qt::Key_F1 && boxes)
            QVERIFY(MessageBox::shown().first().text.contains(QStringLiteral("Велара")));
    }

    void keysReachTheFormFromAButton()
    {
        attachments = paths({"a", "b"});
        frmAttachments dialog(attachments, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.cmdOk->setFocus();
        QTest::keyClick(dialog.cmdOk, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(selectedRows(dialog), (Rows{0, 1}));
    }

    void dropping()
    {
        const QStringList listed = files({"a"});
        attachments = listed;
        frmAttachments dialog(attachments, nullptr);
        const QString added = file("new", 50);
        QDir().mkpath(environment->root() + QStringLiteral("/files/folder"));

        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(listed.first()), QUrl::fromLocalFile(added),
                      QUrl::fromLocalFile(environment->root() + QStringLiteral("/files/folder")),
                      QUrl(QStringLiteral("https://example.org/remote.txt")), QUrl::fromLocalFile(added)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.lstFileNames->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.lstFileNames->viewport(), &drop);
        QVERIFY(drop.isAccepted());

        QCOMPARE(entries(dialog), (QStringList{listed.first(), added}));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Attachments :: 2"));
        QCOMPARE(dialog.lblSize->text(), "Total size: " + ksFormatByteSizeEx(51));
        QCOMPARE(storedFolder(), QStringLiteral("<unset>"));
    }

    void droppingOnlyFoldersAndRemoteFilesIsRefused()
    {
        frmAttachments dialog(attachments, nullptr);
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(environment->root()), QUrl(QStringLiteral("https://example.org/x"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.lstFileNames->viewport(), &enter);
        QVERIFY(!enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(dialog.lstFileNames->viewport(), &drop);
        QCOMPARE(dialog.lstFileNames->count(), 0);
    }
};

VELLUM_TEST_MAIN(TestAttachmentsDialog)
#include "TestAttachmentsDialog.moc"
