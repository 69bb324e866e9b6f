#include "AccessibleText.h"
#include "AccessibleHeading.h"

#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextTable>

#include <algorithm>
#include <vector>

namespace {

// Readers ask for the run of equal attributes at each offset and join the
// runs; a run must therefore reach past its offset, or the last character
// is lost ("Tarnix" read as "Tarni"). Neither control has attributes to tell.
QString WholeRun(int length, int* startOffset, int* endOffset)
{
    *startOffset = 0;
    *endOffset = length;
    return QString();
}

class FieldAccessible : public QAccessibleWidget,
                        public QAccessibleTextInterface,
                        public QAccessibleEditableTextInterface
{
public:
    explicit FieldAccessible(QLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.passwordEdit = Masked();
        state.readOnly = Field()->isReadOnly();
        state.editable = !state.readOnly;
        state.selectableText = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return Readable();
        return QAccessibleWidget::text(kind);
    }
    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind == QAccessible::Value)
            Field()->setText(text);
    }

    QString text(int startOffset, int endOffset) const override
    {
        return Readable().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return Readable().size(); }
    int cursorPosition() const override { return Field()->cursorPosition(); }
    void setCursorPosition(int position) override { Field()->setCursorPosition(position); }
    int selectionCount() const override { return Field()->hasSelectedText() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override
    {
        const bool any = index == 0 && Field()->hasSelectedText();
        *startOffset = any ? Field()->selectionStart() : 0;
        *endOffset = any ? Field()->selectionEnd() : 0;
    }
    void addSelection(int startOffset, int endOffset) override
    {
        Field()->setSelection(startOffset, endOffset - startOffset);
    }
    void setSelection(int, int startOffset, int endOffset) override
    {
        addSelection(startOffset, endOffset);
    }
    void removeSelection(int) override { Field()->deselect(); }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        return WholeRun(characterCount(), startOffset, endOffset);
    }
    // Where a left-aligned text that has not scrolled draws the character.
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = Field()->fontMetrics();
        const QString shown = Field()->displayText();
        const QRect area = Field()->contentsRect().marginsRemoved(Field()->textMargins());
        const int x = area.left() + metrics.horizontalAdvance(shown.left(offset));
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 1;
        return QRect(Field()->mapToGlobal(QPoint(x, area.top())), QSize(width, area.height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return Field()->cursorPositionAt(Field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { setCursorPosition(startIndex); }

    void deleteText(int startOffset, int endOffset) override
    {
        replaceText(startOffset, endOffset, QString());
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        Field()->setText(Field()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* Field() const { return static_cast<QLineEdit*>(widget()); }
    bool Masked() const { return Field()->echoMode() != QLineEdit::Normal; }
    QString Readable() const { return Masked() ? QString() : Field()->text(); }
};

// Offsets here count each picture's alternative text in full; the view's
// own count a picture as one character. The document's headings follow the
// view's own children.
class DocumentAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit DocumentAccessible(QTextEdit* view) : QAccessibleWidget(view, QAccessible::Document) {}
    ~DocumentAccessible() override { ForgetHeadings(); }

    int childCount() const override
    {
        return QAccessibleWidget::childCount() + int(Headings().size());
    }
    QAccessibleInterface* child(int index) const override
    {
        const int own = QAccessibleWidget::childCount();
        if (index < own)
            return QAccessibleWidget::child(index);
        const std::vector<QAccessibleInterface*>& headings = Headings();
        return index - own < int(headings.size()) ? headings[size_t(index - own)] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const std::vector<QAccessibleInterface*>& headings = Headings();
        const auto found = std::find(headings.begin(), headings.end(), child);
        if (found == headings.end())
            return QAccessibleWidget::indexOfChild(child);
        return QAccessibleWidget::childCount() + int(found - headings.begin());
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    QString text(int startOffset, int endOffset) const override
    {
        return Read().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return Read().size(); }
    int cursorPosition() const override { return Shown(View()->textCursor().position()); }
    void setCursorPosition(int position) override { Select(position, position); }
    int selectionCount() const override { return View()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int* startOffset, int* endOffset) const override
    {
        const QTextCursor cursor = View()->textCursor();
        const bool any = index == 0 && cursor.hasSelection();
        *startOffset = any ? Shown(cursor.selectionStart()) : 0;
        *endOffset = any ? Shown(cursor.selectionEnd()) : 0;
    }
    void addSelection(int startOffset, int endOffset) override { Select(startOffset, endOffset); }
    void setSelection(int, int startOffset, int endOffset) override
    {
        Select(startOffset, endOffset);
    }
    void removeSelection(int) override
    {
        QTextCursor cursor = View()->textCursor();
        cursor.clearSelection();
        View()->setTextCursor(cursor);
    }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        return WholeRun(characterCount(), startOffset, endOffset);
    }
    // A line is what the eye takes as one: the line as laid out, and in a
    // table the whole row, so that a name is read with its value.
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                         int* endOffset) const override
    {
        if (type != QAccessible::LineBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, type, startOffset, endOffset);
        QTextCursor start(View()->document());
        start.setPosition(InView(std::clamp(offset, 0, characterCount())));
        QTextCursor end = start;
        if (const QTextTable* table = start.currentTable())
        {
            const int row = table->cellAt(start).row();
            start = table->cellAt(row, 0).firstCursorPosition();
            end = table->cellAt(row, table->columns() - 1).lastCursorPosition();
        }
        else
        {
            start.movePosition(QTextCursor::StartOfLine);
            end.movePosition(QTextCursor::EndOfLine);
        }
        *startOffset = Shown(start.position());
        *endOffset = Shown(end.position());
        return text(*startOffset, *endOffset).replace('\n', ' ');
    }
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(View()->document());
        cursor.setPosition(InView(offset));
        const QRect rect = View()->cursorRect(cursor);
        return QRect(View()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        const QPoint inViewport = View()->viewport()->mapFromGlobal(point);
        return Shown(View()->cursorForPosition(inViewport).position());
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        Select(startIndex, endIndex);
        View()->ensureCursorVisible();
    }

private:
    // Made anew when the document has changed since they were made.
    const std::vector<QAccessibleInterface*>& Headings() const
    {
        const int revision = View()->document()->revision();
        if (revision == m_headingsRevision)
            return m_headings;
        ForgetHeadings();
        m_headingsRevision = revision;
        for (QTextBlock block = View()->document()->begin(); block.isValid(); block = block.next())
            if (block.blockFormat().headingLevel() > 0)
            {
                QAccessibleInterface* heading = MakeHeadingAccessible(View(), block.position());
                QAccessible::registerAccessibleInterface(heading);
                m_headings.push_back(heading);
            }
        return m_headings;
    }
    void ForgetHeadings() const
    {
        for (QAccessibleInterface* heading : m_headings)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(heading));
        m_headings.clear();
    }

    mutable std::vector<QAccessibleInterface*> m_headings;
    mutable int m_headingsRevision = -1;

    struct Picture
    {
        int Position;  // in the view
        QString Alternative;
    };

    QTextEdit* View() const { return static_cast<QTextEdit*>(widget()); }

    QList<Picture> Pictures() const
    {
        QList<Picture> pictures;
        for (QTextBlock block = View()->document()->begin(); block.isValid(); block = block.next())
            for (auto piece = block.begin(); !piece.atEnd(); ++piece)
                if (const QTextCharFormat format = piece.fragment().charFormat();
                    format.isImageFormat())
                    pictures.push_back({piece.fragment().position(),
                                        format.stringProperty(QTextFormat::ImageAltText)});
        return pictures;
    }

    QString Read() const
    {
        QString text = View()->document()->toPlainText();
        const QList<Picture> pictures = Pictures();
        for (auto picture = pictures.crbegin(); picture != pictures.crend(); ++picture)
            text.replace(picture->Position, 1, picture->Alternative);
        return text;
    }

    int Shown(int position) const
    {
        int shown = position;
        for (const Picture& picture : Pictures())
            if (picture.Position < position)
                shown += int(picture.Alternative.size()) - 1;
        return shown;
    }

    // An offset inside a picture's alternative text is the place after the picture.
    int InView(int offset) const
    {
        int position = offset;
        for (const Picture& picture : Pictures())
        {
            const int shownAt = Shown(picture.Position);
            if (shownAt >= offset)
                break;
            position -= std::min(offset - shownAt, int(picture.Alternative.size())) - 1;
        }
        return position;
    }

    void Select(int startOffset, int endOffset)
    {
        QTextCursor cursor = View()->textCursor();
        cursor.setPosition(InView(startOffset));
        cursor.setPosition(InView(endOffset), QTextCursor::KeepAnchor);
        View()->setTextCursor(cursor);
    }
};

}  // namespace

QAccessibleInterface* MakeFieldAccessible(QLineEdit* field)
{
    return new FieldAccessible(field);
}

QAccessibleInterface* MakeDocumentAccessible(QTextEdit* view)
{
    return new DocumentAccessible(view);
}
