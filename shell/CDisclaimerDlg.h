#pragma once
// The disclaimer: the wizard's version and the maker's legal notice, with one
// CLOSE button. Opened by the Disclaimer button of every page.

#include "CWizardPage.h"

class CDisclaimerDlg : public CWizardPage
{
    Q_OBJECT

public:
    explicit CDisclaimerDlg(QWidget* owner);

    CxSkinButton* CloseButton() const { return m_close; }

private:
    CxSkinButton* m_close = nullptr;
};
