#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QTimer;

// The small "Sending mail..." indicator: a looping envelope animation of 14
// frames, one every 50 ms while enabled. Showing and placing it is the host's
// business; the control only draws and animates.
class ucAnimation : public QWidget
{
    Q_OBJECT
public:
    static constexpr int FrameCount = 14;
    static constexpr int FrameSize = 32;
    static constexpr int FrameInterval = 50;
    // Where a frame is drawn, in pixels whatever the screen's resolution.
    static constexpr QPoint FramePosition{15, 10};

    explicit ucAnimation(QWidget* parent = nullptr);

    // Whether the animation runs. Switching it on or off starts again from
    // frame 0 and shows that frame at once; setting the current state does nothing.
    bool Enabled() const;
    void SetEnabled(bool enabled);

    // The frame last painted, and the one the next tick paints.
    int currentFrame() const { return lastFrame; }
    int frameCounter() const { return counter; }

    QLabel* lblTag = nullptr;
    QTimer* tmrAnimation = nullptr;

public slots:
    void tmrAnimation_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fitTagToText();
    void UserControl_Initialize();
    void UserControl_Resize();

    QImage strip;
    // What has been drawn on the control: it stays until drawn over.
    QImage canvas;
    int counter = 0;
    int lastFrame = 0;
};
