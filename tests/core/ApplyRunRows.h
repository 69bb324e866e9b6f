#pragma once
// The rows of the apply run's table-driven tests.

#include "ApplyPreflight.h"
#include "WizardSettings.h"

#include <QMetaType>

#include <functional>

// The protocols the run sets up: protocol and merDynamicIp in the record,
// the WAN service the router must then hold (serviceName) and one of its
// parameters (param) with its value.
void AddProtocolRows();

using SettingsChange = std::function<void(WizardSettings&)>;

Q_DECLARE_METATYPE(CarriedField)
Q_DECLARE_METATYPE(CarryProblem)
Q_DECLARE_METATYPE(SettingsChange)

// Values the requests cannot carry: change alters the record, routerAddress
// replaces the emulator's address (empty: kept), and problem and field are
// what the run must name when it refuses to send anything.
void AddUncarriableValueRows();
