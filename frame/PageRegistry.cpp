#include "PageRegistry.h"

#include "WizardSession.h"

#include <map>

namespace {

std::map<PageId, PageFactory>& Factories()
{
    return WizardSession::Current().Pages;
}

}  // namespace

void RegisterPage(PageId id, PageFactory factory)
{
    Factories()[id] = std::move(factory);
}

void UnregisterAllPages()
{
    Factories().clear();
}

std::map<PageId, PageFactory> RegisteredPages()
{
    return Factories();
}

void ReplaceRegisteredPages(std::map<PageId, PageFactory> pages)
{
    Factories() = std::move(pages);
}

std::unique_ptr<QDialog> CreatePage(PageId id, QWidget* owner)
{
    const auto found = Factories().find(id);
    if (found == Factories().end())
        return nullptr;
    return found->second(owner);
}
