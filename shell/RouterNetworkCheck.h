#pragma once
// The check before the first login: when no adapter of the computer with a
// link reaches the router's address, a home user is told what to look at
// before waiting for a login to time out, and may try anyway.

class CWizardPage;

inline constexpr char kNoRouterNetworkMessage[] =
    "Your computer does not seem to be connected to the router.\n\n"
    "Please check that:\n"
    " - the yellow or blue Ethernet cable is plugged into a LAN port on the back of the router "
    "and into your computer;\n"
    " - the wireless adapter of your computer is switched off, so that it uses the cable;\n"
    " - the router is switched on and its power light is lit.\n\n"
    "Click Cancel, check these and click Next again, or click Try anyway.";
inline constexpr char kTryAnyway[] = "Try anyway";

// Reads the host network (the page paints meanwhile) and judges the
// configured router address. True to go on with the login: the router's
// network is reached, cannot be judged, or the user chose to try anyway;
// false when the page ended meanwhile.
bool ConfirmRouterNetwork(CWizardPage* page);
