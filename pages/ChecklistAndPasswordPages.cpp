#include "ChecklistAndPasswordPages.h"

#include "CCheckDeviceTipsDlg.h"
#include "CConfigPowerDlg.h"
#include "CCreatePasswordDlg.h"
#include "CDslLineDlg.h"
#include "CEthLineDlg.h"
#include "CFogetPassAndModifyDlg.h"
#include "CForgotPassWordTipsDlg.h"
#include "PageRegistry.h"

void RegisterChecklistAndPasswordPages()
{
    Register<CCheckDeviceTipsDlg>(PageId::Preparations);
    Register<CConfigPowerDlg>(PageId::Power);
    Register<CEthLineDlg>(PageId::Ethernet);
    Register<CDslLineDlg>(PageId::DslLine);
    Register<CCreatePasswordDlg>(PageId::CreatePassword);
    Register<CFogetPassAndModifyDlg>(PageId::ExistingPassword);
    Register<CForgotPassWordTipsDlg>(PageId::ResetInstructions);
}
