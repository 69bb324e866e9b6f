#pragma once
// The ISP and PVC page: country and Internet service provider, protocol,
// encapsulation and the permanent virtual circuit (VPI, VCI). Choosing a
// country loads its defaults; the Dynamic/Static IP choice shows for MER only.
// NEXT opens the page the protocol needs: ISP account, static IP or wireless.

#include "CWizardPage.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

class CConfigPvcDlg : public CWizardPage
{
    Q_OBJECT

public:
    explicit CConfigPvcDlg(QWidget* owner);

    QComboBox* CountryList() const { return m_country; }
    QComboBox* IspList() const { return m_isp; }
    QComboBox* ProtocolList() const { return m_protocol; }
    QComboBox* EncapsulationList() const { return m_encapsulation; }
    QLineEdit* VpiField() const { return m_vpi; }
    QLineEdit* VciField() const { return m_vci; }
    QRadioButton* DynamicIpButton() const { return m_dynamicIp; }
    QRadioButton* StaticIpButton() const { return m_staticIp; }

protected:
    void OnNext() override;

private:
    void BuildBody();
    QComboBox* AddList(int row, const QString& caption);
    void LoadCountryDefaults(int countryIndex);
    void ShowIpMode(int protocolIndex);

    QComboBox* m_country = nullptr;
    QComboBox* m_isp = nullptr;
    QComboBox* m_protocol = nullptr;
    QComboBox* m_encapsulation = nullptr;
    QLineEdit* m_vpi = nullptr;
    QLineEdit* m_vci = nullptr;
    QRadioButton* m_dynamicIp = nullptr;
    QRadioButton* m_staticIp = nullptr;
};
