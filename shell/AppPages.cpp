#include "AppPages.h"

#include "CConfigSuccessDlg.h"
#include "CDisclaimerDlg.h"
#include "CErrorTipsDlg.h"
#include "CQuicKOrFirstInstallDlg.h"
#include "CSaveIspDlg.h"
#include "PageRegistry.h"

void RegisterAppPages()
{
    Register<CQuicKOrFirstInstallDlg>(PageId::InstallMode);
    Register<CSaveIspDlg>(PageId::Apply);
    Register<CConfigSuccessDlg>(PageId::Success);
    Register<CErrorTipsDlg>(PageId::ErrorLightBox);
    Register<CDisclaimerDlg>(PageId::Disclaimer);
}
