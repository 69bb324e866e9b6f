#pragma once
// The reset-instructions page: how to bring the router back to its factory
// settings when its password is forgotten. NEXT and PREV both return to the
// existing-password page.

#include "CRunningTextPage.h"

class CForgotPassWordTipsDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CForgotPassWordTipsDlg(QWidget* owner);

protected:
    void OnNext() override;
};
