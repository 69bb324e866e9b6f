#pragma once
// Contrast of painted text as the web's accessibility rules measure it, and
// the dark desktop palette the readability checks paint under.

#include <QColor>
#include <QImage>
#include <QMap>
#include <QPalette>

#include <algorithm>
#include <cmath>

inline double Luminance(QColor colour)
{
    auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF())
           + 0.0722 * channel(colour.blueF());
}

inline double Contrast(QColor a, QColor b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of text as painted: within the text's rectangle, the
// commonest colour is the background, the one farthest from it the text.
inline double PaintedContrast(const QImage& image, const QRect& rect)
{
    QMap<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = counts.firstKey();
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > counts[background])
            background = it.key();
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = std::max(best, Contrast(QColor(it.key()), QColor(background)));
    return best;
}

// A desktop theme's dark palette, as the GTK platform theme gives it under Adwaita:dark.
inline QPalette DarkDesktopPalette()
{
    QPalette dark(QColor(255, 255, 255), QColor(53, 53, 53));
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(45, 45, 45));
    dark.setColor(QPalette::Text, QColor(238, 238, 236));
    dark.setColor(QPalette::WindowText, QColor(238, 238, 236));
    return dark;
}
