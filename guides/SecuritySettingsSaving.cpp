#include "SecuritySettingsSaving.h"

#include "CWizardEffects.h"
#include "SecuritySettingsFile.h"

#include <QDir>
#include <QFileInfo>

QString ChooseSecuritySettingsPath(QWidget* page)
{
    // Something there that is not a folder is not asked around: the write
    // reports it with the path, so that the user can see what is wrong.
    const QString desktop = DesktopFolder();
    if (!desktop.isEmpty() && QFileInfo::exists(desktop))
        return SecuritySettingsFilePath();
    const QString suggested = QDir::homePath() + '/'
                              + QString::fromUtf16(kSecuritySettingsFileName);
    return WizardEffects().AskSaveFileName(page, kSaveDialogCaption, suggested);
}

void SaveSecuritySettings(QWidget* page, const QString& networkName, const QString& networkKeyShown)
{
    const QString path = ChooseSecuritySettingsPath(page);
    if (path.isEmpty())
    {
        WizardEffects().ShowMessage(page, kNotSavedMessage, ProgramName(), QMessageBox::Warning);
        return;
    }
    if (const auto error = WriteSecuritySettingsFile(path, networkName, networkKeyShown))
        WizardEffects().ShowMessage(page, *error, ProgramName(), QMessageBox::Critical);
    else
        WizardEffects().ShowMessage(page, QString(kSavedMessage) + "\n\n" + path, ProgramName(),
                                    QMessageBox::Information);
}
