#include "Accessibility.h"

#include <QWidget>

void Accessibility::describe(QWidget* control, const QString& name, const QString& description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}
