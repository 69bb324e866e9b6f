#pragma once
// An IPv4 address entry of four parts, 0 to 255 each, drawn as one field with
// dots between the parts. Typing "." (or a third digit) moves on to the next
// part; Backspace in an empty part and the arrow keys at a part's edge move
// back and forth between parts. Tab goes to the next field, not the next part.
// Pasting a whole dotted address fills the four parts.

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

private:
    bool HandlePartKey(int index, int key);
    bool PasteAddress(const QString& text);
    void FocusPart(int index, bool atEnd);

    std::array<QLineEdit*, 4> m_parts{};
};
