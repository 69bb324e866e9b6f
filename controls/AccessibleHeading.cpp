#include "AccessibleHeading.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace {

// A heading of a document (an HTML h1 to h6): a child of the document's
// object, so that a reader finds the headings and where they are shown.
class HeadingAccessible : public QAccessibleInterface
{
public:
    HeadingAccessible(QTextEdit* view, int position) : m_view(view), m_position(position) {}

    bool isValid() const override { return m_view; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return parent() ? parent()->window() : nullptr; }
    QAccessibleInterface* parent() const override
    {
        return m_view ? QAccessible::queryAccessibleInterface(m_view.data()) : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::Heading; }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && m_view ? Block().text().trimmed() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.readOnly = true;
        state.offscreen = m_view && !m_view->viewport()->rect().intersects(InViewport());
        return state;
    }
    QRect rect() const override
    {
        if (!m_view)
            return QRect();
        const QRect shown = InViewport();
        return QRect(m_view->viewport()->mapToGlobal(shown.topLeft()), shown.size());
    }

private:
    QTextBlock Block() const { return m_view->document()->findBlock(m_position); }
    QRect InViewport() const
    {
        const QRectF laidOut = m_view->document()->documentLayout()->blockBoundingRect(Block());
        return laidOut.toAlignedRect().translated(-m_view->horizontalScrollBar()->value(),
                                                  -m_view->verticalScrollBar()->value());
    }

    QPointer<QTextEdit> m_view;
    int m_position;  // where the heading's block starts
};

}  // namespace

QAccessibleInterface* MakeHeadingAccessible(QTextEdit* view, int position)
{
    return new HeadingAccessible(view, position);
}
