// Spell checking's cost in a 1 MB body: a key press at its end, and the
// longest time the window does not answer while 1 MB is pasted and checked,
// beside the same with spell checking switched off, in one run.
#include "TestEnvironment.h"
#include "composer/frmMain.h"
#include "widgets/SpellChecking.h"
#include "widgets/SpellHighlighter.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSettings>
#include <QTimer>
#include <cstdio>

namespace
{

constexpr int BodyBytes = 1 << 20;
constexpr int KeyPresses = 300;

// Mostly common words, one in four made up, so that the dictionary sees
// thousands of words it has never met, as in real mail full of names.
QString makeBody()
{
    const QStringList common =
        QStringLiteral("the of and to in is was that for it with as his on be at by had are but "
                       "from or have an they which one you were her all she there would their we "
                       "him been has when who will more no if out so said what up its about into "
                       "than them can only other new some could time these two may then do first "
                       "any my now such like our over man me even most made after also did many "
                       "before must through back years where much your way well down should")
            .split(QLatin1Char(' '));
    const QStringList syllables = QStringLiteral("ka lo mi nu re sa ti vo bre dan fel gor hul jin kor lum "
                                                 "mer nor pal quin rus sel tor ven wal")
                                      .split(QLatin1Char(' '));
    QRandomGenerator random(25);
    QString body;
    body.reserve(BodyBytes + 100);
    int lineLength = 0;
    while (body.size() < BodyBytes) {
        QString word;
        if (random.bounded(4) == 0) {
            for (int i = 0, count = 2 + random.bounded(3); i < count; ++i)
                word += syllables.at(random.bounded(syllables.size()));
        } else {
            word = common.at(random.bounded(common.size()));
        }
        body += word;
        lineLength += word.size() + 1;
        if (lineLength > 70) {
            body += random.bounded(6) == 0 ? QStringLiteral("\n\n") : QStringLiteral("\n");
            lineLength = 0;
        } else {
            body += QLatin1Char(' ');
        }
    }
    return body;
}

struct Figures {
    double keyPressMs = 0;
    qint64 longestFreezeMs = 0;
    qint64 pasteCheckedMs = 0;
};

bool isChecked(QPlainTextEdit* body)
{
    const SpellChecking* spelling = body->findChild<SpellChecking*>();
    return spelling->isReady() && !spelling->highlighter()->isPending();
}

// Runs the event loop until done() holds, noting the longest stretch in
// which the loop did not come round.
qint64 longestStretchUntil(const std::function<bool()>& done)
{
    QElapsedTimer sinceLast;
    sinceLast.start();
    qint64 longest = 0;
    QTimer heartbeat;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] { longest = std::max(longest, sinceLast.restart()); });
    heartbeat.start(0);
    while (!done())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // Painting after the last step counts too.
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents();
    return std::max(longest, sinceLast.elapsed());
}

Figures measure(const TestEnvironment& environment, const QString& text, bool checking)
{
    QSettings(environment.settingsFile(), QSettings::IniFormat)
        .setValue(QStringLiteral("Spelling/Check spelling"), checking);
    Figures figures;
    frmMain window;
    window.show();
    QPlainTextEdit* body = window.findChild<QPlainTextEdit*>(QStringLiteral("txtMessage"));
    body->setPlainText(text);
    longestStretchUntil([body] { return isChecked(body); });

    body->setFocus();
    body->moveCursor(QTextCursor::End);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < KeyPresses; ++i) {
        const char key = i % 6 == 5 ? ' ' : char('a' + i % 26);
        QTest::keyClick(body, key);
        QCoreApplication::processEvents();
    }
    figures.keyPressMs = double(timer.nsecsElapsed()) / 1e6 / KeyPresses;

    body->clear();
    longestStretchUntil([body] { return isChecked(body); });
    QApplication::clipboard()->setText(text);
    timer.restart();
    QElapsedTimer paste;
    paste.start();
    QTest::keyClick(body, Qt::Key_V, Qt::ControlModifier);
    const qint64 pasteMs = paste.elapsed();
    figures.longestFreezeMs = std::max(pasteMs, longestStretchUntil([body] { return isChecked(body); }));
    figures.pasteCheckedMs = timer.elapsed();
    if (body->toPlainText().size() != text.size())
        qFatal("the paste did not arrive whole");
    return figures;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application application(argc, argv);
    application.setQuitOnLastWindowClosed(false);
    TestEnvironment environment;
    const QString text = makeBody();

    const Figures off = measure(environment, text, false);
    const Figures on = measure(environment, text, true);
    std::printf("1 MB body, %d key presses at its end, spell checking off / on\n", KeyPresses);
    std::printf("  per key press:            %7.2f ms / %7.2f ms  (+%.2f ms, x%.2f)\n", off.keyPressMs,
                on.keyPressMs, on.keyPressMs - off.keyPressMs, on.keyPressMs / off.keyPressMs);
    std::printf("  longest freeze, 1 MB paste: %5lld ms / %7lld ms  (x%.2f)\n",
                static_cast<long long>(off.longestFreezeMs), static_cast<long long>(on.longestFreezeMs),
                double(on.longestFreezeMs) / double(std::max<qint64>(off.longestFreezeMs, 1)));
    std::printf("  paste until all checked:  %5lld ms / %7lld ms\n",
                static_cast<long long>(off.pasteCheckedMs), static_cast<long long>(on.pasteCheckedMs));
    return 0;
}
