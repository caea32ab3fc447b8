#pragma once

#include <QFont>
#include <QRect>

class QPushButton;
class QWidget;

// The windows are designed in twips; 15 twips make a pixel at 96 dpi.
namespace Layout
{

int pixels(int twips);
QRect rect(int left, int top, int width, int height);
void place(QWidget* widget, int left, int top, int width, int height);
// A named button; tests and the forms' code find controls by their names.
QPushButton* button(QWidget* parent, const char* name, const QString& caption,
                    const QString& toolTip = QString());

// Widens a caption that the font in use cannot fit into its designed
// width (the design assumes Tahoma), so no text is ever clipped.
void fitCaption(QWidget* caption);
// Sets the client area of a fixed-size window.
void fixClientSize(QWidget* window, int width, int height);

// Dialogs show no icon. An empty icon would let the application's icon
// show instead, so the window gets a transparent one.
void removeWindowIcon(QWidget* window);

// Tahoma 9 pt where installed, else the application's (the system's) font at 9 pt regular.
QFont windowFont();

} // namespace Layout
