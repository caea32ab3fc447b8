#pragma once

#include <QString>

class QWidget;

// What a screen reader says for a control: its name, then what it does.
namespace Accessibility
{

void describe(QWidget* control, const QString& name, const QString& description);

} // namespace Accessibility
