#pragma once
// What a reader is told of a heading (an HTML h1 to h6) in a read-only
// document view.

class QAccessibleInterface;
class QTextEdit;

// The heading whose block starts at position in the view's document.
QAccessibleInterface* MakeHeadingAccessible(QTextEdit* view, int position);
