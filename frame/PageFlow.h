#pragma once
// The page flow: which page follows which, for every choice that decides it,
// in one table. Pages open what follows with OpenNext(choice) and the walk
// tests build their roads from the same table. The bar's document pages
// (troubleshooting, disclaimer) open from any page and are not part of it.

#include "PageId.h"

#include <optional>
#include <span>

// What the person chose, or what the router answered, that decides the page
// that follows.
enum class FlowChoice
{
    Next,             // the forward button (START on the welcome page)
    Prev,             // the back button, where it opens a page
    FirstInstall,     // install mode: the hardware pages first
    Restore,          // install mode: the router's saved network
    FactoryPassword,  // the router took its factory password
    OwnPassword,      // it refused it: it has one of the user's
    ForgotPassword,   // the existing-password page's link
    IspAccount,       // a protocol with a user name and password
    StaticAddresses,  // MER static or IPoA
    NoAddresses,      // MER dynamic or bridge
    Online,           // the settings were saved and the Internet answered
    Offline,          // they were not, or it did not
    Close,            // the light box's CLOSE
};

struct FlowRow
{
    PageId From;
    FlowChoice Choice;
    PageId To;
};

std::span<const FlowRow> PageFlowTable();

// The page that follows from on choice; none where the table has no row.
std::optional<PageId> NextPage(PageId from, FlowChoice choice);

// The choice a protocol (and for MER the address kind) makes on the ISP and
// PVC page.
FlowChoice ProtocolChoice(int protocolIndex, int merDynamicIp);

// "FactoryPassword", for test messages.
const char* FlowChoiceName(FlowChoice choice);
