#include "Layout.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <cmath>

int Layout::pixels(int twips)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return static_cast<int>(std::lround(twips / 15.0 * dpi / 96.0));
}

QRect Layout::rect(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

void Layout::place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(rect(left, top, width, height));
}

QPushButton* Layout::button(QWidget* parent, const char* name, const QString& caption, const QString& toolTip)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(toolTip);
    return button;
}

void Layout::fitCaption(QWidget* caption)
{
    const int needed = caption->sizeHint().width();
    if (needed > caption->width())
        caption->resize(needed, caption->height());
}

void Layout::fixClientSize(QWidget* window, int width, int height)
{
    window->setFixedSize(pixels(width), pixels(height));
}

void Layout::removeWindowIcon(QWidget* window)
{
    QPixmap blank(16, 16);
    blank.fill(Qt::transparent);
    window->setWindowIcon(QIcon(blank));
}

QFont Layout::windowFont()
{
    static const QFont font = [] {
        if (QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
            QFont tahoma(QStringLiteral("Tahoma"));
            tahoma.setPointSize(9);
            tahoma.setStyleHint(QFont::SansSerif);
            return tahoma;
        }
        // The application's font, not just its family: where it is 9 pt already, the window
        // shares the engine Qt loads for it at the first text box. Resolving a second font is
        // dear when the family is an alias, as the generic theme's "Sans Serif" is.
        QFont system = QGuiApplication::font();
        system.setPointSize(9);
        system.setWeight(QFont::Normal);
        system.setStyle(QFont::StyleNormal);
        system.setStyleName(QString());
        return system;
    }();
    return font;
}
