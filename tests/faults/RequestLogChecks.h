#pragma once
// What the emulator's request log must show after any run, however badly the
// router answered: every request whole (it fits its buffer, its query and
// cookie parse, its template ends where it should), and nothing sent past the
// stage at which a failure must stop the run.

#include "RouterSim.h"

#include <QMetaType>
#include <QStringList>

#include <string>
#include <vector>

// The stages of an apply run by the pages they reach, in order.
enum class RunStage
{
    Status,    // info.html, read outside the apply run
    Login,     // index.html only (the first step's login attempts)
    Wan,       // the WAN service pages
    Wireless,  // the second login and the wireless pages
    Password,  // the password pages
    Probe,     // the probe site (/support on the emulator)
};
Q_DECLARE_METATYPE(RunStage)

// One line per logged request that was sent cut or malformed; empty when all
// are whole. address is the router address the requests were sent to.
QStringList CutRequests(const std::vector<SimRequest>& requests, const std::string& address);

// One line per logged request that belongs to a stage after last, or is a
// login attempt beyond the two per step that the stages up to last allow.
QStringList RequestsPast(const std::vector<SimRequest>& requests, RunStage last);
