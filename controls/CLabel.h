#pragma once
// A static text drawn by itself: by default over the page picture with a
// transparent background, in a chosen size, weight, underline, colour and
// alignment. Multi-line texts wrap at the label's width.

#include <QColor>
#include <QLabel>
#include <QPointer>
#include <QString>

class CLabel : public QLabel
{
    Q_OBJECT

public:
    explicit CLabel(QWidget* parent = nullptr);
    explicit CLabel(const QString& text, QWidget* parent = nullptr);

    // The pages' one-call style: point size; flags bit 0 bold (weight 700,
    // else 400), bit 1 underlined, other bits ignored; alignment 0 left,
    // 1 centred, 2 right, anything else left; text colour. The face is
    // "Arial", falling back to Liberation Sans where Arial is not installed.
    // Also switches the label to transparent drawing.
    void StyleLabel(int size, int flags, int alignment, const QColor& colour);

    void SetTextColor(const QColor& colour);
    QColor TextColor() const;

    // Transparent: the parent shows through. Opaque: filled with the
    // palette's button colour.
    void SetTransparent(bool transparent);
    bool IsTransparent() const;

    // An alert label (an error shown beside a field) has the alert role and
    // is announced to assistive technology each time it appears. While it
    // shows, the field it concerns is described by its text, which a screen
    // reader speaks with the field, or at once when the field has the focus.
    void SetAlert(bool alert, QWidget* field = nullptr);
    bool IsAlert() const { return m_alert; }
    QWidget* DescribedField() const { return m_field; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool m_transparent = true;
    bool m_alert = false;
    QPointer<QWidget> m_field;
};
