#include "CGuidePage.h"

#include "AccessibleRoles.h"

#include <QTextBrowser>

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

    m_print = AddSkinButton(
        "PRINT", PageLayout::kNextRect,
        FacesPressedOver("pic/BUTTON/print/print_ready.bmp", "pic/BUTTON/print/print_ready1.bmp"));
    m_print->setFont(EnlargedFont(4));
    connect(m_print, &QAbstractButton::clicked, this, &CGuidePage::OnPrint);
    // Readers name the guide by the page's heading; a caret lets the arrow
    // keys read it line by line and word by word.
    for (QTextBrowser* view : m_browser.findChildren<QTextBrowser*>())
    {
        view->setAccessibleName(HeadingLabel()->text().isEmpty() ? QString("Guide")
                                                                 : HeadingLabel()->text());
        view->setTextInteractionFlags(view->textInteractionFlags() | Qt::TextSelectableByKeyboard);
        ShowAsDocument(view);
    }
    // The guide is read, not filled in: the page opens on PRINT, which Enter presses.
    SetForwardButton(m_print);
    m_print->setFocus();
}

void CGuidePage::OnPrint()
{
    if (const auto document = BuildGuideDocument(kGuideLanguageId, m_templates.Printed,
                                                 kPrintedGuideMediaSlots, m_fill))
        PrintGuideDocument(*document);
    else
        m_browser.Print(QString(), QString());
}
