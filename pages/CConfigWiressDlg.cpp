#include "CConfigWiressDlg.h"

#include "ConnectionLayout.h"
#include "InputChecks.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QComboBox>
#include <QLineEdit>

#include <tuple>

namespace {

constexpr QRect kExplanationRect{60, 148, 680, 22};
constexpr QRect kHintRect{60, 172, 680, 22};
constexpr int kFirstRowTop = 220;
constexpr int kRowPitch = 44;

QRect CaptionRect(int row)
{
    return QRect(60, kFirstRowTop + row * kRowPitch + kCaptionDrop, 220, 24);
}

QRect FieldRect(int row)
{
    return QRect(290, kFirstRowTop + row * kRowPitch, 230, 24);
}

// Beside the field, wrapping to two lines.
QRect ErrorRect(int row)
{
    return QRect(530, kFirstRowTop + row * kRowPitch - 6, 230, 36);
}

bool ConcernsTheSsid(CheckMessage message)
{
    return message == CheckMessage::SsidBlank || message == CheckMessage::SsidLength;
}

}  // namespace

CConfigWiressDlg::CConfigWiressDlg(QWidget* owner)
    : CWizardPage(PageFrame{.Id = PageId::Wireless,
                            .Background = "pic/BG/2700.gif",
                            .QuickBackground = "pic/BG/3400.gif",
                            .Heading = "Give your wireless network a name",
                            .ExitPressedLooksNormal = true},
                  owner)
{
    BuildBody();
    connect(m_security, &QComboBox::currentIndexChanged, this,
            &CConfigWiressDlg::OnSecurityChanged);
    SetReadingOrder(*this, {m_ssid, m_security, m_key});
}

void CConfigWiressDlg::BuildBody()
{
    AddLabel("Choose a name for your wireless network. It should be something you can recognise "
             "later.",
             kExplanationRect);
    // No blank after "long." is the page's wording.
    AddLabel("Your network name should be one word and can be between 1 and 32 characters "
             "long.Example: Tarnix",
             kHintRect);
    CLabel* ssidCaption = AddLabel("Wireless Network Name (SSID):", CaptionRect(0), kBoldBodyStyle);
    m_ssid = AddLineEdit(FieldRect(0), false);
    m_ssid->setText(kDefaultSsid);
    LabelField(ssidCaption, m_ssid);
    CLabel* securityCaption = AddLabel("Security Level:", CaptionRect(1), kBoldBodyStyle);
    m_security = new QComboBox(this);
    m_security->setGeometry(FieldRect(1));
    LabelField(securityCaption, m_security);
    for (std::string_view name : SecurityLevelNames)
        m_security->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
    m_security->setCurrentIndex(SecurityWpa2);
    CLabel* keyCaption = AddLabel("Pre-Shared Key : ", CaptionRect(2), kBoldBodyStyle);
    m_key = AddLineEdit(FieldRect(2), true);
    LabelField(keyCaption, m_key);
    for (auto [error, field, row] : {std::tuple{&m_ssidError, m_ssid, 0}, {&m_keyError, m_key, 2}})
    {
        *error = AddLabel(QString(), ErrorRect(row), kErrorStyle);
        (*error)->hide();
        MarkAsAlert(*error, field);
    }
}

// Shown beside the field it concerns, as every page reports refusals; the
// field takes the focus and keeps what was typed.
void CConfigWiressDlg::ShowRefusal(CheckMessage message)
{
    const bool ssid = ConcernsTheSsid(message);
    CLabel* shown = ssid ? m_ssidError : m_keyError;
    (ssid ? m_keyError : m_ssidError)->hide();
    shown->hide();
    shown->setText(CheckText(message));
    shown->show();
    (ssid ? m_ssid : m_key)->setFocus(Qt::OtherFocusReason);
}

void CConfigWiressDlg::OnSecurityChanged(int securityIndex)
{
    const bool none = securityIndex == SecurityNone;
    if (none)
        m_key->clear();
    m_key->setEnabled(!none);
}

void CConfigWiressDlg::OnNext()
{
    const int securityIndex = m_security->currentIndex();
    const std::string ssid = m_ssid->text().toStdString();
    std::string key;
    if (const CheckMessage message = CheckWireless(ssid, m_key->text().toStdString(), securityIndex,
                                                   key);
        message != CheckMessage::None)
    {
        ShowRefusal(message);
        return;
    }
    // The router gets and the guides show the same trimmed key.
    WizardSettings& settings = WizardSession::Current().Settings;
    settings.SsidW = m_ssid->text().toStdU16String();
    settings.Ssid = ssid;
    settings.WirelessKeyW = QString::fromStdString(key).toStdU16String();
    settings.WirelessKey = key;
    settings.WirelessSecurityIndex = securityIndex;
    m_ssidError->hide();
    m_keyError->hide();
    OpenNext(FlowChoice::Next);
}
