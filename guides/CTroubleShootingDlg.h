#pragma once
// "Trouble Shooting": what to check when the Internet or the wireless does not
// work. Opened above any page with a Troubleshooting button; Exit closes only
// this page.

#include "CGuidePage.h"

class CTroubleShootingDlg : public CGuidePage
{
    Q_OBJECT

public:
    explicit CTroubleShootingDlg(QWidget* owner);

protected:
    void OnExit() override;
};
