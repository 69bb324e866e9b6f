#pragma once
// The wireless page: network name (SSID), security level and pre-shared key.
// "None" empties and disables the key. NEXT checks the three and opens the
// Apply page.

#include "CWizardPage.h"

enum class CheckMessage;
class QComboBox;
class QLineEdit;

inline constexpr char kDefaultSsid[] = "Tarnix";

class CConfigWiressDlg : public CWizardPage
{
    Q_OBJECT

public:
    explicit CConfigWiressDlg(QWidget* owner);

    QLineEdit* SsidField() const { return m_ssid; }
    QComboBox* SecurityList() const { return m_security; }
    QLineEdit* KeyField() const { return m_key; }

protected:
    void OnNext() override;

private:
    void BuildBody();
    void OnSecurityChanged(int securityIndex);
    void ShowRefusal(CheckMessage message);

    QLineEdit* m_ssid = nullptr;
    QComboBox* m_security = nullptr;
    QLineEdit* m_key = nullptr;
    CLabel* m_ssidError = nullptr;
    CLabel* m_keyError = nullptr;
};
