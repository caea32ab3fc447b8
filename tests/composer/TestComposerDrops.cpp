#include "ComposerFixture.h"
#include "TestEnvironment.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

// Drags from the file manager or another program, delivered through the
// window as the desktop delivers them: the widget under the pointer decides.
class TestComposerDrops : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;
    std::unique_ptr<ComposerFixture> composer;

    QString makeFile(const QString& name)
    {
        const QString path = environment->root() + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("content") != 7)
            qFatal("can't write %s", qPrintable(path));
        return path;
    }
    static QMimeData* filesData(const QStringList& paths)
    {
        auto* data = new QMimeData;
        QList<QUrl> urls;
        for (const QString& path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data->setUrls(urls);
        return data;
    }
    // Enters, moves and drops at the centre of the control (no control: the
    // window's empty bottom right corner); true when the window accepted the drop.
    bool dropOn(QWidget* control, QMimeData* data)
    {
        std::unique_ptr<QMimeData> owned(data);
        QWidget* form = composer->window;
        QWindow* window = form->windowHandle();
        const QPoint point = control ? control->mapTo(form, control->rect().center())
                                     : QPoint(form->width() - 2, form->height() - 2);
        QDragEnterEvent enter(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        QDragMoveEvent move(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &move);
        if (!move.isAccepted()) {
            QDragLeaveEvent leave;
            QCoreApplication::sendEvent(window, &leave);
            return false;
        }
        QDropEvent drop(point, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &drop);
        return drop.isAccepted();
    }
    QStringList attachments() const { return composer->window->Attachments; }
    QString caption() const { return composer->button("cmdAttachments")->text(); }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        composer = std::make_unique<ComposerFixture>();
    }
    void cleanup()
    {
        composer.reset();
        environment.reset();
    }

    void filesDroppedAnywhereAreAttached_data()
    {
        QTest::addColumn<QString>("target");
        for (const char* target : {"txtMessage", "txtTo", "txtSubject", "cmdSend", "cmdAttachments",
                                   "cmdToHistory", "lblTag1", "frmMain"})
            QTest::newRow(target) << QString::fromLatin1(target);
    }
    void filesDroppedAnywhereAreAttached()
    {
        QFETCH(QString, target);
        QWidget* control =
            target == QLatin1String("frmMain") ? nullptr : composer->control(qPrintable(target));
        composer->txtTo()->setText(QStringLiteral("a@x.org"));
        composer->txtSubject()->setText(QStringLiteral("Subject"));
        composer->txtMessage()->setPlainText(QStringLiteral("Body"));
        const QString one = makeFile(QStringLiteral("one.txt"));
        const QString two = makeFile(QStringLiteral("two words.pdf"));

        QVERIFY(dropOn(control, filesData({one, two})));
        QCOMPARE(attachments(), QStringList({one, two}));
        QCOMPARE(caption(), QStringLiteral("A! [2]"));
        // Nothing of the drop is pasted as text.
        QCOMPARE(composer->txtTo()->text(), QStringLiteral("a@x.org"));
        QCOMPARE(composer->txtSubject()->text(), QStringLiteral("Subject"));
        QCOMPARE(composer->txtMessage()->toPlainText(), QStringLiteral("Body"));
    }

    void droppedFilesFollowTheAttachmentListsRules()
    {
        const QString one = makeFile(QStringLiteral("one.txt"));
        const QString two = makeFile(QStringLiteral("two.txt"));
        const QString three = makeFile(QStringLiteral("three.txt"));
        QDir().mkpath(environment->root() + QStringLiteral("/folder"));
        composer->window->Attachments = {one};

        // Already listed (in another letter case too), twice in one drop, a
        // folder and a remote place: only the new files, once, in order.
        QVERIFY(dropOn(composer->txtMessage(), [&] {
            auto* data = filesData({two, one.toUpper(), two, environment->root() + "/folder", three});
            QList<QUrl> urls = data->urls();
            urls.append(QUrl(QStringLiteral("https://example.org/file.txt")));
            data->setUrls(urls);
            return data;
        }()));
        QCOMPARE(attachments(), QStringList({one, two, three}));
        QCOMPARE(caption(), QStringLiteral("A! [3]"));
        QVERIFY(composer->txtMessage()->toPlainText().isEmpty());
    }

    void aFolderAloneIsRefusedNotPasted()
    {
        QDir().mkpath(environment->root() + QStringLiteral("/folder"));
        QVERIFY(!dropOn(composer->txtMessage(), filesData({environment->root() + "/folder"})));
        QVERIFY(!dropOn(composer->button("cmdSend"), filesData({environment->root() + "/folder"})));
        QVERIFY(attachments().isEmpty());
        QCOMPARE(caption(), QStringLiteral("A! [0]"));
        QVERIFY(composer->txtMessage()->toPlainText().isEmpty());
    }

    void droppedTextGoesIntoTheBody()
    {
        auto* data = new QMimeData;
        data->setText(QStringLiteral("dropped words"));
        QVERIFY(dropOn(composer->txtMessage(), data));
        QCOMPARE(composer->txtMessage()->toPlainText(), QStringLiteral("dropped words"));

        // A web link is text too: it is pasted, never fetched or attached.
        auto* link = new QMimeData;
        link->setUrls({QUrl(QStringLiteral("https://example.org/page"))});
        link->setText(QStringLiteral(" https://example.org/page"));
        QVERIFY(dropOn(composer->txtMessage(), link));
        QVERIFY(composer->txtMessage()->toPlainText().contains(QLatin1String("https://example.org/page")));
        QVERIFY(attachments().isEmpty());
        QCOMPARE(caption(), QStringLiteral("A! [0]"));

        // Text on a button has nowhere to go.
        auto* onButton = new QMimeData;
        onButton->setText(QStringLiteral("text"));
        QVERIFY(!dropOn(composer->button("cmdSend"), onButton));
    }
};

VELLUM_TEST_MAIN(TestComposerDrops)
#include "TestComposerDrops.moc"
