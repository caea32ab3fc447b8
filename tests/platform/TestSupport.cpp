#include "TestEnvironment.h"
#include "platform/Keys.h"
#include "platform/Layout.h"
#include "platform/RuntimeError.h"
#include "platform/Support.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QWidget>

class TestSupport : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void buildFileName_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("joined");
        QTest::newRow("plain") << "/home/u/.local/share"
                               << "Tessaline\\Vellum"
                               << "/home/u/.local/share/Tessaline/Vellum";
        QTest::newRow("trailing separator") << "/data/"
                                            << "Mail 1.EML"
                                            << "/data/Mail 1.EML";
        QTest::newRow("leading separator") << "/data"
                                           << "/x"
                                           << "/data/x";
        QTest::newRow("root") << "/"
                              << "x"
                              << "/x";
    }
    void buildFileName()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, joined);
        QCOMPARE(ksBuildFileName(folder, name), joined);
    }

    void formatting()
    {
        QCOMPARE(ksFormatVersion(1, 2, 18), QStringLiteral("1.02.0018"));
        QCOMPARE(ksHex1(0), QStringLiteral("00"));
        QCOMPARE(ksHex1(0x9c), QStringLiteral("9C"));
        QCOMPARE(ksHex1(255), QStringLiteral("FF"));
        QCOMPARE(ksTrimEx(QStringLiteral(" \t587 ")), QStringLiteral("587"));
        QCOMPARE(ksFormatByteSizeEx(0), QStringLiteral("0 bytes"));
        QCOMPARE(ksFormatByteSizeEx(1), QStringLiteral("1 byte"));
        QCOMPARE(ksFormatByteSizeEx(1023), QStringLiteral("1023 bytes"));
        QCOMPARE(ksFormatByteSizeEx(1536), QStringLiteral("1.50 KB"));
        QCOMPARE(ksFormatByteSizeEx(25.0 * 1024 * 1024), QStringLiteral("25.0 MB"));
        QCOMPARE(ksGetFilePath(QStringLiteral("/home/u/a.txt")), QStringLiteral("/home/u"));
        QCOMPARE(ksGetFilePath(QStringLiteral("/a.txt")), QStringLiteral("/"));
    }

    void byteSizeAtUnitBoundaries_data()
    {
        QTest::addColumn<double>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("last byte count") << 1023.0 << "1023 bytes";
        QTest::newRow("one kilobyte") << 1024.0 << "1.00 KB";
        QTest::newRow("just below ten KB") << 10239.0 << "10.0 KB";
        QTest::newRow("just below a hundred KB") << 102399.0 << "100 KB";
        QTest::newRow("largest whole KB") << 1023.0 * 1024 << "1023 KB";
        QTest::newRow("just below one MB") << 1048575.0 << "1.00 MB";
        QTest::newRow("one MB") << 1048576.0 << "1.00 MB";
        QTest::newRow("just below one GB") << 1073741823.0 << "1.00 GB";
        QTest::newRow("beyond the last unit") << 2048.0 * 1024 * 1024 * 1024 * 1024 * 1024 << "2048 PB";
    }
    void byteSizeAtUnitBoundaries()
    {
        QFETCH(double, bytes);
        QFETCH(QString, text);
        QCOMPARE(ksFormatByteSizeEx(bytes), text);
    }

    void randomStaysWithinBothBounds()
    {
        bool sawLow = false, sawHigh = false;
        for (int i = 0; i < 5000; ++i) {
            const int value = ksGetRnd(0, 3);
            QVERIFY(value >= 0 && value <= 3);
            sawLow |= value == 0;
            sawHigh |= value == 3;
        }
        QVERIFY(sawLow && sawHigh);
    }

    void fileSizeAndFailures()
    {
        const QString path = environment->root() + QStringLiteral("/five.bin");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("12345");
        file.close();
        QCOMPARE(ksGetFileSizeEx(path), 5.0);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ksGetFileSizeEx(path + QStringLiteral(".missing")));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, ksGetSpecialFolder(5));
    }

    void complexDirectory()
    {
        const QString deep = environment->root() + QStringLiteral("/a/b/c");
        QVERIFY(ksCreateComplexDirectory(deep));
        QVERIFY(ksCreateComplexDirectory(deep));
        QFile blocker(environment->root() + QStringLiteral("/file"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        QVERIFY(!ksCreateComplexDirectory(blocker.fileName() + QStringLiteral("/below")));
    }

    void twipsAtNinetySixDpi()
    {
        QCOMPARE(Layout::pixels(15), 1);
        QCOMPARE(Layout::rect(1260, 120, 3975, 375), QRect(84, 8, 265, 25));
    }

    void windowFontIsNinePointRegular()
    {
        const QFont font = Layout::windowFont();
        QCOMPARE(font.pointSize(), 9);
        QCOMPARE(font.weight(), QFont::Normal);
        QCOMPARE(font.style(), QFont::StyleNormal);
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma")))
            QSKIP("Tahoma is installed: the window uses it");
        QCOMPARE(font.family(), QGuiApplication::font().family());
        // Where the application's font already is 9 pt regular, the window's is that very
        // font, so the two share one engine.
        QFont application = QGuiApplication::font();
        if (application.pointSize() == 9 && application.weight() == QFont::Normal &&
            application.style() == QFont::StyleNormal && application.styleName().isEmpty())
            QCOMPARE(font, application);
    }

    void keyMapping_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("shift");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier) << 13 << 0;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 13 << 0;
        QTest::newRow("Ctrl+Shift+A")
            << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::ShiftModifier) << 65 << 3;
        QTest::newRow("Alt+F12") << int(Qt::Key_F12) << int(Qt::AltModifier) << 123 << 4;
        QTest::newRow("Shift+F1") << int(Qt::Key_F1) << int(Qt::ShiftModifier) << 112 << 1;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << 46 << 0;
    }
    void keyMapping()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, code);
        QFETCH(int, shift);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(Keys::virtualKeyCode(&event), code);
        QCOMPARE(Keys::shiftState(&event), shift);
    }

    void iconResourceIsBuiltIn()
    {
        QWidget window;
        ksSetWindowResIconAll(&window, QStringLiteral("A_MAIN"));
        QVERIFY(!window.windowIcon().isNull());
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 ksSetWindowResIconAll(&window, QStringLiteral("NO_SUCH_ICON")));
    }
};

VELLUM_TEST_MAIN(TestSupport)
#include "TestSupport.moc"
