#pragma once
// Where things sit on a page. The background pictures under pic/BG are drawn for
// exactly this geometry (header band, content panel, bottom band), so the page
// code and the pictures must agree on it.

#include <QRect>
#include <QSize>

namespace PageLayout {

inline constexpr QSize kPageSize{800, 600};

// Dark header band across the top; product line and model label sit at its right.
inline constexpr int kHeaderBandHeight = 72;
inline constexpr QRect kProductLineRect{360, 12, 416, 22};  // right-aligned
inline constexpr QRect kModelLabelRect{360, 38, 416, 22};   // right-aligned
// The step bar some backgrounds draw in the band (Hardware ... Done).
inline constexpr QRect kStepBarRect{184, 8, 264, 56};

// Page heading, just under the header band, left-aligned.
inline constexpr QRect kHeadingRect{40, 88, 720, 40};

// The light content panel where body texts and fields go. Checklist pages keep
// their text in the left part; the right part holds the background's illustration.
inline constexpr QRect kContentRect{40, 136, 720, 336};
// Body content inside the panel, clear of its border.
inline constexpr QRect kContentBodyRect = kContentRect.adjusted(20, 12, -20, -12);
inline constexpr QRect kTextBesideIllustrationRect{40, 136, 360, 336};
inline constexpr QRect kIllustrationRect{420, 136, 340, 336};

// PREV and NEXT at the bottom right of the content panel.
inline constexpr QSize kNavButtonSize{110, 36};
inline constexpr QRect kPrevRect{520, 484, 110, 36};
inline constexpr QRect kNextRect{650, 484, 110, 36};

// The bottom band with the bar of four buttons (Technical Support,
// Troubleshooting, Disclaimer, Exit).
inline constexpr int kBottomBandTop = 540;
inline constexpr QSize kBarButtonSize{140, 30};
inline constexpr int kBarButtonTop = 555;
inline constexpr int kBarButtonLeft[4] = {40, 196, 352, 620};

// Buttons from here down (PREV, NEXT, the bar, START, the light box's CLOSE)
// stay in sight at the window's bottom edge when the page has to scroll.
inline constexpr int kBottomButtonsTop = 470;

// The welcome and success pages' document buttons (Technical Manual, Install
// PDF Reader, Advanced User Interface), inside the content panel.
inline constexpr QSize kDocumentButtonSize{200, 34};

// The error light box: its picture (pic/BG/LightBoxS.jpg) covers the whole
// page-sized window with a card here; the rest is the see-through key colour.
inline constexpr QRect kLightBoxRect{24, 80, 752, 456};

}  // namespace PageLayout
