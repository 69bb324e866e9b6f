#pragma once
// Every picture the pages draw has a sibling drawn at twice the resolution
// from the same source: "pic/BG/2600.gif" has "pic/BG/2600@2x.gif",
// "pic/BUTTON/next/next.bmp" has "pic/BUTTON/next/next@2x.png" (GIFs stay
// GIFs, the other pictures are PNGs). On a screen that scales by more than 1
// the controls draw the 2 x picture at the device pixel ratio, so nothing is
// ever scaled up from the 1 x picture.

#include <QString>

// The 2 x sibling's path when that file exists, else empty.
QString DoubleSizePath(const QString& path);

// True when pictures drawn at ratio should come from the 2 x sibling.
inline bool WantsDoubleSize(qreal ratio)
{
    return ratio > 1.0;
}
