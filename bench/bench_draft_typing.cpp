// Types into a 1 MB message body for a few seconds, a key every 20 ms, and
// reports the longest gap between two frames of the body: in the composer,
// which keeps the draft on disk meanwhile, beside a bare text box holding
// the same text and typed the same way.
//
// Usage: bench_draft_typing [seconds]   (6 by default)
#include "app/modMain.h"
#include "composer/frmMain.h"
#include "platform/LastResort.h"
#include "platform/storage/DataLocation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <set>

namespace
{

QString megabyteBody()
{
    const QString line =
        QStringLiteral("The quarterly figures are attached; the totals are on the last page.\n");
    QString body;
    while (body.size() < 1024 * 1024)
        body += line;
    return body;
}

struct Typing {
    qint64 longestGapMicroseconds = 0;
    int frames = 0;
    int keys = 0;
};

// Counts the frames the box paints and the gaps between them.
class FrameClock : public QObject
{
public:
    explicit FrameClock(QWidget* viewport) { viewport->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            const qint64 now = clock.nsecsElapsed() / 1000;
            if (frames++ > 0)
                longestGap = std::max(longestGap, now - last);
            last = now;
        }
        return false;
    }
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longestGap = 0;
    int frames = 0;
};

// Types into the box for the given time; each tick is a key press and release.
Typing type(QPlainTextEdit* box, int seconds, const std::function<void()>& afterKey = {})
{
    box->moveCursor(QTextCursor::End);
    FrameClock frames(box->viewport());
    frames.clock.start();
    Typing result;
    QEventLoop loop;
    QTimer keys;
    keys.setTimerType(Qt::PreciseTimer);
    QObject::connect(&keys, &QTimer::timeout, [&] {
        QCoreApplication::postEvent(
            box, new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
        QCoreApplication::postEvent(
            box, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
        ++result.keys;
        if (afterKey)
            afterKey();
        if (frames.clock.elapsed() > seconds * 1000)
            loop.quit();
    });
    keys.start(20);
    loop.exec();
    result.longestGapMicroseconds = frames.longestGap;
    result.frames = frames.frames;
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(root.filePath(QStringLiteral("data"))));
    Application application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 6;
    modMain::DataFolder = dataFolderLocation();
    QDir().mkpath(modMain::DataFolder);
    const QString body = megabyteBody();

    auto* window = new frmMain;
    window->show();
    auto* txtMessage = window->findChild<QPlainTextEdit*>(QStringLiteral("txtMessage"));
    txtMessage->setFocus();

    QPlainTextEdit bare;
    bare.setFont(txtMessage->font());
    bare.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bare.resize(txtMessage->size());
    bare.setPlainText(body);
    bare.show();
    const Typing reference = type(&bare, seconds);
    bare.hide();

    txtMessage->setPlainText(body);
    std::set<qint64> draftVersions;
    const auto noteDraft = [&draftVersions] {
        const QStringList drafts =
            QDir(modMain::DataFolder).entryList({QStringLiteral("Draft *.json")}, QDir::Files);
        if (!drafts.isEmpty())
            draftVersions.insert(QFileInfo(modMain::DataFolder + QLatin1Char('/') + drafts.first())
                                     .lastModified()
                                     .toMSecsSinceEpoch());
    };
    const Typing composer = type(txtMessage, seconds, noteDraft);

    QElapsedTimer snapshot;
    snapshot.start();
    const qsizetype length = txtMessage->toPlainText().size();
    const qint64 snapshotMicroseconds = snapshot.nsecsElapsed() / 1000;

    std::printf("typing into a %.1f MB body for %d s, a key every 20 ms\n", length / 1e6, seconds);
    std::printf(
        "  longest gap between two frames: composer keeping drafts %.1f ms (%d keys, %d frames, "
        "%zu draft writes); bare text box %.1f ms (%d keys, %d frames) (x%.2f)\n",
        composer.longestGapMicroseconds / 1000.0, composer.keys, composer.frames, draftVersions.size(),
        reference.longestGapMicroseconds / 1000.0, reference.keys, reference.frames,
        double(composer.longestGapMicroseconds) / std::max<qint64>(reference.longestGapMicroseconds, 1));
    std::printf("  the draft's copy of the body on the window's thread: %.1f ms\n",
                snapshotMicroseconds / 1000.0);
    window->close();
    delete window;
    return 0;
}
