#pragma once
// The pages that describe the Internet connection and the wireless network:
// ISP and PVC, ISP account, static IP and wireless.

#include "InputChecks.h"

// Labels draw their text from the top; a caption placed this much lower
// lines up with the text of the field beside it.
inline constexpr int kCaptionDrop = 4;

// Registers the four pages with the page registry.
void RegisterConnectionPages();
