#pragma once
// Guides are HTML templates in a language folder beside the program. A template
// becomes a document in memory: settings placeholders filled, and every bare
// picture name of the language folder rewritten to an absolute path, so the
// document still finds its pictures once it is written into a blank page.

#include <QString>

#include <optional>
#include <utility>
#include <vector>

class SimpleBrowser;
struct WizardSettings;

inline constexpr int kGuideLanguageId = 1033;
inline constexpr int kDisplayedGuideMediaSlots = 30;
inline constexpr int kPrintedGuideMediaSlots = 20;

// Where a guide shows the Wi-Fi QR code: <img src="[YourQrCode]">.
inline constexpr char kQrCodePlaceholder[] = "[YourQrCode]";

// What a template gets filled with. Placeholders are replaced in list order, in
// every line; the details marker only in the first line that holds it. Media
// paths start with ProgramFolder() of DocumentLinks.h.
struct GuideFill
{
    std::vector<std::pair<QString, QString>> Placeholders;
    bool DetailsMarker = false;
};

// No placeholders at all (the troubleshooting guide).
GuideFill NoGuideFill();
// "[YourSSID]", "[YourPassword]" and "[YourSecurity]" from the wireless choices,
// and the QR code of the network.
GuideFill JoinWirelessFill(const WizardSettings& settings);
// The details sheet: the marker, plus the name, the key as shown and the QR code
// of what the router holds.
GuideFill DetailsSheetFill(const QString& networkName, const QString& networkKey);

// A key as the user is shown it: "None" when there is none.
QString ShownNetworkKey(const QString& networkKey);

// "WPA-Personal", "WPA2-Personal" or "None" for a wireless security index.
QString SecurityName(int wirelessSecurityIndex);

// "lang/1033/" style folder of a language, relative to the working folder.
QString LanguageFolder(int languageId);

// The built document, or nothing when the template is missing or unreadable.
std::optional<QString> BuildGuideDocument(int languageId, const QString& templateName,
                                          int mediaSlots, const GuideFill& fill);

// Replaces what the browser shows with the document.
void ShowGuideDocument(SimpleBrowser& browser, const QString& document);

// Prints the document through a browser that is never shown, without header
// or footer lines.
void PrintGuideDocument(const QString& document);
