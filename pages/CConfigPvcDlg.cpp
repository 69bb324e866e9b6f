#include "CConfigPvcDlg.h"

#include "ConnectionLayout.h"
#include "InputChecks.h"
#include "WizardSession.h"
#include "WizardSettings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr QRect kIntroRect{60, 148, 680, 48};
constexpr int kFirstRowTop = 204;
constexpr int kRowPitch = 38;
constexpr int kCaptionLeft = 60;
constexpr int kFieldLeft = 270;
constexpr int kBesideLeft = 510;
constexpr int kRowHeight = 24;

enum Row
{
    CountryRow,
    IspRow,
    ProtocolRow,
    EncapsulationRow,
    VpiRow,
    VciRow
};

QRect RowRect(int row, int left, int width)
{
    return QRect(left, kFirstRowTop + row * kRowPitch, width, kRowHeight);
}

QRect CaptionRect(int row, int left, int width)
{
    return RowRect(row, left, width).translated(0, kCaptionDrop);
}

template <typename Names>
void Fill(QComboBox* list, const Names& names)
{
    for (std::string_view name : names)
        list->addItem(QString::fromUtf8(name.data(), qsizetype(name.size())));
}

}  // namespace

CConfigPvcDlg::CConfigPvcDlg(QWidget* owner)
    : CWizardPage(PageFrame{.Id = PageId::IspAndPvc,
                            .Background = "pic/BG/2510.gif",
                            .QuickBackground = "pic/BG/3200.gif",
                            .Heading = "Now tell us your internet Service Provider details.",
                            .Subject = "provider and connection",
                            .ExitPressedLooksNormal = true},
                  owner)
{
    BuildBody();
    LoadCountryDefaults(CountryAustralia);
    ShowIpMode(m_protocol->currentIndex());
    connect(m_country, &QComboBox::currentIndexChanged, this, &CConfigPvcDlg::LoadCountryDefaults);
    connect(m_protocol, &QComboBox::currentIndexChanged, this, &CConfigPvcDlg::ShowIpMode);
    SetReadingOrder(*this, {m_country, m_isp, m_protocol, m_dynamicIp, m_staticIp, m_encapsulation,
                            m_vpi, m_vci});
}

void CConfigPvcDlg::BuildBody()
{
    // Two blanks after "internet" are the page's wording.
    CLabel* intro = AddLabel(
        "Now tell us your internet  Service Provider details. If you do not have this "
        "information already you will have to contact your Internet Service Provider and "
        "request the information below.",
        kIntroRect);
    // Its first sentence is the heading, which the page's announcement has just said.
    intro->setAccessibleName(intro->text().section(". ", 1));
    m_country = AddList(CountryRow, "Country:");
    Fill(m_country, CountryNames);
    m_isp = AddList(IspRow, "Internet Service Provider:");
    m_protocol = AddList(ProtocolRow, "Protocol:");
    Fill(m_protocol, ProtocolNames);
    m_dynamicIp = AddRadioButton(RowRect(ProtocolRow, kBesideLeft, 110), "Dynamic IP");
    m_staticIp = AddRadioButton(RowRect(ProtocolRow, kBesideLeft + 110, 110), "Static IP");
    m_dynamicIp->setChecked(true);
    m_encapsulation = AddList(EncapsulationRow, "Encapsulation:");
    Fill(m_encapsulation, EncapsulationNames);

    CLabel* vpiCaption = AddLabel("VPI:", CaptionRect(VpiRow, kCaptionLeft, 200), kBoldBodyStyle);
    m_vpi = AddLineEdit(RowRect(VpiRow, kFieldLeft, 230), false);
    LabelField(vpiCaption, m_vpi);
    AddLabel("(0-255)", CaptionRect(VpiRow, kBesideLeft, 120));
    CLabel* vciCaption = AddLabel("VCI:", CaptionRect(VciRow, kCaptionLeft, 200), kBoldBodyStyle);
    m_vci = AddLineEdit(RowRect(VciRow, kFieldLeft, 230), false);
    LabelField(vciCaption, m_vci);
    AddLabel("(32-65535)", CaptionRect(VciRow, kBesideLeft, 120));
}

QComboBox* CConfigPvcDlg::AddList(int row, const QString& caption)
{
    CLabel* label = AddLabel(caption, CaptionRect(row, kCaptionLeft, 200), kBoldBodyStyle);
    auto* list = new QComboBox(this);
    list->setGeometry(RowRect(row, kFieldLeft, 230));
    LabelField(label, list);
    return list;
}

void CConfigPvcDlg::LoadCountryDefaults(int countryIndex)
{
    const CountryDefaults& defaults = GetCountryDefaults(countryIndex);
    m_isp->clear();
    Fill(m_isp, defaults.IspNames);
    m_protocol->setCurrentIndex(defaults.ProtocolIndex);
    m_encapsulation->setCurrentIndex(defaults.EncapsulationIndex);
    m_vpi->setText(QString::number(defaults.AtmVpi));
    m_vci->setText(QString::number(defaults.AtmVci));
}

void CConfigPvcDlg::ShowIpMode(int protocolIndex)
{
    // Hiding keeps the checked button: it counts again when MER is chosen.
    const bool mer = protocolIndex == ProtocolMer;
    m_dynamicIp->setVisible(mer);
    m_staticIp->setVisible(mer);
}

void CConfigPvcDlg::OnNext()
{
    const int vpi = ReadDecimal(m_vpi->text().toStdString());
    const int vci = ReadDecimal(m_vci->text().toStdString());
    if (const CheckMessage message = CheckPvc(vpi, vci); message != CheckMessage::None)
    {
        ShowPlainMessage(CheckText(message));
        return;
    }
    WizardSettings& settings = WizardSession::Current().Settings;
    settings.AtmVpi = vpi;
    settings.AtmVci = vci;
    settings.EncapsulationIndex = m_encapsulation->currentIndex();
    settings.ProtocolIndex = m_protocol->currentIndex();
    settings.CountryIndex = m_country->currentIndex();
    settings.MerDynamicIp = m_dynamicIp->isChecked() ? MerIpDynamic : MerIpStatic;
    OpenNext(ProtocolChoice(settings.ProtocolIndex, settings.MerDynamicIp));
}
