#pragma once
// What assistive technology reads of the text controls whose Qt counterparts
// it reads wrongly or not at all; made by the factory in AccessibleRoles.

class QAccessibleInterface;
class QLineEdit;
class QTextEdit;

// A single-line field: as Qt's own, but its text attributes span the whole
// text. A masked field gives no text at all.
QAccessibleInterface* MakeFieldAccessible(QLineEdit* field);
// A read-only rich text view: a document, pictures read by their
// alternative text.
QAccessibleInterface* MakeDocumentAccessible(QTextEdit* view);
