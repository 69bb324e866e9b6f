#pragma once
// The Ethernet page: how to cable the computer to the router's first LAN port.

#include "CRunningTextPage.h"

class CEthLineDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CEthLineDlg(QWidget* owner);

protected:
    void OnNext() override;
};
