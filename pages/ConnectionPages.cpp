#include "ConnectionPages.h"

#include "CConfigPvcDlg.h"
#include "CConfigStaticIPDlg.h"
#include "CConfigUserAndPassDlg.h"
#include "CConfigWiressDlg.h"
#include "PageRegistry.h"

void RegisterConnectionPages()
{
    Register<CConfigPvcDlg>(PageId::IspAndPvc);
    Register<CConfigUserAndPassDlg>(PageId::IspAccount);
    Register<CConfigStaticIPDlg>(PageId::StaticIp);
    Register<CConfigWiressDlg>(PageId::Wireless);
}
