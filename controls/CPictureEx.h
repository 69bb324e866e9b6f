#pragma once
// A picture control: shows a still picture (BMP, JPEG, one-frame GIF) or plays
// an animated GIF on a thread of its own. The control resizes itself to the
// picture. The thread only draws into an off-screen image (under a lock) and
// asks for repaints through the event loop; it never touches the widget.
// Pictures loaded from files are shared with the other controls showing the
// same file (PictureCache).

#include "PictureCache.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QWidget>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class CPictureEx : public QWidget
{
    Q_OBJECT

public:
    explicit CPictureEx(QWidget* parent = nullptr);
    ~CPictureEx() override;

    // Loads the picture in the file as below, decoding it only when no other
    // control shows it now. False when the file cannot be read or its content
    // is no picture; the control then shows nothing. On a screen that scales
    // by more than 1 the file's 2 x sibling is loaded instead where there is
    // one, and drawn at the device pixel ratio.
    bool Load(const QString& path);

    // Unloads, then decodes the data: a GIF of several frames becomes an
    // animation, anything else a still picture. On success the control is
    // resized to the picture (position kept); nothing is drawn until Draw.
    // Returns whether a picture is ready.
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
    int PixelRatio() const { return m_picture ? m_picture->PixelRatio : 1; }

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
    // Runs on the user-interface thread for each frame the thread has drawn.
    Q_INVOKABLE void ShowFrame(int index);

    bool Show(std::shared_ptr<const DecodedPicture> picture);
    QImage StillOnBackground() const;
    void Play();
    void DrawFrame(const PictureFrame& frame);
    void DisposeFrame(const PictureFrame& frame);
    bool WaitForExit(unsigned milliseconds);

    std::shared_ptr<const DecodedPicture> m_picture;  // null when nothing is loaded
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
