#include "CxSkinButton.h"

#include "DoubleSizePicture.h"
#include "PictureCache.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QShortcut>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include <algorithm>
#include <utility>

namespace {

constexpr QRgb kMaskWhite = qRgb(255, 255, 255);
constexpr int kKeyboardFocusInset = 3;

// Kept in Qt's pixmap cache at the ratio it is drawn at, so that the buttons
// of every page that show one face share its pixels.
QPixmap LoadPicture(const QString& path, qreal ratio = 1)
{
    QPixmap picture;
    if (path.isEmpty() || QPixmapCache::find(path, &picture))
        return picture;
    picture = QPixmap::fromImage(ReadImageFile(path));
    picture.setDevicePixelRatio(ratio);
    QPixmapCache::insert(path, picture);
    return picture;
}

// The mask's non-white pixels, as a region.
QRegion RegionFromMask(const QPixmap& mask)
{
    // For pixmaps, MaskInColor makes the matching pixels transparent.
    return QRegion(mask.createMaskFromColor(QColor(kMaskWhite), Qt::MaskInColor));
}

}  // namespace

CxSkinButton::Face CxSkinButton::LoadFace(const QString& path)
{
    Face face{LoadPicture(path), QString(), QPixmap()};
    if (!face.Single.isNull())
        face.DoublePath = DoubleSizePath(path);
    return face;
}

const QPixmap& CxSkinButton::Face::Doubled() const
{
    if (DoublePath.isEmpty())
        return Double;
    Double = LoadPicture(std::exchange(DoublePath, QString()), 2);
    if (Double.size() != Single.size() * 2)
        Double = QPixmap();
    return Double;
}

CxSkinButton::CxSkinButton(QWidget* parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CxSkinButton::CxSkinButton(const QString& caption, QWidget* parent) : CxSkinButton(parent)
{
    setText(caption);
}

void CxSkinButton::SetSkin(const QString& normal, const QString& pressed, const QString& over,
                           const QString& disabled, const QString& focus, const QString& mask,
                           int drawMode, int border, int focusMargin)
{
    m_normal = LoadFace(normal);
    m_pressed = LoadFace(pressed);
    m_over = LoadFace(over);
    m_disabled = disabled.isEmpty() ? m_normal : LoadFace(disabled);
    m_focus = LoadFace(focus);
    m_drawMode = std::clamp(drawMode, 0, 2);
    m_border = border != 0;
    m_focusMargin = std::max(focusMargin, 0);

    const QPixmap maskPicture = LoadPicture(mask);
    m_maskRegion = maskPicture.isNull() ? QRegion() : RegionFromMask(maskPicture);
    if (m_maskRegion.isEmpty())
    {
        clearMask();
    }
    else
    {
        if (m_drawMode == 0)
            resize(maskPicture.size());
        setMask(m_maskRegion);
    }
    updateGeometry();
    update();
}

void CxSkinButton::SetTextColor(const QColor& colour)
{
    m_textColor = colour;
    update();
}

QColor CxSkinButton::TextColor() const
{
    return m_textColor.isValid() ? m_textColor : palette().color(QPalette::ButtonText);
}

void CxSkinButton::SetCaption(const QString& caption)
{
    setText(caption);
}

QString CxSkinButton::Caption() const
{
    return text();
}

bool CxSkinButton::IsHovering() const
{
    return m_hovering;
}

void CxSkinButton::SetMnemonic(QChar letter)
{
    m_mnemonic = letter;
    delete m_shortcut;
    m_shortcut = nullptr;
    if (!letter.isNull())
    {
        m_shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(letter.toUpper().unicode())),
                                   this);
        connect(m_shortcut, &QShortcut::activated, this, [this] {
            if (isVisible() && isEnabled())
                animateClick();
        });
    }
    update();
}

// The caption with "&" before the mnemonic letter, for drawing only.
QString CxSkinButton::CaptionWithMnemonic() const
{
    QString caption = text();
    caption.replace('&', "&&");
    if (m_mnemonic.isNull())
        return caption;
    const qsizetype at = caption.indexOf(m_mnemonic, 0, Qt::CaseInsensitive);
    if (at >= 0)
        caption.insert(at, '&');
    return caption;
}

QSize CxSkinButton::sizeHint() const
{
    if (!m_normal.IsNull())
        return m_normal.Single.size();
    const QSize textSize = fontMetrics().size(Qt::TextSingleLine, text());
    return textSize + QSize(2 * (m_focusMargin + 2) + 8, 8);
}

void CxSkinButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int textInset = m_focusMargin + 2;
    QRect captionRect = rect().adjusted(textInset, 0, -textInset, 0);
    const int textFlags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextIncludeTrailingSpaces
                          | Qt::TextShowMnemonic;
    const QString caption = CaptionWithMnemonic();

    if (!isEnabled())
    {
        DrawFace(painter, m_disabled);
        if (m_border)
            qDrawWinButton(&painter, rect(), palette(), false);
        // Engraved caption: light text with the grey text one pixel up and left.
        painter.setPen(palette().color(QPalette::Light));
        painter.drawText(captionRect, textFlags, caption);
        painter.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(captionRect.translated(-1, -1), textFlags, caption);
        return;
    }

    if (isDown() || isChecked())
    {
        DrawFace(painter, m_pressed);
        captionRect.translate(1, 1);
    }
    else if (m_normal.IsNull())
    {
        DrawFace(painter, m_normal);
    }
    else if (m_hovering && !m_over.IsNull())
    {
        DrawFace(painter, m_over);
    }
    else if (hasFocus() && !m_focus.IsNull())
    {
        DrawFace(painter, m_focus);
    }
    else
    {
        DrawFace(painter, m_normal);
    }
    if (m_border)
        qDrawWinButton(&painter, rect(), palette(), isDown() || isChecked());
    DrawFocusCue(painter);

    painter.setPen(TextColor());
    painter.drawText(captionRect, textFlags, caption);
}

void CxSkinButton::DrawFace(QPainter& painter, const Face& faces) const
{
    if (faces.IsNull())
    {
        painter.fillRect(rect(), palette().color(QPalette::Button));
        return;
    }
    const bool doubled = WantsDoubleSize(painter.device()->devicePixelRatioF())
                         && !faces.Doubled().isNull();
    const QPixmap& face = doubled ? faces.Doubled() : faces.Single;
    // Between ratios 1 and 2 the 2x face is narrowed smoothly; 1x draws as always.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, doubled);
    if (m_drawMode == 2)
    {
        painter.drawTiledPixmap(rect(), face);
        return;
    }
    const QRect target = m_drawMode == 1 ? rect() : QRect(QPoint(0, 0), faces.Single.size());
    painter.save();
    if (!m_maskRegion.isEmpty())
    {
        // The mask's white pixels keep what lies underneath.
        QTransform toTarget;
        toTarget.scale(double(target.width()) / faces.Single.width(),
                       double(target.height()) / faces.Single.height());
        painter.setClipRegion(toTarget.map(m_maskRegion));
    }
    painter.drawPixmap(target, face);
    painter.restore();
}

void CxSkinButton::DrawFocusCue(QPainter& painter) const
{
    if (!hasFocus())
        return;
    // The skin's own focus margin, or a cue for keyboard users so that Tab
    // order stays visible on buttons skinned without one.
    int inset = m_focusMargin;
    if (inset == 0 && m_keyboardFocus)
        inset = kKeyboardFocusInset;
    if (inset == 0)
        return;
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.state |= QStyle::State_KeyboardFocusChange;
    option.rect = rect().adjusted(inset, inset, -inset, -inset);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void CxSkinButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_buttonDown && !m_hovering)
    {
        m_hovering = true;
        update();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CxSkinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
    {
        m_hovering = false;
        m_buttonDown = true;
    }
    QAbstractButton::mousePressEvent(event);
}

void CxSkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_buttonDown = false;
    QAbstractButton::mouseReleaseEvent(event);
}

void CxSkinButton::leaveEvent(QEvent* event)
{
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CxSkinButton::focusInEvent(QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    m_keyboardFocus = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason
                      || reason == Qt::ShortcutFocusReason;
    QAbstractButton::focusInEvent(event);
}

void CxSkinButton::focusOutEvent(QFocusEvent* event)
{
    m_buttonDown = false;
    m_keyboardFocus = false;
    QAbstractButton::focusOutEvent(event);
}

void CxSkinButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier)
    {
        m_keyboardFocus = true;
        animateClick();
        return;
    }
    if (event->key() == Qt::Key_Space)
        m_keyboardFocus = true;
    QAbstractButton::keyPressEvent(event);
}
