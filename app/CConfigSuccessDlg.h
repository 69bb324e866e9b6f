#pragma once
// The success page: the router took the settings and the Internet answered.
// It offers the document links of the welcome page, START BROWSING (the
// maker's web site, then the end of the program) and NEXT to the
// join-wireless guide.

#include "CWizardPage.h"

inline constexpr int kAdvancedUiTipWidth = 450;

class CConfigSuccessDlg : public CWizardPage
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
    // A line made of an underlined term with its tip and the rest of the sentence.
    CLabel* AddTermLine(const QString& term, const QString& tip, int tipWidth, const QString& rest,
                        const QRect& line);
    void OnStartBrowsing();

    DocumentButtons m_documents{};
    CxSkinButton* m_startBrowsing = nullptr;
    CLabel* m_parentalControl = nullptr;
    CLabel* m_advancedUi = nullptr;
};
