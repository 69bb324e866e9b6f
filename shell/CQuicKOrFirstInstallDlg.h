#pragma once
// The install mode page: first install (walk the hardware pages), quick
// install (log in with the factory password at once) or restore configuration.
// The restore choice stays hidden until a login with the factory password has
// succeeded; later pages ask for it with RequestRestoreReveal.

#include "CWizardPage.h"

class CQuicKOrFirstInstallDlg : public CWizardPage
{
    Q_OBJECT

public:
    enum class InstallChoice
    {
        FirstInstall,
        QuickInstall,
        Restore,
    };

    // Becomes WizardSession::ModePageWindow.
    explicit CQuicKOrFirstInstallDlg(QWidget* owner);
    ~CQuicKOrFirstInstallDlg() override;

    // Shows the restore option button and picture for the life of this page.
    void RevealRestoreOption();
    bool IsRestoreOptionShown() const;
    InstallChoice Choice() const { return m_choice; }

    QRadioButton* OptionButton(InstallChoice choice) const;
    CxSkinButton* PictureButton(InstallChoice choice) const;

    // Reveals the restore option on the most recently opened install mode
    // page, if one is open.
    static void RequestRestoreReveal();

    void done(int result) override;

protected:
    void OnNext() override;

private:
    void BuildChoices();
    void OnFirstInstall();
    void OnQuickInstall();
    void OnRestorePicture();
    void ForgetIfModePage();

    InstallChoice m_choice = InstallChoice::FirstInstall;
    QRadioButton* m_options[3] = {};
    CxSkinButton* m_pictures[3] = {};
};
