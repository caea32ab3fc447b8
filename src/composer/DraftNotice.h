#pragma once

#include "platform/storage/DraftStore.h"

#include <QLabel>

// A line over the foot of the message body that says what happened to the
// message at this start (brought back, or a draft that could not be read)
// or that it can't be kept on disk. It takes no focus and no keys, so
// typing goes on where it was; the window hides it when the message
// changes, a click hides it too.
class DraftNotice : public QLabel
{
    Q_OBJECT
public:
    explicit DraftNotice(QWidget* parent);

    // Nothing is shown when nothing was taken over or put aside.
    void showTakeOver(const DraftStore::TakeOver& takeOver, const QStringList& missingAttachments);
    void showWriteFailure(const QString& reason);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showText(const QString& text);
};
