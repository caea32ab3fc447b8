#include "TestEnvironment.h"
#include "platform/LastResort.h"
#include "platform/MessageBox.h"
#include "platform/PendingError.h"
#include "platform/RuntimeError.h"

#include <QPushButton>
#include <stdexcept>

class TestErrors : public QObject
{
    Q_OBJECT
    std::unique_ptr<TestEnvironment> environment;

private slots:
    void init() { environment = std::make_unique<TestEnvironment>(); }
    void cleanup() { environment.reset(); }

    void pendingErrorKeepsTheLastFailure()
    {
        PendingError pending;
        int stepsRun = 0;
        QVERIFY(pending.tolerate([&] { ++stepsRun; }));
        QVERIFY(!pending.isPending());
        pending.tolerate([&] {
            ++stepsRun;
            throw RuntimeError(53, QStringLiteral("first"));
        });
        pending.tolerate([&] {
            ++stepsRun;
            throw std::runtime_error("second");
        });
        pending.tolerate([&] { ++stepsRun; });
        QCOMPARE(stepsRun, 4);
        QVERIFY(pending.isPending());
        QCOMPARE(pending.error().description(), QStringLiteral("second"));
        pending.clear();
        QVERIFY(!pending.isPending());
    }

    void unhandledErrorInAHandlerIsReportedAndEndsTheProgram()
    {
        QObject owner;
        int rescued = 0;
        LastResort::setRescue(&owner, [&] { ++rescued; });
        QPushButton button;
        connect(&button, &QPushButton::clicked,
                [] { throw RuntimeError(440, QStringLiteral("component gone")); });
        QTest::mouseClick(&button, Qt::LeftButton);

        QCOMPARE(LastResort::terminationCount(), 1);
        QCOMPARE(rescued, 1);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::shown().first().text,
                 QStringLiteral("Run-time error '440':\r\n\r\ncomponent gone"));
        QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Kestrel - Vellum"));
    }

    void failingRescueIsIgnored()
    {
        QObject owner;
        LastResort::setRescue(&owner, [] { throw RuntimeError(75, QStringLiteral("disk gone")); });
        LastResort::reportUnhandled(RuntimeError(5, QStringLiteral("first")));
        QCOMPARE(LastResort::terminationCount(), 1);
        QCOMPARE(MessageBox::shown().size(), 1);
    }

    void rescueOfADestroyedOwnerIsNotRun()
    {
        int rescued = 0;
        {
            QObject owner;
            LastResort::setRescue(&owner, [&] { ++rescued; });
        }
        LastResort::reportUnhandled(RuntimeError(5, QStringLiteral("late")));
        QCOMPARE(rescued, 0);
    }
};

VELLUM_TEST_MAIN(TestErrors)
#include "TestErrors.moc"
