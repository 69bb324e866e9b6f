#pragma once
// The DSL line page: how to connect the Internet cable and microfilter. Its
// NEXT tests the router login with the link's current values: a router that
// still takes them gets a new password (and the install mode page shows its
// restore option), any other router asks for the password it has.

#include "CRunningTextPage.h"

class CDslLineDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CDslLineDlg(QWidget* owner);

protected:
    void OnNext() override;
};
