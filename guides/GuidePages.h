#pragma once
// Registers the join-wireless, troubleshooting and restore pages with the page
// registry.

void RegisterGuidePages();
