#pragma once
// The pages that describe the Internet connection and the wireless network:
// ISP and PVC, ISP account, static IP and wireless.

// Registers the four pages with the page registry.
void RegisterConnectionPages();
