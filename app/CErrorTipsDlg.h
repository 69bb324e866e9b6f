#pragma once
// The error light box, shown when the settings could not be saved or the
// Internet could not be reached afterwards. It lies over the page at a
// constant opacity of 230/255; the window outside its box is painted in the
// key colour RGB(0,0,1), which is cut out of the window's shape. Where the
// desktop does not composite the opacity has no effect and the box is shown
// opaque, working the same. CLOSE leads back to a fresh ISP and PVC page.

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
    void showEvent(QShowEvent* event) override;

private:
    void OnClose();
    void ApplyLayering();

    CxSkinButton* m_close = nullptr;
};
