#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every modal message box of the program goes through here. Styles and
// answers use the classic message-box codes so the call sites read like the
// documented behaviour. A test switches to scripted mode: nothing modal is
// shown, the next answers come from a queue and every box is recorded.
class MessageBox
{
public:
    enum Style {
        Ok = 0,
        OkCancel = 1,
        RetryCancel = 5,
        Critical = 16,
        Question = 32,
        Exclamation = 48,
        Information = 64,
    };
    enum Answer {
        AnswerOk = 1,
        AnswerCancel = 2,
        AnswerRetry = 4,
    };

    struct Shown {
        QString text;
        QString title;
        int style = 0;
    };

    // Shows a modal box; an empty title shows the application title.
    static int show(QWidget* owner, const QString& text, int style, const QString& title = QString());
    static void about(QWidget* owner, const QString& title, const QString& text);

    static void setScripted(bool scripted);
    static bool isScripted();
    // Without a scripted answer, a scripted box answers with its first button.
    static void setNextAnswer(int answer);
    static const QList<Shown>& shown();
    static void clearShown();
};
