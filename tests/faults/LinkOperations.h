#pragma once
// The operations the link scenarios run in-process against the emulator, each
// ending in a short text of its outcome that a row can name, and the removals
// a run sent.

#include "HttpTransport.h"
#include "RouterSim.h"
#include "ScenarioSettings.h"

#include <QMetaType>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

enum class Operation
{
    ApplyRun,  // the run, then the probe of the emulator's support page when it applied
    Login,
    DslStatus,
    ReadWireless,
};
Q_DECLARE_METATYPE(Operation)

// Runs operation against the router at address with the factory login and
// the given time-outs; returns a short text of its outcome that a row names.
QString RunOperation(Operation operation, const std::string& address,
                     const HttpTimeouts& timeouts = kShortTimeouts);

// The rmLst value of every removal request, decoded, in order.
QStringList Removals(const std::vector<SimRequest>& requests);
