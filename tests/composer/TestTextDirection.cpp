#include "ComposerFixture.h"
#include "send/frmSubject.h"

#include <QTextBlock>

namespace
{

enum Side { Left, Right };

// Where a paragraph stands: its text hugs the left or the right edge.
Side sideOf(QPlainTextEdit* body, const QTextBlock& block)
{
    QTextCursor cursor(block);
    const int start = body->cursorRect(cursor).center().x();
    cursor.movePosition(QTextCursor::EndOfBlock);
    const int end = body->cursorRect(cursor).center().x();
    const int left = std::min(start, end);
    const int right = body->viewport()->width() - std::max(start, end);
    return left < right ? Left : Right;
}

Side sideOf(QLineEdit* box)
{
    // The box places its text when it paints.
    box->grab();
    box->setCursorPosition(0);
    const int start = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    box->end(false);
    const int end = box->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    return std::min(start, end) < box->width() - std::max(start, end) ? Left : Right;
}

// Types as a keyboard of any script does: QTest's own clicks know ASCII only.
void type(QWidget* control, const QString& text)
{
    for (const QChar character : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(control, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(character));
        QApplication::sendEvent(control, &release);
    }
}

} // namespace

class TestTextDirection : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void eachTextTakesTheDirectionOfItsFirstStrongCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("side");
        QTest::newRow("Hebrew") << QStringLiteral("שלום עולם") << int(Right);
        QTest::newRow("Arabic") << QStringLiteral("مرحبا بالعالم") << int(Right);
        QTest::newRow("Latin") << QStringLiteral("Hello world") << int(Left);
        QTest::newRow("Cyrillic") << QStringLiteral("Привет") << int(Left);
        QTest::newRow("digits before Hebrew") << QStringLiteral("42 שלום") << int(Right);
        QTest::newRow("Latin before Hebrew") << QStringLiteral("Re: שלום") << int(Left);
        QTest::newRow("Hebrew before Latin") << QStringLiteral("שלום Hello") << int(Right);
    }
    void eachTextTakesTheDirectionOfItsFirstStrongCharacter()
    {
        QFETCH(QString, text);
        QFETCH(int, side);
        ComposerFixture composer;
        // The paragraph between two of the other direction keeps its own.
        const QString other = side == Left ? QStringLiteral("שלום") : QStringLiteral("Hello");
        composer.txtMessage()->setPlainText(other + QLatin1Char('\n') + text + QLatin1Char('\n') + other);
        const QTextBlock paragraph = composer.txtMessage()->document()->findBlockByNumber(1);
        QCOMPARE(int(sideOf(composer.txtMessage(), paragraph)), side);
        QCOMPARE(int(sideOf(composer.txtMessage(), paragraph.previous())), 1 - side);

        for (QLineEdit* box : {composer.txtTo(), composer.txtSubject()}) {
            box->setText(text);
            QCOMPARE(int(sideOf(box)), side);
        }
        frmSubject prompt(composer.window);
        prompt.txtSubject->setText(text);
        QCOMPARE(int(sideOf(prompt.txtSubject)), side);
    }

    void typingChangesTheDirectionAsTheFirstCharacterChanges()
    {
        ComposerFixture composer;
        QPlainTextEdit* body = composer.txtMessage();
        body->setFocus();
        QTest::keyClicks(body, QStringLiteral("Hello"));
        QTest::keyClick(body, Qt::Key_Home);
        type(body, QStringLiteral("שלום "));
        QCOMPARE(int(sideOf(body, body->document()->firstBlock())), int(Right));

        composer.txtSubject()->setFocus();
        type(composer.txtSubject(), QStringLiteral("שלום"));
        QCOMPARE(int(sideOf(composer.txtSubject())), int(Right));
        composer.txtSubject()->clear();
        QTest::keyClicks(composer.txtSubject(), QStringLiteral("Hello"));
        QCOMPARE(int(sideOf(composer.txtSubject())), int(Left));
    }

    void theBodyKeepsItsFontAndFeatures()
    {
        ComposerFixture composer;
        QPlainTextEdit* body = composer.txtMessage();
        QCOMPARE(body->document()->defaultFont(), body->font());
        QTest::keyClicks(body, QStringLiteral("abc"));
        body->undo();
        QCOMPARE(body->toPlainText(), QString());
    }
};

VELLUM_TEST_MAIN(TestTextDirection)
#include "TestTextDirection.moc"
