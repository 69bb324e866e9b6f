#include "CPictureEx.h"

#include "GifWalker.h"

#include <QPaintEvent>
#include <QPainter>

#include <chrono>

namespace {

constexpr auto kStopWait = std::chrono::milliseconds(5000);
constexpr QImage::Format kCanvasFormat = QImage::Format_ARGB32_Premultiplied;

}  // namespace

CPictureEx::CPictureEx(QWidget* parent) : QWidget(parent)
{
}

CPictureEx::~CPictureEx()
{
    // The thread must end before any member it reads goes away.
    UnLoad();
}

bool CPictureEx::Load(const QString& path)
{
    UnLoad();
    return Show(SharedPicture(path, devicePixelRatioF()));
}

bool CPictureEx::Load(const QByteArray& data)
{
    UnLoad();
    return Show(DecodePicture(data, 1));
}

// An animation gets an off-screen image of its own to play in; a still
// picture is drawn by Draw.
bool CPictureEx::Show(std::shared_ptr<const DecodedPicture> picture)
{
    if (!picture)
        return false;
    if (!picture->Frames.empty())
    {
        QImage canvas(picture->Size, kCanvasFormat);
        if (canvas.isNull())
            return false;
        canvas.fill(palette().color(QPalette::Window));
        std::lock_guard lock(m_imageMutex);
        m_offscreen = std::move(canvas);
    }
    m_picture = std::move(picture);
    m_background = palette().color(QPalette::Button);
    resize(GetSize());
    updateGeometry();
    update();
    return true;
}

// The still picture as the control shows it: an opaque picture of the
// control's size is shown as it is (shared, not copied), anything else is
// drawn over the window colour.
QImage CPictureEx::StillOnBackground() const
{
    const QImage& still = m_picture->Still;
    if (!still.hasAlphaChannel() && still.size() == m_picture->Size)
        return still;
    QImage canvas(m_picture->Size, kCanvasFormat);
    if (canvas.isNull())
        return canvas;
    canvas.fill(palette().color(QPalette::Window));
    QPainter painter(&canvas);
    painter.drawImage(QRect(QPoint(0, 0), m_picture->Size), still);
    return canvas;
}

bool CPictureEx::Draw()
{
    if (IsPlaying())
        return true;
    if (!m_picture)
        return false;
    if (m_picture->Frames.empty())
    {
        QImage shown = StillOnBackground();
        {
            std::lock_guard lock(m_imageMutex);
            m_offscreen = std::move(shown);
        }
        update();
        emit FrameShown(0);
        return true;
    }
    m_exitRequested = false;
    m_finished = false;
    try
    {
        m_thread = std::thread(&CPictureEx::Play, this);
    }
    catch (const std::system_error&)
    {
        return false;
    }
    return true;
}

void CPictureEx::Stop()
{
    if (!m_thread.joinable())
        return;
    {
        std::unique_lock lock(m_exitMutex);
        m_exitRequested = true;
        m_exitEvent.notify_all();
        if (!m_exitEvent.wait_for(lock, kStopWait, [this] { return m_finished; }))
            qWarning("CPictureEx: the animation thread is slow to end");
    }
    // Joined even after a slow end: the thread still uses this object.
    m_thread.join();
    std::lock_guard lock(m_exitMutex);
    m_exitRequested = false;
}

void CPictureEx::UnLoad()
{
    Stop();
    m_picture.reset();
    m_currentFrame = 0;
    m_background = QColor();
    {
        std::lock_guard lock(m_imageMutex);
        m_offscreen = QImage();
        m_saved = QImage();
    }
    update();
}

QSize CPictureEx::GetSize() const
{
    return m_picture ? m_picture->Size / m_picture->PixelRatio : QSize();
}

bool CPictureEx::IsAnimated() const
{
    return m_picture && !m_picture->Frames.empty();
}

bool CPictureEx::IsPlaying() const
{
    return m_thread.joinable();
}

int CPictureEx::FrameCount() const
{
    if (!m_picture)
        return 0;
    return m_picture->Frames.empty() ? 1 : static_cast<int>(m_picture->Frames.size());
}

QImage CPictureEx::CurrentImage() const
{
    std::lock_guard lock(m_imageMutex);
    return m_offscreen.copy();
}

QSize CPictureEx::sizeHint() const
{
    return m_picture ? GetSize() : QWidget::sizeHint();
}

void CPictureEx::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    std::lock_guard lock(m_imageMutex);
    if (m_offscreen.isNull())
        return;
    const QRect area = event->rect();
    const int pixelRatio = PixelRatio();
    if (pixelRatio == 1)
    {
        painter.drawImage(area, m_offscreen, area);
        return;
    }
    // The 2 x picture: one pixel per device pixel at ratio 2, smoothly
    // narrowed at ratios in between.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect source(area.topLeft() * pixelRatio, area.size() * pixelRatio);
    painter.drawImage(QRectF(area), m_offscreen, QRectF(source));
}

void CPictureEx::ShowFrame(int index)
{
    update();
    emit FrameShown(index);
}

// Animation thread: draws frame after frame into the off-screen image and asks
// the user-interface thread to repaint; ends when Stop asks it to.
void CPictureEx::Play()
{
    const std::vector<PictureFrame>& frames = m_picture->Frames;
    DisposeFrame(frames[m_currentFrame]);
    for (;;)
    {
        const PictureFrame& frame = frames[m_currentFrame];
        DrawFrame(frame);
        QMetaObject::invokeMethod(this, "ShowFrame", Qt::QueuedConnection,
                                  Q_ARG(int, static_cast<int>(m_currentFrame)));
        if (WaitForExit(GifWalker::FrameWaitMs(frame.Delay)))
            break;
        DisposeFrame(frame);
        if (++m_currentFrame == frames.size())
        {
            m_currentFrame = 0;
            std::lock_guard lock(m_imageMutex);
            m_offscreen.fill(m_background);
        }
    }
    std::lock_guard lock(m_exitMutex);
    m_finished = true;
    m_exitEvent.notify_all();
}

void CPictureEx::DrawFrame(const PictureFrame& frame)
{
    const QRect area(frame.Offset, frame.Picture.size());
    std::lock_guard lock(m_imageMutex);
    if (frame.Disposal == 3)
        m_saved = m_offscreen.copy(area);
    QPainter painter(&m_offscreen);
    painter.drawImage(area.topLeft(), frame.Picture);
}

void CPictureEx::DisposeFrame(const PictureFrame& frame)
{
    const QRect area(frame.Offset, frame.Picture.size());
    std::lock_guard lock(m_imageMutex);
    if (frame.Disposal == 2)
    {
        QPainter painter(&m_offscreen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, m_background);
    }
    else if (frame.Disposal == 3 && !m_saved.isNull())
    {
        QPainter painter(&m_offscreen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(area.topLeft(), m_saved);
        m_saved = QImage();
    }
}

// True when Stop asked the thread to end, at once or during the wait.
bool CPictureEx::WaitForExit(unsigned milliseconds)
{
    std::unique_lock lock(m_exitMutex);
    return m_exitEvent.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [this] { return m_exitRequested; });
}
