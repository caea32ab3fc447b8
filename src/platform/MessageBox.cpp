#include "MessageBox.h"

#include "ApplicationIdentity.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace
{

struct ScriptState {
    bool scripted = false;
    QList<int> answers;
    QList<MessageBox::Shown> shown;
};

ScriptState& state()
{
    static ScriptState instance;
    return instance;
}

int firstButtonAnswer(int style)
{
    return (style & 7) == MessageBox::RetryCancel ? MessageBox::AnswerRetry : MessageBox::AnswerOk;
}

QMessageBox::Icon iconFor(int style)
{
    switch (style & 0x70) {
    case MessageBox::Critical:
        return QMessageBox::Critical;
    case MessageBox::Question:
        return QMessageBox::Question;
    case MessageBox::Exclamation:
        return QMessageBox::Warning;
    case MessageBox::Information:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int MessageBox::show(QWidget* owner, const QString& text, int style, const QString& title)
{
    const QString caption = title.isEmpty() ? applicationTitle : title;
    ScriptState& script = state();
    if (script.scripted) {
        script.shown.append({text, caption, style});
        return script.answers.isEmpty() ? firstButtonAnswer(style) : script.answers.takeFirst();
    }

    QMessageBox box(iconFor(style), caption,
                    QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")), QMessageBox::NoButton,
                    owner ? owner : QApplication::activeWindow());
    QAbstractButton* retry = nullptr;
    QAbstractButton* cancel = nullptr;
    switch (style & 7) {
    case OkCancel:
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
        cancel = box.addButton(QMessageBox::Cancel);
        break;
    case RetryCancel:
        retry = box.addButton(QMessageBox::Retry);
        box.setDefaultButton(static_cast<QPushButton*>(retry));
        cancel = box.addButton(QMessageBox::Cancel);
        break;
    default:
        box.setDefaultButton(box.addButton(QMessageBox::Ok));
        break;
    }
    if (cancel)
        box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == nullptr || box.clickedButton() == cancel)
        return (style & 7) == Ok ? AnswerOk : AnswerCancel;
    return box.clickedButton() == retry ? AnswerRetry : AnswerOk;
}

void MessageBox::about(QWidget* owner, const QString& title, const QString& text)
{
    ScriptState& script = state();
    if (script.scripted) {
        script.shown.append({text, title, Information});
        return;
    }
    QMessageBox::about(owner, title, text);
}

void MessageBox::setScripted(bool scripted)
{
    state().scripted = scripted;
}

bool MessageBox::isScripted()
{
    return state().scripted;
}

void MessageBox::setNextAnswer(int answer)
{
    state().answers.append(answer);
}

const QList<MessageBox::Shown>& MessageBox::shown()
{
    return state().shown;
}

void MessageBox::clearShown()
{
    state().shown.clear();
    state().answers.clear();
}
