#include "HistoryPopup.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>
#include <QWidget>
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

    QMenu menu(anchor);
    const QFontMetrics metrics(anchor->font());
    for (int index = 0; index < entries.size(); ++index) {
        // Long entries are elided so the popup stays the width of a screen at most.
        QAction* action = menu.addAction(metrics.elidedText(entries.at(index), Qt::ElideRight, 600));
        action->setData(index);
        action->setToolTip(entries.at(index));
    }
    menu.setMinimumWidth(anchor->width());
    QAction* chosen = menu.exec(anchor->mapToGlobal(QPoint(0, anchor->height())));
    return chosen ? chosen->data().toInt() : -1;
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
