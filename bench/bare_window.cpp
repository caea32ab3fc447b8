// The reference for start-up: a bare Qt window of the given size, nothing
// else; with --label one line of text, so that the fonts are set up too.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QWidget window;
    if (arguments.size() >= 3)
        window.resize(arguments.at(1).toInt(), arguments.at(2).toInt());
    if (arguments.contains(QLatin1String("--label")))
        new QLabel(QStringLiteral("Sending mail..."), &window);
    window.show();
    return application.exec();
}
