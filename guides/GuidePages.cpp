#include "GuidePages.h"

#include "CJoinWiressDlg.h"
#include "CRestoreConfiguration.h"
#include "CTroubleShootingDlg.h"
#include "PageRegistry.h"

#include <memory>

namespace {

template <typename Page>
void Register(PageId id)
{
    RegisterPage(id, [](QWidget* owner) -> std::unique_ptr<QDialog> { return std::make_unique<Page>(owner); });
}

}  // namespace

void RegisterGuidePages()
{
    Register<CJoinWiressDlg>(PageId::JoinWireless);
    Register<CTroubleShootingDlg>(PageId::Troubleshooting);
    Register<CRestoreConfiguration>(PageId::RestoreConfiguration);
}
