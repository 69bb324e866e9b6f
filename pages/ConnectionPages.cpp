#include "ConnectionPages.h"

#include "CConfigPvcDlg.h"
#include "CConfigStaticIPDlg.h"
#include "CConfigUserAndPassDlg.h"
#include "CConfigWiressDlg.h"
#include "CWizardPage.h"
#include "PageRegistry.h"

void RegisterConnectionPages()
{
    Register<CConfigPvcDlg>(PageId::IspAndPvc);
    Register<CConfigUserAndPassDlg>(PageId::IspAccount);
    Register<CConfigStaticIPDlg>(PageId::StaticIp);
    Register<CConfigWiressDlg>(PageId::Wireless);
}

QString CheckText(CheckMessage message)
{
    const std::string_view text = CheckMessageText(message);
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void SetReadingOrder(const CWizardPage& page, const QList<QWidget*>& fields)
{
    QList<QWidget*> order = fields;
    const QList<QWidget*> frameButtons = {page.PrevButton(), page.NextButton(),
                                          page.TechnicalSupportButton(),
                                          page.TroubleshootingButton(), page.DisclaimerButton(),
                                          page.ExitButton()};
    for (QWidget* button : frameButtons)
        if (button)
            order << button;
    for (qsizetype index = 1; index < order.size(); ++index)
        QWidget::setTabOrder(order[index - 1], order[index]);
    if (!fields.isEmpty())
        fields.front()->setFocus(Qt::OtherFocusReason);
}
