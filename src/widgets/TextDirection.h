#pragma once

class QLineEdit;
class QPlainTextEdit;
class QWidget;

// Hebrew or Arabic text reads from the right: each paragraph of a body, and
// each single-line box, takes its direction from its first strong character.
namespace TextDirection
{

void followText(QLineEdit* box);
void followText(QPlainTextEdit* body);
// Every box of the window.
void followText(QWidget* window);

} // namespace TextDirection
