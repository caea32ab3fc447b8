#pragma once

#include <QString>

class QAbstractButton;
class QIcon;
class QWidget;
struct ApplicationIdentity;

class UiServices
{
public:
    virtual ~UiServices() = default;

    virtual void showAboutBox(QWidget* owner, const ApplicationIdentity& identity, const QString& text,
                              const QIcon& icon, const QString& fixedText) = 0;
    // Presses the button as the user would: its click handler runs.
    virtual void pressButton(QAbstractButton* button) = 0;
};
