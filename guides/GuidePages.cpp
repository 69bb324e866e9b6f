#include "GuidePages.h"

#include "CJoinWiressDlg.h"
#include "CRestoreConfiguration.h"
#include "CTroubleShootingDlg.h"
#include "PageRegistry.h"

#include <memory>

void RegisterGuidePages()
{
    Register<CJoinWiressDlg>(PageId::JoinWireless);
    Register<CTroubleShootingDlg>(PageId::Troubleshooting);
    Register<CRestoreConfiguration>(PageId::RestoreConfiguration);
}
