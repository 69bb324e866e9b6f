#pragma once
// An IPv4 address entry of four parts, 0 to 255 each, drawn as one field with
// dots between the parts. Typing "." (or a third digit) moves on to the next
// part; a "." right after a third digit has moved on is taken as that move,
// so typing a whole dotted address lands each number in its own part.
// Backspace in an empty part and the arrow keys at a part's edge move back
// and forth between parts. Entering a part from another one, or the field by
// Tab or Shift+Tab, selects the part's text, so typing replaces it. Tab and
// Shift+Tab leave the field from any part. Pasting a whole dotted address
// fills the four parts; pasting anything that is neither an address nor one
// part empties the field, so the page's checks refuse it rather than keep an
// address the user meant to replace.

#include <QFrame>
#include <QString>

#include <array>

class QLineEdit;

class CIpAddressField : public QFrame
{
    Q_OBJECT

public:
    explicit CIpAddressField(QWidget* parent = nullptr);

    // "" when no part holds a digit, else the dotted address with empty
    // parts read as 0.
    QString Text() const;
    const std::array<QLineEdit*, 4>& Parts() const { return m_parts; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Focus given to the field goes to its first part.
    void focusInEvent(QFocusEvent* event) override;

private:
    bool HandlePartKey(int index, const QKeyEvent& key);
    bool LeaveByTab(int index, const QKeyEvent& key);
    bool Paste(const QString& text);
    void FocusPart(int index, bool atEnd);
    int PartIndex(const QObject* watched) const;

    std::array<QLineEdit*, 4> m_parts{};
    // A third digit has just moved the caret on; the "." that usually
    // follows belongs to that move.
    bool m_movedOnByDigits = false;
};
