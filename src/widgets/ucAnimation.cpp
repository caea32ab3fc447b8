#include "ucAnimation.h"

#include "platform/Accessibility.h"
#include "platform/Layout.h"
#include "platform/RuntimeError.h"

#include <QFontDatabase>
#include <QImageReader>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>

namespace
{

// Times New Roman, or a serif face of the same width where it is missing.
QFont tagFont()
{
    static const QStringList preferred = {QStringLiteral("Times New Roman"),
                                          QStringLiteral("Liberation Serif"), QStringLiteral("Tinos")};
    const QStringList installed = QFontDatabase::families();
    QFont font(QStringLiteral("serif"));
    for (const QString& family : preferred) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(15.75);
    font.setBold(true);
    return font;
}

QSize controlSize()
{
    return QSize(Layout::pixels(3135), Layout::pixels(795));
}

} // namespace

ucAnimation::ucAnimation(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ucAnimation"));
    setFixedSize(controlSize());

    lblTag = new QLabel(tr("Sending mail..."), this);
    lblTag->setObjectName(QStringLiteral("lblTag"));
    lblTag->setFont(tagFont());
    Layout::place(lblTag, 900, 210, 1935, 360);

    Accessibility::describe(this, lblTag->text(), tr("Shown while the message is being sent"));

    tmrAnimation = new QTimer(this);
    tmrAnimation->setObjectName(QStringLiteral("tmrAnimation"));
    tmrAnimation->setInterval(FrameInterval);
    connect(tmrAnimation, &QTimer::timeout, this, &ucAnimation::tmrAnimation_Timer);

    UserControl_Initialize();
}

void ucAnimation::UserControl_Initialize()
{
    // Named and not guessed, the format needs no image plugin loaded to find it.
    QImageReader reader(QStringLiteral(":/IDB_ANIMATION"), "BMP");
    reader.setAutoDetectImageFormat(false);
    const QImage picture = reader.read();
    if (picture.isNull())
        throw RuntimeError(RuntimeError::FileNotFound,
                           QStringLiteral("Bitmap resource not found: IDB_ANIMATION"));
    strip = picture.convertToFormat(QImage::Format_RGB32);

    // White by design, so the text is black whatever the desktop's colours.
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);
    lblTag->setPalette(white);
    lblTag->setAutoFillBackground(true);

    canvas = QImage(size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        painter.setPen(Qt::black);
        painter.drawRect(0, 0, canvas.width() - 1, canvas.height() - 1);
    }

    counter = 0;
    tmrAnimation_Timer();
}

bool ucAnimation::Enabled() const
{
    return tmrAnimation->isActive();
}

void ucAnimation::SetEnabled(bool enabled)
{
    if (enabled == Enabled())
        return;
    counter = 0;
    if (enabled)
        tmrAnimation->start();
    else
        tmrAnimation->stop();
    tmrAnimation_Timer();
}

void ucAnimation::tmrAnimation_Timer()
{
    {
        QPainter painter(&canvas);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(FramePosition, strip, QRect(0, FrameSize * counter, FrameSize, FrameSize));
    }
    update(QRect(FramePosition, QSize(FrameSize, FrameSize)));
    lastFrame = counter;
    counter = (counter + 1) % FrameCount;
}

void ucAnimation::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.drawImage(event->rect(), canvas, event->rect());
}

void ucAnimation::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Measuring the text loads the serif face, which the composer's start
    // need not wait for: the indicator is hidden until the first send.
    fitTagToText();
}

void ucAnimation::fitTagToText()
{
    // Serif faces other than Times New Roman run a little wider: let the text
    // have the room up to the border rather than lose its last dot.
    const int textWidth = lblTag->fontMetrics().horizontalAdvance(lblTag->text()) + 1;
    if (textWidth > lblTag->width())
        lblTag->resize(qMin(textWidth, width() - 1 - lblTag->x()), lblTag->height());
}

void ucAnimation::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    UserControl_Resize();
}

void ucAnimation::UserControl_Resize()
{
    // The host may lift the size limits; the control keeps its size anyway.
    if (size() != controlSize())
        setFixedSize(controlSize());
}
