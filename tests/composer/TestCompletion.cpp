#include "ComposerFixture.h"
#include "platform/ApplicationIdentity.h"
#include "platform/storage/FileHistoryList.h"

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
};

VELLUM_TEST_MAIN(TestCompletion)
#include "TestCompletion.moc"
