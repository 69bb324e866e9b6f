#pragma once
// Registers the checklist pages (preparations, power, Ethernet, DSL line) and
// the router password pages (create, existing, reset instructions) with the
// page registry.

void RegisterChecklistAndPasswordPages();
