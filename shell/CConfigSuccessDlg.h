#pragma once
// The success page: the router took the settings and the Internet answered.
// It offers the document links of the welcome page, START BROWSING (the
// maker's web site, then the end of the program) and NEXT to the
// join-wireless guide.

#include "CRunningTextPage.h"

inline constexpr int kAdvancedUiTipWidth = 450;

class CConfigSuccessDlg : public CRunningTextPage
{
    Q_OBJECT

public:
    explicit CConfigSuccessDlg(QWidget* owner);

    CxSkinButton* StartBrowsingButton() const { return m_startBrowsing; }
    const DocumentButtons& Documents() const { return m_documents; }
    CLabel* ParentalControlTerm() const { return m_parentalControl; }
    CLabel* AdvancedUiTerm() const { return m_advancedUi; }

protected:
    void OnNext() override;

private:
    void BuildBody();
    void OnStartBrowsing();

    DocumentButtons m_documents{};
    CxSkinButton* m_startBrowsing = nullptr;
    CLabel* m_parentalControl = nullptr;
    CLabel* m_advancedUi = nullptr;
};
