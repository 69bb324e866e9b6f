#pragma once
// The power page: how to connect the power adapter and switch the router on.

#include "CRunningTextPage.h"

class CConfigPowerDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CConfigPowerDlg(QWidget* owner);

protected:
    void OnNext() override;
};
