#include "HistoryPopup.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <utility>

namespace
{

struct ScriptState {
    bool scripted = false;
    int nextChoice = -1;
    QStringList lastOffered;
};

ScriptState& state()
{
    static ScriptState instance;
    return instance;
}

constexpr int MaximumVisibleRows = 12;
constexpr int MaximumWidth = 600;

// Ends the popup's loop when it closes (a choice, Esc, a click outside).
class PopupWatcher : public QObject
{
public:
    explicit PopupWatcher(QEventLoop* loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            m_loop->quit();
        } else if (event->type() == QEvent::KeyPress &&
                   static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel)) {
            static_cast<QWidget*>(watched)->close();
            return true;
        }
        return false;
    }

private:
    QEventLoop* m_loop;
};

} // namespace

int HistoryPopup::choose(QWidget* anchor, const QStringList& entries)
{
    ScriptState& script = state();
    script.lastOffered = entries;
    if (script.scripted) {
        const int choice = std::exchange(script.nextChoice, -1);
        return choice < entries.size() ? choice : -1;
    }
    if (entries.isEmpty())
        return -1;

    // A list, not a menu: a menu would take "&" for a mnemonic and a tab for
    // the start of a shortcut, and so show other texts than the entries.
    QListWidget popup(anchor);
    popup.setWindowFlags(Qt::Popup);
    popup.setObjectName(QStringLiteral("historyPopup"));
    popup.setFont(anchor->font());
    popup.setUniformItemSizes(true);
    popup.setTextElideMode(Qt::ElideRight);
    popup.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const QString& entry : entries) {
        auto* item = new QListWidgetItem(entry, &popup);
        item->setToolTip(entry);
    }
    popup.setCurrentRow(0);

    // As wide as the box at least and as the longest entry at most, up to the
    // width of a screen's good part; long entries are elided.
    const QRect screen = anchor->screen()->availableGeometry();
    const int frame = 2 * popup.frameWidth();
    const int visibleRows = qMin(int(entries.size()), MaximumVisibleRows);
    const int scrollBar = entries.size() > visibleRows ? popup.verticalScrollBar()->sizeHint().width() : 0;
    const int width = qBound(anchor->width(), popup.sizeHintForColumn(0) + frame + scrollBar,
                             qMax(anchor->width(), qMin(MaximumWidth, screen.width())));
    const int height = visibleRows * popup.sizeHintForRow(0) + frame;
    QPoint position = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (position.y() + height > screen.bottom())
        position.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height);
    position.setX(qBound(screen.left(), position.x(), qMax(screen.left(), screen.right() - width)));
    popup.setGeometry(QRect(position, QSize(width, height)));

    int chosen = -1;
    QEventLoop loop;
    const auto choose = [&](QListWidgetItem* item) {
        chosen = popup.row(item);
        popup.close();
    };
    QObject::connect(&popup, &QListWidget::itemClicked, choose);
    QObject::connect(&popup, &QListWidget::itemActivated, choose);
    PopupWatcher watcher(&loop);
    popup.installEventFilter(&watcher);
    popup.show();
    popup.setFocus(Qt::PopupFocusReason);
    loop.exec();
    return chosen;
}

void HistoryPopup::setScripted(bool scripted)
{
    state().scripted = scripted;
}

void HistoryPopup::setNextChoice(int index)
{
    state().nextChoice = index;
}

QStringList HistoryPopup::lastOffered()
{
    return state().lastOffered;
}
