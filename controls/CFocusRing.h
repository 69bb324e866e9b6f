#pragma once
// A ring around whichever control inside its host has the keyboard focus,
// drawn just outside the control: a light line next to it and a dark line
// around that, so one of the two stands out by at least 3:1 on any colour
// the page puts around a control (the light panel or the dark bottom band).
// It follows the focus, also when a page opens with the focus on a control,
// and takes no clicks, no focus and no part in what assistive technology reads.

#include <QPointer>
#include <QWidget>

class CFocusRing : public QWidget
{
    Q_OBJECT

public:
    // Width of each of the two lines; the ring reaches 2 * kLineWidth
    // outside the control.
    static constexpr int kLineWidth = 2;

    explicit CFocusRing(QWidget* host);

    // The control the ring is drawn around; null when hidden.
    QWidget* Target() const { return m_target; }

    // A control made of parts that take the focus themselves (an address
    // field): the ring goes around the whole control.
    static void RingAsOne(QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Follow(QWidget* focused);
    void Place();

    QWidget* m_host;
    QPointer<QWidget> m_target;
};
