#pragma once
// Roles for assistive technology that Qt cannot tell from a widget's class.

class QComboBox;
class QLabel;
class QString;
class QLineEdit;
class QTextEdit;
class QWidget;

// Keeps a widget that only decorates (a background picture, the focus ring)
// out of what screen readers read: its accessible object reports itself
// invisible.
void HideFromAssistiveTechnology(QWidget* widget);

// A page's title line: a heading.
void ShowAsHeading(QLabel* label);

// A widget that draws nothing of its own over a picture that shows text (the
// step bar of a page's background): read as that text.
void ShowAsText(QWidget* widget, const QString& text);

// A single-line field whose text a reader speaks whole (Qt's own tells a
// reader of text attribute runs that end before the last character).
void ShowAsField(QLineEdit* field);

// A read-only rich text view (a guide): a document whose text the arrow keys
// read, pictures by their alternative text.
void ShowAsDocument(QTextEdit* view);

// A term the keyboard reaches whose explanation opens on Enter or Space.
void ShowAsLink(QLabel* label);

// A status line whose changes a screen reader speaks without moving the
// focus (AnnounceNotice says when).
void ShowAsNotice(QLabel* label);
void AnnounceNotice(QLabel* label);

// A label that tells the user their input was refused: its accessible role
// is alert, so a screen reader speaks it as soon as it is shown.
void ShowAsAlert(QLabel* label);

// Sets widget's description and tells assistive technology, which Qt does not
// do itself; a reader speaks the new description of the control it is on.
void Describe(QWidget* widget, const QString& description);

// A drop-down list whose entry changes while it is closed (Up, Down, Home,
// End, a letter): readers are told that the entry now shown has the focus,
// as a desktop list tells of its entry, and speak it once.
void AnnounceEntryChanges(QComboBox* list);

// A field whose characters are masked (a password or a key): what it tells
// assistive technology of a change (typing, pasting, deleting) carries one
// bullet per character instead of the characters, as the desktop's own
// password entries do, so a screen reader never speaks the secret.
void KeepSecretFromAssistiveTechnology(QLineEdit* field);
