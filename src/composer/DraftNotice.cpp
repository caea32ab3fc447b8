#include "DraftNotice.h"

#include "platform/Layout.h"

#include <QMouseEvent>

namespace
{

// The foot of the message body: its left, width and bottom in twips.
constexpr int BodyLeft = 120;
constexpr int BodyWidth = 5535;
constexpr int BodyBottom = 1080 + 2655;

QString quotedList(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(QLatin1Char('"') + name + QLatin1Char('"'));
    return quoted.join(QStringLiteral(", "));
}

} // namespace

DraftNotice::DraftNotice(QWidget* parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("lblDraftNotice"));
    setWordWrap(true);
    setFocusPolicy(Qt::NoFocus);
    setTextFormat(Qt::PlainText);
    setFrameShape(QFrame::Box);
    setMargin(Layout::pixels(45));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(tr("Message notice"));
    hide();
}

void DraftNotice::showTakeOver(const DraftStore::TakeOver& takeOver, const QStringList& missingAttachments)
{
    QStringList lines;
    if (takeOver.draft) {
        lines.append(takeOver.draft->endedBy.isEmpty()
                         ? tr("Your unsent message is back: Vellum ended unexpectedly before it was sent.")
                         : tr("Your unsent message is back: the system closed Vellum (a logout or shutdown) "
                              "before it was sent."));
        if (!missingAttachments.isEmpty())
            lines.append(tr("Left out, no longer found: %1.").arg(quotedList(missingAttachments)));
    }
    if (takeOver.keptUnreadable.size() == 1)
        lines.append(tr("A draft that could not be read was kept in the data folder as %1.")
                         .arg(quotedList(takeOver.keptUnreadable)));
    else if (!takeOver.keptUnreadable.isEmpty())
        lines.append(tr("Drafts that could not be read were kept in the data folder as %1.")
                         .arg(quotedList(takeOver.keptUnreadable)));
    if (takeOver.draft && takeOver.waiting == 1)
        lines.append(tr("One more unsent message comes back at the next start."));
    else if (takeOver.draft && takeOver.waiting > 1)
        lines.append(
            tr("%1 more unsent messages come back at the next starts, one each.").arg(takeOver.waiting));
    if (!lines.isEmpty())
        showText(lines.join(QLatin1Char('\n')));
}

void DraftNotice::showWriteFailure(const QString& reason)
{
    showText(tr("The message can't be kept on disk in case Vellum ends: %1").arg(reason));
}

void DraftNotice::showText(const QString& text)
{
    setText(text);
    setAccessibleName(text);
    const int width = Layout::pixels(BodyWidth);
    const int height = heightForWidth(width);
    setGeometry(Layout::pixels(BodyLeft), Layout::pixels(BodyBottom) - height, width, height);
    show();
    raise();
}

void DraftNotice::mousePressEvent(QMouseEvent* event)
{
    hide();
    event->accept();
}
