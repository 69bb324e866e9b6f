#pragma once
// Maps a page id to the factory that builds the page. main.cpp registers every
// page the program has (RegisterAppPages for shell/'s own, then the setup pages
// and guides); tests register fakes under the same ids. The map is the
// session's: these functions are defined with it, in WizardSession.cpp.

#include "PageId.h"

#include <QDialog>

#include <functional>
#include <map>
#include <memory>

// Builds a fresh page owned by owner (the page it is opened above). The page
// is run modally and destroyed by the caller.
using PageFactory = std::function<std::unique_ptr<QDialog>(QWidget* owner)>;

// A later registration for the same id replaces the earlier one.
void RegisterPage(PageId id, PageFactory factory);
// Tests start from an empty registry.
void UnregisterAllPages();

// Registers Page, built above its owner, for id.
template <typename Page>
void Register(PageId id)
{
    RegisterPage(id, [](QWidget* owner) -> std::unique_ptr<QDialog> {
        return std::make_unique<Page>(owner);
    });
}

// Every registration, to be put back later with ReplaceRegisteredPages.
std::map<PageId, PageFactory> RegisteredPages();
void ReplaceRegisteredPages(std::map<PageId, PageFactory> pages);

// Null when nothing is registered for id.
std::unique_ptr<QDialog> CreatePage(PageId id, QWidget* owner);
