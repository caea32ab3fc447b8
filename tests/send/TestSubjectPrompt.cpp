#include "TestEnvironment.h"
#include "platform/ComponentFactory.h"
#include "platform/ErrorReporter.h"
#include "platform/HistoryPopup.h"
#include "platform/RuntimeError.h"
#include "platform/TextFileWriter.h"
#include "platform/UiServices.h"
#include "platform/storage/FileHistoryList.h"
#include "send/frmSubject.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace
{

enum class Failure { None, Create, Open, Load };

class FailingHistoryList : public FileHistoryList
{
public:
    explicit FailingHistoryList(Failure failure) : failure(failure) {}
    void open(const QString& fileName, const ApplicationIdentity& identity) override
    {
        if (failure == Failure::Open)
            throw RuntimeError(RuntimeError::ComponentFailure, QStringLiteral("open failed"));
        FileHistoryList::open(fileName, identity);
    }
    void load() override
    {
        if (failure == Failure::Load)
            throw RuntimeError(RuntimeError::FileAccess, QStringLiteral("load failed"));
        FileHistoryList::load();
    }

private:
    Failure failure;
};

class FailingFactory : public ComponentFactory
{
public:
    explicit FailingFactory(Failure failure) : failure(failure) {}
    std::unique_ptr<HistoryList> createHistoryList() override
    {
        if (failure == Failure::Create)
            throw RuntimeError(RuntimeError::ComponentFailure, QStringLiteral("cannot create"));
        return std::make_unique<FailingHistoryList>(failure);
    }

private:
    Failure failure;
};

// How the user leaves the prompt.
enum class Leave { ClickOk, EnterInBox, ClickCancel, Escape, CloseRequest };

void leave(frmSubject& prompt, Leave how)
{
    switch (how) {
    case Leave::ClickOk:
        QTest::mouseClick(prompt.cmdOk, Qt::LeftButton);
        break;
    case Leave::EnterInBox:
        QTest::keyClick(prompt.txtSubject, Qt::Key_Return);
        break;
    case Leave::ClickCancel:
        QTest::mouseClick(prompt.cmdCancel, Qt::LeftButton);
        break;
    case Leave::Escape:
        QTest::keyClick(prompt.txtSubject, Qt::Key_Escape);
        break;
    case Leave::CloseRequest:
        // The close box, Alt+F4 or the session ending all arrive as a close request.
        QVERIFY(!prompt.close());
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Leave)
Q_DECLARE_METATYPE(Failure)

class TestSubjectPrompt : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

    void writeHistory(const QByteArray& content)
    {
        QFile file(environment->dataFolder() + QStringLiteral("/Subject History.DAT"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    void addAnswers()
    {
        QTest::addColumn<Leave>("how");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK, empty box") << Leave::ClickOk << QString() << true;
        QTest::newRow("OK, blank box") << Leave::ClickOk << QStringLiteral("   ") << true;
        QTest::newRow("Enter in the box") << Leave::EnterInBox << QStringLiteral("Отчёт за май") << true;
        QTest::newRow("Cancel") << Leave::ClickCancel << QStringLiteral("typed") << false;
        QTest::newRow("Esc") << Leave::Escape << QStringLiteral("typed") << false;
        QTest::newRow("close request") << Leave::CloseRequest << QStringLiteral("typed") << false;
    }

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void looksAsDesigned()
    {
        frmSubject prompt;
        QCOMPARE(prompt.windowTitle(), QStringLiteral("Subject is missing (you still can leave it blank)"));
        QCOMPARE(prompt.size(), QSize(309, 73));
        QCOMPARE(prompt.minimumSize(), prompt.maximumSize());
        QVERIFY(prompt.windowFlags().testFlag(Qt::Tool));
        QVERIFY(!prompt.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!prompt.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        QCOMPARE(prompt.cmdOk->text(), QStringLiteral("Ok"));
        QCOMPARE(prompt.cmdCancel->text(), QStringLiteral("Отмена"));
        QCOMPARE(prompt.cmdSubjectHistory->toolTip(), QStringLiteral(" History "));
        QVERIFY(prompt.cmdOk->isDefault());
        QCOMPARE(prompt.txtSubject->geometry(), QRect(8, 8, 265, 25));
        QCOMPARE(prompt.findChild<QLineEdit*>(QStringLiteral("txtSubject")), prompt.txtSubject);
        QCOMPARE(prompt.txtSubject->nextInFocusChain(), prompt.cmdSubjectHistory);
        QCOMPARE(prompt.cmdSubjectHistory->nextInFocusChain(), prompt.cmdOk);
        QCOMPARE(prompt.cmdOk->nextInFocusChain(), prompt.cmdCancel);
        QVERIFY(!prompt.Ok);
        QVERIFY(prompt.txtSubject->text().isEmpty());

        prompt.show();
        QVERIFY(QTest::qWaitForWindowExposed(&prompt));
        QCOMPARE(QApplication::focusWidget(), prompt.txtSubject);
    }

    void answers_data() { addAnswers(); }
    void answers()
    {
        QFETCH(Leave, how);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        frmSubject prompt;
        prompt.Ok = !ok; // a stale answer must be replaced
        prompt.show();
        QVERIFY(QTest::qWaitForWindowExposed(&prompt));
        prompt.txtSubject->setText(text);
        leave(prompt, how);
        QCOMPARE(prompt.Ok, ok);
        QVERIFY(prompt.isHidden());
        QCOMPARE(prompt.txtSubject->text(), text);
    }

    // The way the send pipeline uses it: exec() must return once the prompt hides.
    void execReturnsWithTheAnswer_data() { addAnswers(); }
    void execReturnsWithTheAnswer()
    {
        QFETCH(Leave, how);
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QWidget owner;
        owner.show();
        frmSubject prompt(&owner);
        QTimer::singleShot(0, &prompt, [&] {
            prompt.txtSubject->setText(text);
            leave(prompt, how);
        });
        QTimer::singleShot(5000, &prompt, [&] { prompt.Unload(); }); // never hang the run
        prompt.exec();
        QCOMPARE(prompt.Ok, ok);
        QCOMPARE(prompt.txtSubject->text(), text);
        QCOMPARE(LastResort::terminationCount(), 0);
    }

    void secondPromptStartsAfresh()
    {
        {
            frmSubject first;
            first.show();
            first.txtSubject->setText(QStringLiteral("first"));
            QTest::mouseClick(first.cmdOk, Qt::LeftButton);
            QVERIFY(first.Ok);
        }
        frmSubject second;
        QVERIFY(!second.Ok);
        QVERIFY(second.txtSubject->text().isEmpty());
    }

    void unloadByTheProgramIsAllowed()
    {
        frmSubject prompt;
        prompt.show();
        prompt.Unload();
        QVERIFY(prompt.isHidden());
    }

    void focusSelectsTheWholeText()
    {
        frmSubject prompt;
        prompt.show();
        QVERIFY(QTest::qWaitForWindowActive(&prompt));
        prompt.txtSubject->setText(QStringLiteral("a subject"));
        prompt.cmdOk->setFocus();
        prompt.txtSubject->deselect();
        prompt.txtSubject->setFocus(Qt::OtherFocusReason);
        QVERIFY(prompt.txtSubject->hasFocus());
        QCOMPARE(prompt.txtSubject->selectedText(), QStringLiteral("a subject"));
    }

    void pickedSubjectReplacesTheText()
    {
        writeHistory("newest\nolder\n");
        frmSubject prompt;
        prompt.show();
        prompt.txtSubject->setText(QStringLiteral("typed"));
        HistoryPopup::setNextChoice(1);
        QTest::mouseClick(prompt.cmdSubjectHistory, Qt::LeftButton);
        QCOMPARE(HistoryPopup::lastOffered(),
                 QStringList({QStringLiteral("newest"), QStringLiteral("older")}));
        QCOMPARE(prompt.txtSubject->text(), QStringLiteral("older"));
        // The prompt only reads the history; it never writes it back.
        QFile file(environment->dataFolder() + QStringLiteral("/Subject History.DAT"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("newest\nolder\n"));
    }

    void typingOffersTheHistory()
    {
        writeHistory("Quarterly report\nminutes\nquestions\n");
        frmSubject prompt;
        prompt.show();
        QVERIFY(QTest::qWaitForWindowActive(&prompt));
        QTest::keyClicks(prompt.txtSubject, QStringLiteral("qu"));
        QAbstractItemView* popup = prompt.txtSubject->completer()->popup();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->rowCount(), 2);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QTRY_VERIFY(!popup->isVisible());
        QCOMPARE(prompt.txtSubject->text(), QStringLiteral("questions"));
        QVERIFY(!prompt.txtSubject->hasSelectedText());
        QVERIFY(prompt.isVisible());
        QVERIFY(!prompt.Ok);
    }

    void worksWithoutItsHistory_data()
    {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<bool>("directory");
        QTest::newRow("no history file yet") << Failure::None << false;
        QTest::newRow("history path is a folder") << Failure::None << true;
        QTest::newRow("list cannot be created") << Failure::Create << false;
        QTest::newRow("open fails") << Failure::Open << false;
        QTest::newRow("load fails") << Failure::Load << false;
    }
    void worksWithoutItsHistory()
    {
        QFETCH(Failure, failure);
        QFETCH(bool, directory);
        if (directory)
            QVERIFY(QDir(environment->dataFolder()).mkdir(QStringLiteral("Subject History.DAT")));
        else if (failure != Failure::None)
            writeHistory("stored\n");
        if (failure != Failure::None)
            ComponentFactory::install(std::make_unique<FailingFactory>(failure));

        frmSubject prompt;
        prompt.show();
        prompt.txtSubject->setText(QStringLiteral("typed"));
        HistoryPopup::setNextChoice(0);
        QTest::mouseClick(prompt.cmdSubjectHistory, Qt::LeftButton);
        QCOMPARE(prompt.txtSubject->text(), QStringLiteral("typed"));
        QTest::mouseClick(prompt.cmdOk, Qt::LeftButton);
        QVERIFY(prompt.Ok);
        QCOMPARE(LastResort::terminationCount(), 0);
    }
};

VELLUM_TEST_MAIN(TestSubjectPrompt)
#include "TestSubjectPrompt.moc"
