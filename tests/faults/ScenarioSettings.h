#pragma once
// What the in-process scenarios share: shortened time-outs and a delay longer
// than all of them. They ask the router to take the sample PPPoE setup with a
// new admin password, so a run that gets through sends every kind of request.

#include "HttpTransport.h"
#include "RouterSim.h"
#include "SampleSettings.h"

inline constexpr HttpTimeouts kShortTimeouts{
    std::chrono::milliseconds(500), std::chrono::milliseconds(700), std::chrono::milliseconds(500)};
inline const SimFault kSlow{.Delay = std::chrono::milliseconds(3000)};
