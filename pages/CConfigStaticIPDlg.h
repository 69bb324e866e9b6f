#pragma once
// The static IP page: the WAN address, subnet mask, gateway and the two DNS
// servers the Internet service provider assigned. NEXT checks them in order
// and opens the wireless page.

#include "CWizardPage.h"

#include <array>

class CIpAddressField;

class CConfigStaticIPDlg : public CWizardPage
{
    Q_OBJECT

public:
    enum Field
    {
        IpAddress,
        SubnetMask,
        Gateway,
        PrimaryDns,
        SecondaryDns
    };

    explicit CConfigStaticIPDlg(QWidget* owner);

    CIpAddressField* AddressField(Field field) const { return m_fields[field]; }

protected:
    void OnNext() override;

private:
    std::array<CIpAddressField*, 5> m_fields{};
};
