#pragma once
// A page of the frame that shows a guide in an HTML view and prints it. The
// guide is built once, when the page opens; PRINT prints the guide's print
// variant, filled the same way, or the guide as shown when there is none.

#include "CWizardPage.h"
#include "GuideDocument.h"
#include "SimpleBrowser.h"

struct GuideTemplates
{
    QString Shown;    // "HowTo.html"
    QString Printed;  // "HowTo_print.html"
};

class CGuidePage : public CWizardPage
{
    Q_OBJECT

public:
    CGuidePage(const PageFrame& frame, QWidget* owner, const QRect& guideRect,
               const GuideTemplates& templates, const GuideFill& fill);

    SimpleBrowser& Browser() { return m_browser; }
    CxSkinButton* PrintButton() const { return m_print; }

private:
    void OnPrint();

    GuideTemplates m_templates;
    GuideFill m_fill;
    SimpleBrowser m_browser;
    CxSkinButton* m_print = nullptr;
};
