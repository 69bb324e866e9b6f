#include "PageRegistry.h"

#include <map>

namespace {

std::map<PageId, PageFactory>& Factories()
{
    static std::map<PageId, PageFactory> factories;
    return factories;
}

}  // namespace

void RegisterPage(PageId id, PageFactory factory)
{
    Factories()[id] = std::move(factory);
}

void UnregisterPage(PageId id)
{
    Factories().erase(id);
}

void UnregisterAllPages()
{
    Factories().clear();
}

bool IsPageRegistered(PageId id)
{
    return Factories().count(id) != 0;
}

std::unique_ptr<QDialog> CreatePage(PageId id, QWidget* owner)
{
    const auto found = Factories().find(id);
    if (found == Factories().end())
        return nullptr;
    return found->second(owner);
}
