#include "TestEnvironment.h"
#include "app/modMain.h"
#include "platform/MessageBox.h"
#include "platform/StartupSteps.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

class TestStartup : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

    static QList<QWidget*> visibleWindows()
    {
        QList<QWidget*> windows;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                windows.append(widget);
        }
        return windows;
    }

private slots:
    void init()
    {
        environment = std::make_unique<TestEnvironment>();
        QDir(environment->dataHome()).removeRecursively();
        modMain::DataFolder.clear();
    }
    void cleanup()
    {
        for (QWidget* window : visibleWindows())
            delete window;
        environment.reset();
    }

    void createsTheWholeDataFolderAndOpensTheComposer()
    {
        QVERIFY(!QDir(environment->dataHome()).exists());
        modMain::Main();
        QCOMPARE(modMain::DataFolder, environment->dataFolder());
        QVERIFY(QDir(environment->dataFolder()).exists());
        QVERIFY(MessageBox::shown().isEmpty());
        const QList<QWidget*> windows = visibleWindows();
        QCOMPARE(windows.size(), 1);
        QCOMPARE(windows.first()->windowTitle(), QStringLiteral("Vellum"));
        QVERIFY(!QApplication::windowIcon().isNull());
        // The desktop matches the window to the installed entry by this name.
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.tessaline.Vellum"));
    }

    void fileInPlaceOfTheVendorFolderEndsWithoutAWindow()
    {
        QDir().mkpath(environment->dataHome());
        QFile blocker(environment->dataHome() + QStringLiteral("/Tessaline"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        modMain::Main();
        QVERIFY(modMain::DataFolder.isEmpty());
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(MessageBox::shown().size(), 1);
        const MessageBox::Shown& shown = MessageBox::shown().first();
        QCOMPARE(shown.text,
                 environment->dataFolder() + QStringLiteral("\r\n\r\nCan't create or open data folder."));
        QCOMPARE(shown.style, int(MessageBox::Critical));
        QCOMPARE(shown.title, QStringLiteral("Kestrel - Vellum"));
    }

    void fontSetupEndsWhenNeverToldOfTheApplication()
    {
        // Its thread waits for the application object; going out of scope
        // without one must end it, not leave the process waiting at exit.
        {
            FontSetup fonts;
        }
    }
};

VELLUM_TEST_MAIN(TestStartup)
#include "TestStartup.moc"
