#include "CConfigStaticIPDlg.h"

#include "CIpAddressField.h"
#include "ConnectionLayout.h"
#include "InputChecks.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QLineEdit>

namespace {

constexpr QRect kExplanationRect{60, 148, 680, 40};
constexpr int kFirstRowTop = 204;
constexpr int kRowPitch = 44;

constexpr const char* kCaptions[] = {
    "WAN IP Address:", "WAN Subnet Mask:", "WAN Gateway:", "Primary DNS:", "Secondary DNS:"};

}  // namespace

CConfigStaticIPDlg::CConfigStaticIPDlg(QWidget* owner)
    : CWizardPage(PageFrame{.Id = PageId::StaticIp,
                            .Background = "pic/BG/2600.gif",
                            .QuickBackground = "pic/BG/3300.gif",
                            .Heading = "Now tell us your internet Service Provider details.",
                            .Subject = "fixed addresses",
                            .ExitPressedLooksNormal = true},
                  owner)
{
    AddLabel("If you do not have this information already you will have to contact your Internet "
             "Service Provider and request the information below.",
             kExplanationRect);
    QList<QWidget*> order;
    for (std::size_t row = 0; row < m_fields.size(); ++row)
    {
        const int top = kFirstRowTop + int(row) * kRowPitch;
        CLabel* caption = AddLabel(kCaptions[row], QRect(60, top + kCaptionDrop + 1, 200, 26),
                                   kBoldBodyStyle);
        m_fields[row] = new CIpAddressField(this);
        m_fields[row]->setGeometry(270, top, 200, 26);
        LabelField(caption, m_fields[row]);
        order << m_fields[row]->Parts()[0];
    }
    SetReadingOrder(*this, order);
}

void CConfigStaticIPDlg::OnNext()
{
    auto text = [this](Field field) { return m_fields[field]->Text().toStdString(); };
    const StaticAddresses typed{text(IpAddress), text(SubnetMask), text(Gateway), text(PrimaryDns),
                                text(SecondaryDns)};
    StaticAddresses stored;
    if (const CheckMessage message = CheckStaticAddresses(typed, stored);
        message != CheckMessage::None)
    {
        ShowPlainMessage(CheckText(message));
        return;
    }
    WizardSettings& settings = WizardSession::Current().Settings;
    settings.StaticIpAddress = stored.IpAddress;
    settings.StaticSubnetMask = stored.SubnetMask;
    settings.StaticGateway = stored.Gateway;
    settings.StaticPrimaryDns = stored.PrimaryDns;
    settings.StaticSecondaryDns = stored.SecondaryDns;
    OpenNext(FlowChoice::Next);
}
