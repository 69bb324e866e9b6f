// router-sim: plays the modem router's web interface on a loopback address
// until SIGINT or SIGTERM, then prints the router's state and exits 0.

#include "RouterSim.h"
#include "TarnixVersion.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr char kUsage[] =
    "usage: router-sim --listen 127.0.0.1:PORT [--password P] [--ssid S] [--key K]\n"
    "                  [--downstream RATE] [--service NAME]... [--fault PATH:KIND]...\n"
    "  PORT 0 picks a free port. PATH * is every path without a fault of its own.\n"
    "  KIND: status=N, redirect=TARGET (302), delay=MS, drop, empty, huge, nul,\n"
    "  no-marker, stream=BYTES (with Content-Length), stream-nolength=BYTES,\n"
    "  endless (chunked, never ends), status-page (info.html's page, no login form),\n"
    "  foreign-login (another make's login page), body=TEXT (status 200, TEXT),\n"
    "  refuse-login=N (any PATH), refuse-key (any PATH).\n"
    "       router-sim --version\n";

struct Options
{
    int Port = -1;
    SimRouterState State;
    std::vector<std::pair<std::string, std::string>> Faults;
};

// Only loopback addresses are accepted: the emulator must never face a network.
bool ParseListen(const std::string& text, int& port)
{
    const std::size_t colon = text.rfind(':');
    if (colon == std::string::npos)
        return false;
    const std::string host = text.substr(0, colon);
    if (host != "127.0.0.1" && host != "localhost")
        return false;
    try
    {
        std::size_t used = 0;
        port = std::stoi(text.substr(colon + 1), &used);
        return used == text.size() - colon - 1 && port >= 0 && port <= 65535;
    }
    catch (...)
    {
        return false;
    }
}

// A service named like the wizard names them (pppoe_0_8_35) gets its circuit.
SimWanService ServiceFromName(const std::string& name)
{
    SimWanService service{name, {}};
    std::vector<std::string> parts;
    std::istringstream pieces(name);
    for (std::string part; std::getline(pieces, part, '_');)
        parts.push_back(part);
    if (parts.size() == 4)
    {
        service.Params["atmVpi"] = parts[2];
        service.Params["atmVci"] = parts[3];
    }
    return service;
}

bool ParseArguments(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2)
    {
        const std::string name = argv[i];
        const std::string value = argv[i + 1];
        if (name == "--listen" && !ParseListen(value, options.Port))
            return false;
        else if (name == "--password")
            options.State.AdminPassword = value;
        else if (name == "--ssid")
            options.State.Ssid = value;
        else if (name == "--key")
            options.State.Key = value;
        else if (name == "--downstream")
            options.State.DownstreamRate = value;
        else if (name == "--service")
            options.State.Services.push_back(ServiceFromName(value));
        else if (name == "--fault" && value.find(':') != std::string::npos)
            options.Faults.emplace_back(value.substr(0, value.find(':')),
                                        value.substr(value.find(':') + 1));
        else if (name != "--listen")
            return false;
    }
    return argc % 2 == 1 && options.Port >= 0;
}

int NumberAfter(const std::string& kind, const std::string& prefix)
{
    return std::stoi(kind.substr(prefix.size()));
}

bool ApplyFault(RouterSim& sim, const std::string& path, const std::string& kind)
{
    SimFault fault;
    try
    {
        if (kind.rfind("status=", 0) == 0)
            fault.Status = NumberAfter(kind, "status=");
        else if (kind.rfind("delay=", 0) == 0)
            fault.Delay = std::chrono::milliseconds(NumberAfter(kind, "delay="));
        else if (kind.rfind("refuse-login=", 0) == 0)
            return sim.RefuseLogins(NumberAfter(kind, "refuse-login=")), true;
        else if (kind == "refuse-key")
            return sim.RefuseSessionKeys(true), true;
        else if (kind.rfind("stream=", 0) == 0)
            fault.StreamBytes = std::stoul(kind.substr(std::strlen("stream=")));
        else if (kind.rfind("stream-nolength=", 0) == 0)
        {
            fault.StreamBytes = std::stoul(kind.substr(std::strlen("stream-nolength=")));
            fault.StreamWithoutLength = true;
        }
        else if (kind.rfind("redirect=", 0) == 0)
        {
            fault.Status = 302;
            fault.RedirectTo = kind.substr(std::strlen("redirect="));
        }
        else if (kind.rfind("body=", 0) == 0)
            fault.Body = kind.substr(std::strlen("body="));
        else if (kind == "status-page")
            fault.StatusPage = true;
        else if (kind == "foreign-login")
            fault.ForeignLogin = true;
        else if (kind == "endless")
            fault.EndlessChunked = true;
        else if (kind == "drop")
            fault.DropConnection = true;
        else if (kind == "empty")
            fault.EmptyBody = true;
        else if (kind == "huge")
            fault.HugeBody = true;
        else if (kind == "nul")
            fault.NulByte = true;
        else if (kind == "no-marker")
            fault.MissingMarker = true;
        else
            return false;
    }
    catch (...)
    {
        return false;
    }
    if (path == "*")
        sim.SetFaultEverywhere(fault);
    else
        sim.SetFault(path, fault);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string(argv[1]) == "--version")
    {
        std::cout << "router-sim " << kTarnixVersion << "\n";
        return 0;
    }
    Options options;
    if (!ParseArguments(argc, argv, options))
    {
        std::cerr << kUsage;
        return 2;
    }
    // Block the stop signals before any thread starts so only sigwait sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    RouterSim sim;
    sim.SetState(options.State);
    for (const auto& [path, kind] : options.Faults)
    {
        if (!ApplyFault(sim, path, kind))
        {
            std::cerr << "router-sim: unknown fault " << path << ":" << kind << "\n" << kUsage;
            return 2;
        }
    }
    const int port = sim.Start(options.Port);
    if (port < 0)
    {
        std::cerr << "router-sim: cannot listen on 127.0.0.1:" << options.Port << "\n";
        return 1;
    }
    std::cout << "listening on 127.0.0.1:" << port << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    sim.Stop();
    std::cout << sim.StateText() << std::flush;
    return 0;
}
