#pragma once
// Where the security settings file goes and what the user is told about it.
// The desktop folder takes it when the folder is there; where the desktop has
// none (common on Linux), the desktop's save dialog asks, starting in the home
// folder with the file's name filled in. Every outcome is said in a message
// box above page, and the page itself is left as it is.

#include <QString>

class QWidget;

inline constexpr char kSaveDialogCaption[] = "Save your security settings";
inline constexpr char kSavedMessage[] = "Your security settings were saved in this file:";
inline constexpr char kNotSavedMessage[] =
    "Your security settings were not saved, as no place was chosen for the file.";

// The desktop's file when its folder exists, else the user's choice; empty
// when the user cancelled the save dialog.
QString ChooseSecuritySettingsPath(QWidget* page);

// Chooses the place, writes the file and says how it went.
void SaveSecuritySettings(QWidget* page, const QString& networkName,
                          const QString& networkKeyShown);
