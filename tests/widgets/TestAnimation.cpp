#include "TestEnvironment.h"
#include "widgets/ucAnimation.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScopeGuard>
#include <QSet>
#include <QTimer>

namespace
{

constexpr QRgb Bar = 0xFF00FF00;
constexpr QRgb Light = 0xFF00FE00;
constexpr QRgb Sheet = 0xFFFEFAD0;
const QSet<QRgb> stripColours = {0xFFFFFFFF, 0xFFFEFEFE, Sheet,      0xFF000000,
                                 Bar,        Light,      0xFF818181, 0xFF595959};

const QSize controlPixels(209, 53);

QImage strip()
{
    return QImage(QStringLiteral(":/IDB_ANIMATION"));
}

QImage stripFrame(int frame)
{
    return strip().copy(0, 32 * frame, 32, 32).convertToFormat(QImage::Format_RGB32);
}

QImage shownFrame(ucAnimation& control)
{
    return control.grab().toImage().convertToFormat(QImage::Format_RGB32).copy(15, 10, 32, 32);
}

enum class HostResize { Shrink, Grow, Geometry, LimitsLifted, StretchingLayout };

} // namespace

Q_DECLARE_METATYPE(HostResize)

class TestAnimation : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void stripIsAnIndexedBitmapOfTheListedColours()
    {
        const QImage image = strip();
        QCOMPARE(image.size(), QSize(32, 448));
        QCOMPARE(image.format(), QImage::Format_Indexed8);
        QSet<QRgb> used;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                used.insert(image.pixel(x, y));
        QCOMPARE(used, stripColours);
    }

    void stripFrames_data()
    {
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("barFrom");
        QTest::addColumn<int>("barTo");
        QTest::newRow("frame 0") << 0 << -1 << -1;
        for (int k = 1; k <= 11; ++k)
            QTest::addRow("frame %d", k) << k << 3 * (k - 1) << qMin(3 * (k - 1) + 2, 31);
        QTest::newRow("frame 12") << 12 << -1 << -1;
        QTest::newRow("frame 13") << 13 << -1 << -1;
    }
    void stripFrames()
    {
        QFETCH(int, frame);
        QFETCH(int, barFrom);
        QFETCH(int, barTo);
        const QImage image = stripFrame(frame);
        for (int x = 0; x < 32; ++x) {
            int barPixels = 0;
            for (int y = 0; y < 32; ++y)
                barPixels += image.pixel(x, y) == Bar;
            const bool inBar = x >= barFrom && x <= barTo;
            QVERIFY2(barPixels == (inBar ? 32 : 0), qPrintable(QStringLiteral("column %1").arg(x)));
        }
        // The envelope, its sheet and its light stay in every frame.
        bool sheet = false, light = false;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                sheet |= image.pixel(x, y) == Sheet;
                light |= image.pixel(x, y) == Light;
            }
        QVERIFY(sheet);
        QVERIFY(light);
    }

    void freshControlShowsFrameZeroAndTheText()
    {
        ucAnimation control;
        control.show();
        QVERIFY(!control.Enabled());
        QCOMPARE(control.currentFrame(), 0);
        QCOMPARE(control.frameCounter(), 1);
        QCOMPARE(control.size(), controlPixels);

        const QImage shot = control.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), controlPixels);
        for (int x = 0; x < shot.width(); ++x) {
            QCOMPARE(shot.pixel(x, 0), 0xFF000000u);
            QCOMPARE(shot.pixel(x, shot.height() - 1), 0xFF000000u);
        }
        for (int y = 0; y < shot.height(); ++y) {
            QCOMPARE(shot.pixel(0, y), 0xFF000000u);
            QCOMPARE(shot.pixel(shot.width() - 1, y), 0xFF000000u);
        }
        for (const QPoint p : {QPoint(1, 1), QPoint(5, 45), QPoint(100, 48), QPoint(205, 5), QPoint(62, 15)})
            QCOMPARE(shot.pixel(p), 0xFFFFFFFFu);
        QCOMPARE(shot.copy(15, 10, 32, 32), stripFrame(0));

        QCOMPARE(control.lblTag->text(), QStringLiteral("Sending mail..."));
        const QRect tag = control.lblTag->geometry();
        QCOMPARE(tag.topLeft(), QPoint(60, 14));
        QCOMPARE(tag.height(), 24);
        QVERIFY(tag.width() >= 129);
        QVERIFY(tag.right() < controlPixels.width() - 1);
        QVERIFY(control.lblTag->fontMetrics().horizontalAdvance(control.lblTag->text()) <= tag.width());
        QVERIFY(control.lblTag->font().bold());
        QCOMPARE(control.lblTag->font().pointSizeF(), 15.75);
        int ink = 0;
        const QImage label = shot.copy(control.lblTag->geometry());
        for (int y = 0; y < label.height(); ++y)
            for (int x = 0; x < label.width(); ++x)
                ink += qGray(label.pixel(x, y)) < 128;
        QVERIFY(ink > 50);
    }

    void ticksPaintTheFramesInOrder()
    {
        ucAnimation control;
        for (int tick = 1; tick <= 15; ++tick) {
            control.tmrAnimation_Timer();
            const int expected = tick % 14;
            QCOMPARE(control.currentFrame(), expected);
            QCOMPARE(shownFrame(control), stripFrame(expected));
        }
    }

    void timerAnimatesUntilDisabled()
    {
        ucAnimation control;
        QCOMPARE(control.tmrAnimation->interval(), 50);
        control.SetEnabled(true);
        QVERIFY(control.Enabled());
        QCOMPARE(control.currentFrame(), 0);
        QCOMPARE(control.frameCounter(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(control.currentFrame() >= 3, 3000);

        // Switching on again restarts nothing.
        const int running = control.currentFrame();
        control.SetEnabled(true);
        QCOMPARE(control.currentFrame(), running);
        QTRY_VERIFY_WITH_TIMEOUT(control.currentFrame() != running, 3000);

        control.SetEnabled(false);
        QVERIFY(!control.Enabled());
        QCOMPARE(control.currentFrame(), 0);
        QCOMPARE(shownFrame(control), stripFrame(0));
        QTest::qWait(200);
        QCOMPARE(control.currentFrame(), 0);

        control.SetEnabled(true);
        QCOMPARE(control.currentFrame(), 0);
        QCOMPARE(control.frameCounter(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(control.currentFrame() != 0, 3000);
    }

    void disablingAStoppedControlChangesNothing()
    {
        ucAnimation control;
        control.tmrAnimation_Timer();
        control.tmrAnimation_Timer();
        control.SetEnabled(false);
        QCOMPARE(control.currentFrame(), 2);
        QCOMPARE(shownFrame(control), stripFrame(2));
    }

    void sizeStaysFixed_data()
    {
        QTest::addColumn<HostResize>("how");
        QTest::newRow("shrink") << HostResize::Shrink;
        QTest::newRow("grow") << HostResize::Grow;
        QTest::newRow("geometry") << HostResize::Geometry;
        QTest::newRow("limits lifted") << HostResize::LimitsLifted;
        QTest::newRow("stretching layout") << HostResize::StretchingLayout;
    }
    void sizeStaysFixed()
    {
        QFETCH(HostResize, how);
        QWidget host;
        host.resize(600, 400);
        auto* control = new ucAnimation(&host);
        control->setObjectName(QStringLiteral("ucaSending"));
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        switch (how) {
        case HostResize::Shrink:
            control->resize(1, 1);
            break;
        case HostResize::Grow:
            control->resize(1000, 1000);
            break;
        case HostResize::Geometry:
            control->setGeometry(5, 5, 20, 300);
            break;
        case HostResize::LimitsLifted:
            control->setMinimumSize(0, 0);
            control->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            control->resize(400, 100);
            break;
        case HostResize::StretchingLayout: {
            auto* layout = new QHBoxLayout(&host);
            layout->addWidget(control, 1);
            host.resize(900, 700);
            break;
        }
        }
        QApplication::processEvents();
        QCOMPARE(control->size(), controlPixels);
        const QImage shot = control->grab().toImage();
        QCOMPARE(shot.size(), controlPixels);
        QCOMPARE(shot.pixel(208, 52), 0xFF000000u);
        QCOMPARE(shownFrame(*control), stripFrame(0));
    }

    // The indicator is white by design, so its text must stay black whatever
    // the desktop's colours: before it is created and after a theme change.
    void textStaysBlackUnderADarkPalette_data()
    {
        QTest::addColumn<bool>("darkBeforeCreation");
        QTest::newRow("dark theme at start") << true;
        QTest::newRow("switched to dark later") << false;
    }
    void textStaysBlackUnderADarkPalette()
    {
        QFETCH(bool, darkBeforeCreation);
        const QPalette original = QApplication::palette();
        QPalette dark = original;
        for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
            dark.setColor(role, QColor(0x20, 0x20, 0x20));
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
            dark.setColor(role, Qt::white);
        const auto restore = qScopeGuard([&] { QApplication::setPalette(original); });

        if (darkBeforeCreation)
            QApplication::setPalette(dark);
        ucAnimation control;
        if (!darkBeforeCreation)
            QApplication::setPalette(dark);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));

        const QImage text = control.lblTag->grab().toImage().convertToFormat(QImage::Format_RGB32);
        int darkest = 255;
        for (int y = 0; y < text.height(); ++y)
            for (int x = 0; x < text.width(); ++x)
                darkest = qMin(darkest, qGray(text.pixel(x, y)));
        QVERIFY2(darkest < 64, qPrintable(QStringLiteral("darkest text pixel %1").arg(darkest)));
        QCOMPARE(text.pixel(0, 0), 0xFFFFFFFFu);
    }
};

VELLUM_TEST_MAIN(TestAnimation)
#include "TestAnimation.moc"
