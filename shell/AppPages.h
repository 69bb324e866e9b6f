#pragma once
// Registers the wizard's own pages with the page registry: install mode,
// Apply, success, light box, disclaimer. (The welcome page is the root and is
// never opened by id.)

void RegisterAppPages();
