#pragma once

#include "TestEnvironment.h"
#include "composer/frmMain.h"
#include "platform/MessageBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

// Runs the action on the next modal dialog of that type once it is shown.
template <typename Dialog> void whenModalShown(std::function<void(Dialog*)> action)
{
    auto* poll = new QTimer(QCoreApplication::instance());
    auto remaining = std::make_shared<int>(500);
    QObject::connect(poll, &QTimer::timeout, [poll, remaining, action = std::move(action)] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog && --*remaining > 0)
            return;
        poll->stop();
        poll->deleteLater();
        if (dialog)
            action(dialog);
    });
    poll->start(10);
}

// One composer window on a private store, shown and active.
class ComposerFixture
{
public:
    ComposerFixture() : window(new frmMain) { show(); }
    ~ComposerFixture() { delete window.data(); }

    void show()
    {
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    template <typename T = QWidget> T* control(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit* txtTo() const { return control<QLineEdit>("txtTo"); }
    QLineEdit* txtSubject() const { return control<QLineEdit>("txtSubject"); }
    QPlainTextEdit* txtMessage() const { return control<QPlainTextEdit>("txtMessage"); }
    QPushButton* button(const char* name) const { return control<QPushButton>(name); }

    // Closes the window as the user would; false when it refused.
    bool close() { return window->close(); }

    // The send pipeline was entered: without server settings it stops at
    // its first check with this message.
    static int sendAttempts()
    {
        int attempts = 0;
        for (const MessageBox::Shown& shown : MessageBox::shown())
            attempts += shown.text == QLatin1String("Please configure server first.");
        return attempts;
    }

    QPointer<frmMain> window;
};
