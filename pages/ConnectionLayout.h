#pragma once
// What the four connection pages (ISP and PVC, ISP account, static IP and
// wireless) share in how they lay out their rows.

// Labels draw their text from the top; a caption placed this much lower
// lines up with the text of the field beside it.
inline constexpr int kCaptionDrop = 4;
