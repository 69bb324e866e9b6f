#pragma once
// Roles for assistive technology that Qt cannot tell from a widget's class.

class QLabel;
class QWidget;

// Keeps a widget that only decorates (a background picture, the focus ring)
// out of what screen readers read: its accessible object reports itself
// invisible.
void HideFromAssistiveTechnology(QWidget* widget);

// A label that tells the user their input was refused: its accessible role
// is alert, so a screen reader speaks it as soon as it is shown.
void ShowAsAlert(QLabel* label);
