#include "ComposerFixture.h"
#include "platform/ApplicationIdentity.h"
#include "platform/HistoryPopup.h"
#include "platform/storage/FileHistoryList.h"
#include "send/frmSubject.h"

#include <QAbstractItemView>
#include <QCompleter>

namespace
{

// Stores the entries, newest first, as an earlier run would have left them.
void storeHistory(const QString& fileName, const QStringList& entries)
{
    FileHistoryList list;
    list.open(fileName, ApplicationIdentity::current());
    for (qsizetype i = entries.size() - 1; i >= 0; --i)
        list.add(entries.at(i));
    list.save();
}

QStringList offered(const QCompleter* completer)
{
    QStringList texts;
    const QAbstractItemModel* model = completer->popup()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

// Types into the box until its completion list is open.
QAbstractItemView* openList(QLineEdit* box, const QString& typed)
{
    box->setFocus(Qt::TabFocusReason);
    box->clear();
    QTest::keyClicks(box, typed);
    QAbstractItemView* list = box->completer()->popup();
    if (!QTest::qWaitFor([list] { return list->isVisible(); }))
        return nullptr;
    return list;
}

} // namespace

class TestCompletion : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        storeHistory(
            QStringLiteral("To History.DAT"),
            {"carol@example.org", "Carl Jung <cj@psy.ch>, ann@x.org", "not an address", "CAROL@example.org"});
        storeHistory(QStringLiteral("Subject History.DAT"), {"Q&A session", "Budget, draft", "quarterly"});
    }
    void cleanup() { environment.reset(); }

    void typingOffersAndChoosingCompletes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("offers");
        QTest::addColumn<int>("choice"); // -1: Esc
        QTest::addColumn<QString>("result");

        QTest::newRow("second address") << "txtTo"
                                        << "ann@x.org, "
                                        << "car" << QStringList{"carol@example.org", "Carl Jung <cj@psy.ch>"}
                                        << 0 << "ann@x.org, carol@example.org";
        QTest::newRow("after a semicolon") << "txtTo"
                                           << "bob@y.org;"
                                           << "c" << QStringList{"carol@example.org", "Carl Jung <cj@psy.ch>"}
                                           << 1 << "bob@y.org;Carl Jung <cj@psy.ch>";
        QTest::newRow("display name, any case")
            << "txtTo"
            << ""
            << "CARL" << QStringList{"Carl Jung <cj@psy.ch>"} << 0 << "Carl Jung <cj@psy.ch>";
        QTest::newRow("address of a named entry")
            << "txtTo"
            << ""
            << "cj@" << QStringList{"Carl Jung <cj@psy.ch>"} << 0 << "Carl Jung <cj@psy.ch>";
        QTest::newRow("an address from a list of two")
            << "txtTo"
            << ""
            << "an" << QStringList{"ann@x.org"} << 0 << "ann@x.org";
        QTest::newRow("Esc keeps what was typed")
            << "txtTo"
            << ""
            << "caro" << QStringList{"carol@example.org"} << -1 << "caro";
        QTest::newRow("middle of an address") << "txtTo"
                                              << ""
                                              << "example" << QStringList{} << -1 << "example";
        QTest::newRow("subject, whole text")
            << "txtSubject"
            << ""
            << "q" << QStringList{"Q&A session", "quarterly"} << 0 << "Q&A session";
        QTest::newRow("subject with a comma")
            << "txtSubject"
            << ""
            << "budget, d" << QStringList{"Budget, draft"} << 0 << "Budget, draft";
    }
    void typingOffersAndChoosingCompletes()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        QFETCH(QStringList, offers);
        QFETCH(int, choice);
        QFETCH(QString, result);

        ComposerFixture composer;
        // Enter is the send key: choosing with it must not send.
        composer.button("cmdSendHotkeyOption")->click();
        QCOMPARE(composer.button("cmdSendHotkeyOption")->text(), QStringLiteral("Enter"));
        QLineEdit* edit = composer.control<QLineEdit>(box.toLatin1().constData());
        edit->setFocus(Qt::TabFocusReason);
        edit->setText(before);
        edit->end(false);

        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), before + typed);
        QCompleter* completer = edit->completer();
        QVERIFY(completer);
        QCOMPARE(offered(completer), offers);
        QCOMPARE(completer->popup()->isVisible(), !offers.isEmpty());

        if (!offers.isEmpty()) {
            QAbstractItemView* popup = completer->popup();
            if (choice < 0) {
                QTest::keyClick(popup, Qt::Key_Escape);
            } else {
                for (int i = 0; i <= choice; ++i)
                    QTest::keyClick(popup, Qt::Key_Down);
                QTest::keyClick(popup, Qt::Key_Return);
            }
            QTRY_VERIFY(!popup->isVisible());
        }
        QCOMPARE(edit->text(), result);
        QVERIFY(composer.window->isVisible());
        QCOMPARE(ComposerFixture::sendAttempts(), 0);
        QCOMPARE(QApplication::focusWidget(), edit);

        // Typing goes on at the end: the completed text is not selected.
        QVERIFY(!edit->hasSelectedText());
        QTest::keyClicks(edit, QStringLiteral(";"));
        QCOMPARE(edit->text(), result + QLatin1Char(';'));
    }

    // The window's keys act once with the list open, as with it closed; the
    // list closes first and the send takes the text as it stands.
    void windowKeysActWithTheListOpen_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("option"); // clicks on the send-key button
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("moves"); // Down presses before the key
        QTest::addColumn<int>("sends");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("text");

        for (const char* box : {"txtTo", "txtSubject"}) {
            const QString typed = QString::fromLatin1(box) == QLatin1String("txtTo") ? "car" : "q";
            const QString first = typed == QLatin1String("car") ? "carol@example.org" : "Q&A session";
            QTest::addRow("%s: F5", box) << box << 2 << int(Qt::Key_F5) << 0 << 1 << box << typed;
            QTest::addRow("%s: F12", box) << box << 3 << int(Qt::Key_F12) << 0 << 1 << box << typed;
            QTest::addRow("%s: Enter", box) << box << 1 << int(Qt::Key_Return) << 0 << 1 << box << typed;
            QTest::addRow("%s: F5 on a chosen entry", box)
                << box << 2 << int(Qt::Key_F5) << 1 << 1 << box << first;
            QTest::addRow("%s: Enter picks a chosen entry", box)
                << box << 1 << int(Qt::Key_Return) << 1 << 0 << box << first;
            QTest::addRow("%s: F5 under option F12", box)
                << box << 3 << int(Qt::Key_F5) << 0 << 0 << box << typed;
        }
        QTest::newRow("txtTo: F2") << "txtTo" << 0 << int(Qt::Key_F2) << 0 << 0 << "txtSubject"
                                   << "car";
        QTest::newRow("txtSubject: F2") << "txtSubject" << 0 << int(Qt::Key_F2) << 0 << 0 << "txtMessage"
                                        << "q";
    }
    void windowKeysActWithTheListOpen()
    {
        QFETCH(QString, box);
        QFETCH(int, option);
        QFETCH(int, key);
        QFETCH(int, moves);
        QFETCH(int, sends);
        QFETCH(QString, focus);
        QFETCH(QString, text);

        ComposerFixture composer;
        for (int i = 0; i < option; ++i)
            composer.button("cmdSendHotkeyOption")->click();
        QLineEdit* edit = composer.control<QLineEdit>(box.toLatin1().constData());
        QAbstractItemView* list = openList(edit, box == QLatin1String("txtTo") ? "car" : "q");
        QVERIFY(list);
        for (int i = 0; i < moves; ++i)
            QTest::keyClick(list, Qt::Key_Down);

        QTest::keyClick(list, Qt::Key(key));
        QTRY_COMPARE(ComposerFixture::sendAttempts(), sends);
        QVERIFY(!list->isVisible());
        QCOMPARE(edit->text(), text);
        QCOMPARE(composer.window->focusWidget(), composer.control(focus.toLatin1().constData()));
        QVERIFY(composer.window->isVisible());
        // Once: nothing is left over to act a second time.
        QTest::qWait(50);
        QCOMPARE(ComposerFixture::sendAttempts(), sends);
    }

    void escClosesTheListFirst_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("recipient") << "txtTo";
        QTest::newRow("subject") << "txtSubject";
    }
    void escClosesTheListFirst()
    {
        QFETCH(QString, box);
        ComposerFixture composer;
        QLineEdit* edit = composer.control<QLineEdit>(box.toLatin1().constData());
        QAbstractItemView* list = openList(edit, box == QLatin1String("txtTo") ? "car" : "q");
        QVERIFY(list);
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!list->isVisible());
        QVERIFY(composer.window->isVisible());
        QTest::keyClick(edit, Qt::Key_Escape);
        QTRY_VERIFY(!composer.window->isVisible());
    }

    void promptKeysWithTheListOpen_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("moves");
        QTest::addColumn<bool>("shown"); // after the key
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("text");
        QTest::newRow("Enter presses Ok") << int(Qt::Key_Return) << 0 << false << true << "q";
        QTest::newRow("Enter picks a chosen entry")
            << int(Qt::Key_Return) << 1 << true << false << "Q&A session";
        QTest::newRow("Esc closes the list only") << int(Qt::Key_Escape) << 0 << true << false << "q";
    }
    void promptKeysWithTheListOpen()
    {
        QFETCH(int, key);
        QFETCH(int, moves);
        QFETCH(bool, shown);
        QFETCH(bool, ok);
        QFETCH(QString, text);

        frmSubject prompt;
        prompt.show();
        QVERIFY(QTest::qWaitForWindowActive(&prompt));
        QAbstractItemView* list = openList(prompt.txtSubject, QStringLiteral("q"));
        QVERIFY(list);
        for (int i = 0; i < moves; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key(key));
        QVERIFY(!list->isVisible());
        QCOMPARE(prompt.isVisible(), shown);
        QCOMPARE(prompt.Ok, ok);
        QCOMPARE(prompt.txtSubject->text(), text);
        if (shown) {
            // The next key is the prompt's own again.
            QTest::keyClick(prompt.txtSubject, Qt::Key(key));
            QVERIFY(!prompt.isVisible());
            QCOMPARE(prompt.Ok, key == Qt::Key_Return);
        }
    }

    // The history must outlive the pick that shows it.
    void closeWhileTheHistoryListIsShown()
    {
        HistoryPopup::setScripted(false);
        ComposerFixture composer;
        bool refused = false;
        QTimer::singleShot(0, composer.window, [&] {
            QVERIFY(QApplication::activePopupWidget());
            refused = !composer.window->close();
        });
        composer.button("cmdToHistory")->click();
        QVERIFY(refused);
        QVERIFY(!QApplication::activePopupWidget());
        QTRY_VERIFY(!composer.window->isVisible());
        HistoryPopup::setScripted(true);
    }

    void listClosesOnTheOneEntryTyped_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("open");
        QTest::newRow("recipient typed whole") << "txtTo"
                                               << "carol@example.org" << false;
        QTest::newRow("subject typed whole") << "txtSubject"
                                             << "quarterly" << false;
        QTest::newRow("other letter case still offers") << "txtSubject"
                                                        << "Quarterly" << true;
        QTest::newRow("one entry of two typed") << "txtTo"
                                                << "ann@x.org, Carl Jung <cj@psy.ch>" << false;
    }
    void listClosesOnTheOneEntryTyped()
    {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(bool, open);
        ComposerFixture composer;
        QLineEdit* edit = composer.control<QLineEdit>(box.toLatin1().constData());
        edit->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(edit, typed.chopped(1));
        QTRY_VERIFY(edit->completer()->popup()->isVisible());
        QTest::keyClicks(edit, typed.right(1));
        QCOMPARE(edit->text(), typed);
        QTRY_COMPARE(edit->completer()->popup()->isVisible(), open);
    }
};

VELLUM_TEST_MAIN(TestCompletion)
#include "TestCompletion.moc"
