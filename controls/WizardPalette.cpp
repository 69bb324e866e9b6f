#include "WizardPalette.h"

QPalette WizardPalette()
{
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    const QColor window(240, 240, 240);
    QPalette palette(black, window, white, QColor(160, 160, 160), QColor(200, 200, 200), black,
                     white, white, window);
    // A dark teal keeps white selected text well readable (6.8:1).
    const QColor selection(0, 100, 122);
    palette.setColor(QPalette::Highlight, selection);
    palette.setColor(QPalette::HighlightedText, white);
    palette.setColor(QPalette::Link, selection);
    palette.setColor(QPalette::LinkVisited, QColor(85, 26, 139));
    palette.setColor(QPalette::AlternateBase, QColor(245, 245, 245));
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    palette.setColor(QPalette::ToolTipText, black);
    palette.setColor(QPalette::PlaceholderText, QColor(110, 110, 110));
    const QColor greyedText(120, 120, 120);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, greyedText);
    return palette;
}
