#pragma once
// A push button drawn entirely from bitmap files: one face for the normal
// state, one while pressed, one with the mouse over it (plus optional
// disabled, focus and mask pictures), with the caption drawn on top. Each
// face's 2 x sibling, where there is one, is drawn on screens that scale by
// more than 1.

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QString>

class QShortcut;

class CxSkinButton : public QAbstractButton
{
    Q_OBJECT

public:
    explicit CxSkinButton(QWidget* parent = nullptr);
    explicit CxSkinButton(const QString& caption, QWidget* parent = nullptr);

    // Replaces all faces. Each argument is a bitmap path (relative paths
    // resolve against the working directory); an empty path means none, and a
    // file that cannot be loaded is treated as none without complaint.
    // Without a disabled path the normal face is used when disabled.
    // drawMode: 0 own size from the top-left corner, 1 stretched, 2 tiled
    // (clamped to 0..2). border non-zero draws a 3-D edge. focusMargin is the
    // inset of the focus rectangle (negative counts as 0). A mask makes the
    // button's shape its non-white pixels; with draw mode 0 the button is
    // resized to the mask (position kept).
    void SetSkin(const QString& normal, const QString& pressed, const QString& over,
                 const QString& disabled, const QString& focus, const QString& mask, int drawMode,
                 int border, int focusMargin);

    // Caption colour; the palette's button-text colour until set.
    void SetTextColor(const QColor& colour);
    QColor TextColor() const;

    // The caption; leading and trailing blanks are kept and shift the centred text.
    void SetCaption(const QString& caption);
    QString Caption() const;

    // Alt+letter clicks the button while its window is active; the letter's
    // first appearance in the caption is underlined. The caption itself
    // (text()) is not changed. A null letter removes the mnemonic.
    void SetMnemonic(QChar letter);
    QChar Mnemonic() const { return m_mnemonic; }

    // True while the mouse is over the button and it is not held down.
    bool IsHovering() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A face at 1 x and, where drawn, at 2 x: the 2 x picture is four times
    // the pixels, so it is loaded the first time it is drawn.
    struct Face
    {
        QPixmap Single;
        mutable QString DoublePath;  // emptied once loaded
        mutable QPixmap Double;
        bool IsNull() const { return Single.isNull(); }
        // Null where there is no fitting 2 x picture.
        const QPixmap& Doubled() const;
    };
    static Face LoadFace(const QString& path);

    void DrawFace(QPainter& painter, const Face& face) const;
    void DrawFocusCue(QPainter& painter) const;
    QString CaptionWithMnemonic() const;

    Face m_normal;
    Face m_pressed;
    Face m_over;
    Face m_disabled;
    Face m_focus;
    QRegion m_maskRegion;
    int m_drawMode = 0;
    bool m_border = false;
    int m_focusMargin = 0;
    QColor m_textColor;
    bool m_hovering = false;
    bool m_buttonDown = false;
    bool m_keyboardFocus = false;
    QChar m_mnemonic;
    QShortcut* m_shortcut = nullptr;
};
