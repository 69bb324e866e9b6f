#include "CGuidePage.h"

CGuidePage::CGuidePage(const PageFrame& frame, QWidget* owner, const QRect& guideRect,
                       const GuideTemplates& templates, const GuideFill& fill)
    : CWizardPage(frame, owner), m_templates(templates), m_fill(fill)
{
    auto* placeholder = new QWidget(this);
    placeholder->setProperty(kControlIdProperty, kGuidePlaceholderId);
    placeholder->setGeometry(guideRect);
    m_browser.CreateFromControl(this, kGuidePlaceholderId);
    if (const auto document = BuildGuideDocument(kGuideLanguageId, m_templates.Shown,
                                                 kDisplayedGuideMediaSlots, m_fill))
        ShowGuideDocument(m_browser, *document);

    m_print = AddSkinButton("PRINT", PageLayout::kNextRect,
                            FacesPressedOver("pic/BUTTON/print/print_ready.bmp",
                                             "pic/BUTTON/print/print_ready1.bmp"));
    m_print->setFont(EnlargedFont(4));
    connect(m_print, &QAbstractButton::clicked, this, &CGuidePage::OnPrint);
}

void CGuidePage::OnPrint()
{
    if (const auto document = BuildGuideDocument(kGuideLanguageId, m_templates.Printed,
                                                 kPrintedGuideMediaSlots, m_fill))
        PrintGuideDocument(*document);
    else
        m_browser.Print(QString(), QString());
}
