#include "frmMain.h"

frmMain::frmMain(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vellum"));
}
