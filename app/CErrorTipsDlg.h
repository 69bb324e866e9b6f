#pragma once
// The error light box, shown when the settings could not be saved or the
// Internet could not be reached afterwards. It lies over the page beneath,
// inside the same window, at a constant opacity of 230/255; every pixel of
// the key colour RGB(0,0,1) (all around its box) is fully transparent, so the
// page shows through there. It is drawn so by the toolkit itself: no window
// opacity, shape or compositor is needed. CLOSE leads back to a fresh ISP and
// PVC page.

#include "CWizardPage.h"

inline constexpr QColor kLightBoxKeyColour{0, 0, 1};
inline constexpr double kLightBoxOpacity = 230.0 / 255.0;

class CErrorTipsDlg : public CWizardPage
{
    Q_OBJECT

public:
    explicit CErrorTipsDlg(QWidget* owner);

    CxSkinButton* CloseButton() const { return m_close; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void OnClose();

    CxSkinButton* m_close = nullptr;
};
