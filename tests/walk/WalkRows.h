#pragma once
// The rows the walks run: each protocol with what is typed for it and the
// service the router must end up with, each state of the router password, and
// the router a walk starts from; and the roads of the page flow table.

#include "PageFlow.h"
#include "RouterSim.h"
#include "WalkRoads.h"

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <map>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(WalkPlan)

inline constexpr char kOldKey[] = "old-key-4321";

// A protocol's row: what is typed for it and the service the router must
// end up with.
struct ProtocolRow
{
    const char* name;
    WalkPlan typed;  // protocol, ISP and PVC, account, addresses, wireless
    std::string serviceName;
    std::map<std::string, std::string> serviceParams;
};

std::vector<ProtocolRow> ProtocolRows();

// The router before a walk: an old bridge service, an old network and key,
// and adminPassword.
SimRouterState RouterBefore(const QString& adminPassword);

// The columns of the setup and failure roads, and a row for each protocol on
// both paths with each password state.
void AddSetupRoadRows();
// The same columns, and a row for each road whose first apply run is refused.
void AddFailureRoadRows();

using FlowRoad = std::vector<FlowRow>;
Q_DECLARE_METATYPE(FlowRoad)

// Every road the page flow allows from at: each goes on until a page has no
// row or its next page is already on it (PREV, another attempt).
void CollectRoads(const FlowRoad& taken, PageId at, std::vector<FlowRoad>& roads);
// "InstallMode FirstInstall, DslLine OwnPassword, ...": the choices other than NEXT.
QByteArray RoadName(const FlowRoad& road);
