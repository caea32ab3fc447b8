#pragma once

#include <QStringList>

class QWidget;

// Shows entries in a popup list under a widget and returns the chosen index,
// or -1. A test scripts the choice instead of waiting on the popup.
namespace HistoryPopup
{

int choose(QWidget* anchor, const QStringList& entries);

void setScripted(bool scripted);
void setNextChoice(int index);
// The entries offered by the last popup.
QStringList lastOffered();

} // namespace HistoryPopup
