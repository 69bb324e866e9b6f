#include "CPictureEx.h"

#include "DoubleSizePicture.h"
#include "GifWalker.h"

#include <QFile>
#include <QPaintEvent>
#include <QPainter>

#include <chrono>

namespace {

constexpr auto kStopWait = std::chrono::milliseconds(5000);
constexpr QImage::Format kCanvasFormat = QImage::Format_ARGB32_Premultiplied;

GifWalker::Bytes AsBytes(const QByteArray& data)
{
    return {reinterpret_cast<const std::uint8_t*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

// The decoder gives a frame either at its own size or placed on the whole
// logical screen; keep only the frame's rectangle.
QImage FrameRectangle(const QImage& decoded, const GifWalker::GifFrame& frame)
{
    const QSize frameSize(frame.width, frame.height);
    QImage picture = decoded.size() == frameSize
                         ? decoded
                         : decoded.copy(QRect(QPoint(frame.left, frame.top), frameSize));
    return picture.convertToFormat(kCanvasFormat);
}

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
    const QString doubled = WantsDoubleSize(devicePixelRatioF()) ? DoubleSizePath(path) : QString();
    QFile file(doubled.isEmpty() ? path : doubled);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return LoadData(file.readAll(), doubled.isEmpty() ? 1 : 2);
}

bool CPictureEx::Load(const QByteArray& data)
{
    return LoadData(data, 1);
}

bool CPictureEx::LoadData(const QByteArray& data, int pixelRatio)
{
    UnLoad();
    m_pixelRatio = pixelRatio;
    const GifWalker::Bytes bytes = AsBytes(data);
    bool loaded = false;
    if (!GifWalker::StartsAsGif(bytes))
    {
        loaded = LoadStill(data, QSize());
    }
    else if (const auto screen = GifWalker::ReadScreen(bytes))
    {
        const QSize size(screen->width, screen->height);
        const std::size_t frames = GifWalker::CountFrames(bytes);
        if (frames == 1)
            loaded = LoadStill(data, size);
        else if (frames > 1)
            loaded = LoadAnimation(data, size);
    }
    if (!loaded || !PrepareOffscreen())
    {
        UnLoad();
        return false;
    }
    return true;
}

bool CPictureEx::LoadStill(const QByteArray& data, QSize size)
{
    m_still = QImage::fromData(data);
    if (m_still.isNull())
        return false;
    m_still = m_still.convertToFormat(kCanvasFormat);
    m_size = size.isEmpty() ? m_still.size() : size;
    return true;
}

bool CPictureEx::LoadAnimation(const QByteArray& data, QSize size)
{
    m_size = size;
    for (const GifWalker::GifFrame& cut : GifWalker::CutFrames(AsBytes(data)))
    {
        const QImage decoded = QImage::fromData(cut.gif.data(), static_cast<int>(cut.gif.size()),
                                                "GIF");
        if (decoded.isNull())
            continue;
        m_frames.push_back(
            {FrameRectangle(decoded, cut), QPoint(cut.left, cut.top), cut.delay, cut.disposal});
    }
    return !m_frames.empty();
}

bool CPictureEx::PrepareOffscreen()
{
    QImage canvas(m_size, kCanvasFormat);
    if (canvas.isNull())
        return false;
    canvas.fill(palette().color(QPalette::Window));
    m_background = palette().color(QPalette::Button);
    {
        std::lock_guard lock(m_imageMutex);
        m_offscreen = std::move(canvas);
    }
    resize(m_size / m_pixelRatio);
    updateGeometry();
    update();
    return true;
}

bool CPictureEx::Draw()
{
    if (IsPlaying())
        return true;
    if (!m_still.isNull())
    {
        {
            std::lock_guard lock(m_imageMutex);
            QPainter painter(&m_offscreen);
            painter.drawImage(QRect(QPoint(0, 0), m_size), m_still);
        }
        update();
        emit FrameShown(0);
        return true;
    }
    if (m_frames.empty())
        return false;
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
    m_still = QImage();
    m_frames.clear();
    m_size = QSize();
    m_pixelRatio = 1;
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
    return m_size / m_pixelRatio;
}

bool CPictureEx::IsAnimated() const
{
    return !m_frames.empty();
}

bool CPictureEx::IsPlaying() const
{
    return m_thread.joinable();
}

int CPictureEx::FrameCount() const
{
    if (!m_frames.empty())
        return static_cast<int>(m_frames.size());
    return m_still.isNull() ? 0 : 1;
}

QImage CPictureEx::CurrentImage() const
{
    std::lock_guard lock(m_imageMutex);
    return m_offscreen.copy();
}

QSize CPictureEx::sizeHint() const
{
    return m_size.isEmpty() ? QWidget::sizeHint() : GetSize();
}

void CPictureEx::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    std::lock_guard lock(m_imageMutex);
    if (m_offscreen.isNull())
        return;
    const QRect area = event->rect();
    if (m_pixelRatio == 1)
    {
        painter.drawImage(area, m_offscreen, area);
        return;
    }
    // The 2 x picture: one pixel per device pixel at ratio 2, smoothly
    // narrowed at ratios in between.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect source(area.topLeft() * m_pixelRatio, area.size() * m_pixelRatio);
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
    DisposeFrame(m_frames[m_currentFrame]);
    for (;;)
    {
        const Frame& frame = m_frames[m_currentFrame];
        DrawFrame(frame);
        QMetaObject::invokeMethod(this, "ShowFrame", Qt::QueuedConnection,
                                  Q_ARG(int, static_cast<int>(m_currentFrame)));
        if (WaitForExit(GifWalker::FrameWaitMs(frame.delay)))
            break;
        DisposeFrame(frame);
        if (++m_currentFrame == m_frames.size())
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

void CPictureEx::DrawFrame(const Frame& frame)
{
    const QRect area(frame.offset, frame.picture.size());
    std::lock_guard lock(m_imageMutex);
    if (frame.disposal == 3)
        m_saved = m_offscreen.copy(area);
    QPainter painter(&m_offscreen);
    painter.drawImage(area.topLeft(), frame.picture);
}

void CPictureEx::DisposeFrame(const Frame& frame)
{
    const QRect area(frame.offset, frame.picture.size());
    std::lock_guard lock(m_imageMutex);
    if (frame.disposal == 2)
    {
        QPainter painter(&m_offscreen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(area, m_background);
    }
    else if (frame.disposal == 3 && !m_saved.isNull())
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
