#include "Support.h"

#include "RuntimeError.h"
#include "platform/storage/AtomicFile.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImageReader>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QScreen>
#include <QStandardPaths>
#include <QTextEdit>
#include <QWidget>

#include <cerrno>
#include <cstring>
#include <iterator>
#include <sys/stat.h>

void ksRegisterAppPath()
{
    // The desktop finds the program through its .desktop entry; this tells it
    // which entry the program's windows belong to.
    QGuiApplication::setDesktopFileName(QStringLiteral(VELLUM_DESKTOP_ID));
}

bool ksIsInIDE()
{
    return false;
}

QWidget* ksGetThunderMainHandle()
{
    // No hidden owner window on this platform: the application object stands in.
    return nullptr;
}

void ksSetWindowResIconAll(QWidget* window, const QString& resourceName)
{
    const QString image = QStringLiteral(":/") + resourceName;
    const QString smallImage = image + QStringLiteral("-16");
    // The resources have no suffix: with the format named and no guessing,
    // no type look-up and no image plugin is loaded at start-up.
    QIcon icon;
    for (const QString& file : {image, smallImage}) {
        QImageReader reader(file, "PNG");
        reader.setAutoDetectImageFormat(false);
        const QImage picture = reader.read();
        if (!picture.isNull())
            icon.addPixmap(QPixmap::fromImage(picture));
    }
    if (!QFile::exists(image))
        throw RuntimeError(RuntimeError::FileNotFound,
                           QStringLiteral("Icon resource not found: %1").arg(resourceName));
    if (window)
        window->setWindowIcon(icon);
    else
        QApplication::setWindowIcon(icon);
}

QString ksGetSpecialFolder(int folder)
{
    if (folder != SpecialFolderAppData)
        throw RuntimeError(RuntimeError::InvalidArgument,
                           QStringLiteral("Unknown special folder %1").arg(folder));
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (path.isEmpty())
        throw RuntimeError(RuntimeError::PathNotFound,
                           QCoreApplication::translate("Support", "The user's data folder is unknown"));
    return path;
}

QString ksBuildFileName(const QString& folder, const QString& name)
{
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/')))
        relative.remove(0, 1);
    QString base = folder;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    if (base.isEmpty())
        return relative;
    if (base == QLatin1String("/"))
        return base + relative;
    return base + QLatin1Char('/') + relative;
}

bool ksCreateComplexDirectory(const QString& path)
{
    return createPrivateFolder(path);
}

namespace
{

void centreFrame(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

bool frameKnown(const QWidget* window)
{
    return window->frameGeometry() != window->geometry();
}

// A window manager frames a window only once it is shown; until then the
// frame is the window itself. This centres the window again, once, when
// the frame first shows up.
class CentreWhenFramed : public QObject
{
public:
    explicit CentreWhenFramed(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && frameKnown(window)) {
            window->removeEventFilter(this);
            deleteLater();
            centreFrame(window);
        }
        return false;
    }
};

} // namespace

void ksCenterFormEx(QWidget* window)
{
    centreFrame(window);
    if (!frameKnown(window))
        new CentreWhenFramed(window);
}

void ksPaintDesktop(QWidget*)
{
    // Desktops here give no access to their wallpaper: the window keeps its own background.
}

void ksHighlightText(QWidget* textBox)
{
    if (auto* line = qobject_cast<QLineEdit*>(textBox))
        line->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(textBox))
        plain->selectAll();
    else if (auto* rich = qobject_cast<QTextEdit*>(textBox))
        rich->selectAll();
}

QString ksTrimEx(const QString& text)
{
    return text.trimmed();
}

QString ksFormatVersion(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3")
        .arg(major)
        .arg(minor, 2, 10, QLatin1Char('0'))
        .arg(revision, 4, 10, QLatin1Char('0'));
}

void ksUnloadForm(QWidget* window)
{
    QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}

int ksGetRnd(int lowerBound, int upperBound)
{
    if (upperBound < lowerBound)
        throw RuntimeError(RuntimeError::InvalidArgument, QStringLiteral("Empty random range"));
    return static_cast<int>(QRandomGenerator::system()->bounded(static_cast<qint64>(lowerBound),
                                                                static_cast<qint64>(upperBound) + 1));
}

QString ksHex1(std::uint8_t byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

double ksGetFileSizeEx(const QString& path)
{
    struct stat status {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        throw RuntimeError(RuntimeError::FileNotFound,
                           QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    return static_cast<double>(status.st_size);
}

QString ksFormatByteSizeEx(double bytes)
{
    if (bytes < 1024.0) {
        const qint64 whole = static_cast<qint64>(bytes);
        return QStringLiteral("%1 %2").arg(whole).arg(whole == 1
                                                          ? QCoreApplication::translate("ByteSize", "byte")
                                                          : QCoreApplication::translate("ByteSize", "bytes"));
    }
    static const char* const units[] = {"KB", "MB", "GB", "TB", "PB"};
    constexpr int lastUnit = int(std::size(units)) - 1;
    // Three significant digits. The unit is chosen after rounding, so that
    // 1,048,575 bytes read 1.00 MB rather than 1024 KB.
    const auto decimals = [](double value) { return value < 10.0 ? 2 : value < 100.0 ? 1 : 0; };
    double value = bytes / 1024.0;
    int unit = 0;
    for (;;) {
        const double rounded = QString::number(value, 'f', decimals(value)).toDouble();
        if (rounded < 1024.0 || unit == lastUnit) {
            value = rounded;
            break;
        }
        value /= 1024.0;
        ++unit;
    }
    return QStringLiteral("%1 %2").arg(QString::number(value, 'f', decimals(value)),
                                       QLatin1String(units[unit]));
}

QString ksGetFilePath(const QString& fullPath)
{
    const int slash = fullPath.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    return slash == 0 ? QStringLiteral("/") : fullPath.left(slash);
}
