#pragma once
// A picture control: shows a still picture (BMP, JPEG, one-frame GIF) or plays
// an animated GIF on a thread of its own. The control resizes itself to the
// picture. The thread only draws into an off-screen image (under a lock) and
// asks for repaints through the event loop; it never touches the widget.

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

class CPictureEx : public QWidget
{
    Q_OBJECT

public:
    explicit CPictureEx(QWidget* parent = nullptr);
    ~CPictureEx() override;

    // Reads the whole file and loads it as below. False when the file cannot
    // be read or its content is no picture; the control then shows nothing.
    // On a screen that scales by more than 1 the file's 2 x sibling is
    // loaded instead where there is one, and drawn at the device pixel ratio.
    bool Load(const QString& path);

    // Unloads, then decodes the data: a GIF of several frames becomes an
    // animation, anything else a still picture. On success the control is
    // resized to the picture (position kept) and the off-screen image is
    // ready but blank. Returns whether a picture is ready.
    bool Load(const QByteArray& data);

    // Shows the loaded picture: a still picture is drawn once, an animation
    // starts playing (looping) from its current frame. Does nothing before a
    // successful Load or while already playing. False when nothing was shown.
    bool Draw();

    // Ends the animation and waits for its thread; the off-screen image keeps
    // the last frame drawn. Harmless when nothing plays.
    void Stop();

    // Stops and releases every picture and frame; the control shows nothing.
    void UnLoad();

    // Size of the loaded picture in the control's own units (empty when
    // nothing is loaded); the picture's pixels are PixelRatio() times as many.
    QSize GetSize() const;
    // 2 when the 2 x sibling was loaded, else 1.
    int PixelRatio() const { return m_pixelRatio; }

    bool IsAnimated() const;
    bool IsPlaying() const;
    int FrameCount() const;

    // A copy of the off-screen image as it is now (for checks and tests).
    QImage CurrentImage() const;

    QSize sizeHint() const override;

signals:
    // A frame has been drawn into the off-screen image (delivered on the
    // user-interface thread).
    void FrameShown(int index);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Frame
    {
        QImage picture;  // the frame's own rectangle
        QPoint offset;
        unsigned delay = 0;
        int disposal = 0;
    };

    // Runs on the user-interface thread for each frame the thread has drawn.
    Q_INVOKABLE void ShowFrame(int index);

    bool LoadData(const QByteArray& data, int pixelRatio);
    bool LoadStill(const QByteArray& data, QSize size);
    bool LoadAnimation(const QByteArray& data, QSize size);
    bool PrepareOffscreen();
    void Play();
    void DrawFrame(const Frame& frame);
    void DisposeFrame(const Frame& frame);
    bool WaitForExit(unsigned milliseconds);

    QSize m_size;  // in pixels
    int m_pixelRatio = 1;
    QImage m_still;
    std::vector<Frame> m_frames;
    QColor m_background;
    std::size_t m_currentFrame = 0;

    mutable std::mutex m_imageMutex;  // guards m_offscreen and m_saved
    QImage m_offscreen;
    QImage m_saved;  // area under a frame with disposal 3

    std::thread m_thread;
    std::mutex m_exitMutex;
    std::condition_variable m_exitEvent;
    bool m_exitRequested = false;
    bool m_finished = false;
};
