#pragma once
// The pages that describe the Internet connection and the wireless network:
// ISP and PVC, ISP account, static IP and wireless.

#include "InputChecks.h"

#include <QList>
#include <QString>

// Labels draw their text from the top; a caption placed this much lower
// lines up with the text of the field beside it.
inline constexpr int kCaptionDrop = 4;

class CWizardPage;
class QWidget;

// Registers the four pages with the page registry.
void RegisterConnectionPages();

// A check's message as the pages show it.
QString CheckText(CheckMessage message);

// Tab goes through fields in reading order, then PREV, NEXT and the bottom
// bar; the first field has the focus when the page opens.
void SetReadingOrder(const CWizardPage& page, const QList<QWidget*>& fields);
