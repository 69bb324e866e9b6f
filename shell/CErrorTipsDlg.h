#pragma once
// The error light box, shown when the settings could not be saved or the
// Internet could not be reached afterwards. It lies over the page beneath,
// inside the same window, at a constant opacity of 230/255; every pixel of
// the key colour RGB(0,0,1) (all around its box) is fully transparent, so the
// page shows through there. It is drawn so by the toolkit itself: no window
// opacity, shape or compositor is needed. CLOSE leads back to a fresh ISP and
// PVC page.
// Opened above the Apply page, it names the cause that page saw in a line
// above its two texts.

#include "CWizardPage.h"
#include "FailureCause.h"

inline constexpr QColor kLightBoxKeyColour{0, 0, 1};
inline constexpr double kLightBoxOpacity = 230.0 / 255.0;

class CErrorTipsDlg : public CWizardPage
{
    Q_OBJECT

public:
    explicit CErrorTipsDlg(QWidget* owner);

    CxSkinButton* CloseButton() const { return m_close; }
    CLabel* CauseLabel() const { return m_cause; }

    // The heading and the cause line for cause.
    void ShowCause(FailureCause cause);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnClose();

    CxSkinButton* m_close = nullptr;
    CLabel* m_cause = nullptr;
};

// "Sorry, we are unable to save your ISP settings." unless every setting was saved.
QString LightBoxHeading(FailureCause cause);
// One sentence naming the cause; empty for None.
QString LightBoxCauseLine(FailureCause cause);
