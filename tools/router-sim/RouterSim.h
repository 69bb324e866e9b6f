#pragma once
// An emulator of the modem router's web interface on 127.0.0.1, for tests and
// demonstrations. It plays the pages and form targets the router link uses,
// with a login cookie, one-time session keys, a WAN service list, wireless
// settings and an admin password that requests really change. Faults can be
// injected per path and every request is recorded. All members are
// thread-safe.
//
// Pages that need a session (302 to /index.html without a valid webuicookie):
// internet_setup.cmd, internet_sum.cgi, dlwancfg.cmd, wlcfg.html, wlcfg.wl,
// wlsecurity.wl, password.html, password.cgi. Served without one: index.html,
// setup_wancfg.html, form2WanAdsl.cgi, info.html, wlsecurity.html (the status
// pages), cgi-bin/webproc, support, __sim/state.
//
// Session keys: every form page and confirmation page hands out a fresh key
// and replaces the previous one; the next request that needs a key consumes
// it, valid or not. A wrong or empty key is answered with 403.

#include "RouterDefaults.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
struct Response;
}  // namespace httplib

struct SimWanService
{
    std::string Name;                           // serviceName, e.g. pppoe_0_8_35
    std::map<std::string, std::string> Params;  // every decoded query parameter
};

struct SimRouterState
{
    std::vector<SimWanService> Services;
    std::string Ssid = "KRX-5100A";
    std::string Country = "AU";
    std::string Security = "psk2";  // wlAuthMode: psk, psk2 or open
    std::string Key = "changeme123";
    std::string AdminPassword = kFactoryPassword;
    bool WirelessEnabled = false;
    std::string DownstreamRate = "0";
};

struct SimRequest
{
    std::string Method;
    std::string Path;
    std::string Query;  // raw, as sent, without the "?"
    std::string Cookie;
    std::string UserAgent;
    std::string Body;
};

struct SimFault
{
    int Status = 0;  // answer with this status instead; 302 and 301 go to RedirectTo
    std::string RedirectTo = "/index.html";
    std::chrono::milliseconds Delay{0};  // wait this long before answering
    bool DropConnection = false;         // close the connection mid-answer
    // Announce the whole page but send only its first n bytes, then close.
    std::optional<std::size_t> DropAfterBytes;
    bool EmptyBody = false;
    bool HugeBody = false;        // 150000 bytes of page
    std::size_t PadBytes = 0;     // blanks before the page: markers come last
    std::size_t BinaryBytes = 0;  // this many random bytes (NULs too) instead
    bool NulByte = false;         // a NUL byte early in the page
    // Leave out the page's markers: the service list of setup_wancfg.html, the
    // option and key of wlsecurity.html, the rate row of info.html, the word
    // of /support, the session key of every other page.
    bool MissingMarker = false;
    // Write every session key and the login's webuicookie twice, a stale one first.
    bool RepeatedMarker = false;
    // The service list of setup_wancfg.html holds exactly this text instead.
    std::optional<std::string> ServiceList;
    std::optional<std::string> Body;  // answer exactly this text
    // Answer with this many filler bytes instead of the page, made as they are
    // sent (never held whole): with a Content-Length, or, with
    // StreamWithoutLength, chunked, without one.
    std::size_t StreamBytes = 0;
    bool StreamWithoutLength = false;
    // Answer with a chunked body that never ends, until the client goes away
    // or the emulator stops.
    bool EndlessChunked = false;
    // Answer GET and POST alike with the status page of info.html, without a
    // login form: a router whose index.html is its status page.
    bool StatusPage = false;
    // Answer every request with another make's login page: a form of its own,
    // status 200, a cookie that is not webuicookie.
    bool ForeignLogin = false;
};

class RouterSim
{
public:
    RouterSim();
    ~RouterSim();
    RouterSim(const RouterSim&) = delete;
    RouterSim& operator=(const RouterSim&) = delete;

    // Listens on 127.0.0.1:port (0 picks a free port) on a thread of its own.
    // Returns the bound port, or -1 when it could not bind.
    int Start(int port = 0);
    // Stops listening and joins the thread; pending fault delays end at once.
    void Stop();
    int Port() const;
    // "127.0.0.1:PORT", to use as the router address.
    std::string Address() const;

    SimRouterState State() const;
    void SetState(const SimRouterState& state);
    // The state as plain text, as printed on exit and served at /__sim/state.
    std::string StateText() const;

    // Faults by path ("/info.html"); a later call for a path replaces it.
    void SetFault(const std::string& path, const SimFault& fault);
    // A fault for every path that has none of its own; a later call replaces
    // it, ClearFaults removes it.
    void SetFaultEverywhere(const SimFault& fault);
    void ClearFaults();
    // The next count login attempts are refused whatever the password.
    void RefuseLogins(int count);
    // While set, every session key is refused.
    void RefuseSessionKeys(bool refuse);

    std::vector<SimRequest> Requests() const;
    std::vector<SimRequest> RequestsTo(const std::string& path) const;
    void ClearRequests();

private:
    using Params = std::map<std::string, std::string>;

    void Route(const httplib::Request& req, httplib::Response& res);
    bool ApplyFault(httplib::Response& res, const SimFault& fault);
    bool WaitOrStop(std::chrono::milliseconds delay);
    bool Stopping() const;

    // The router's pages; called with m_mutex held.
    void Answer(const httplib::Request& req, httplib::Response& res, const SimFault& fault);
    std::string NewSessionKey();
    std::string StaleValue();
    bool ConsumeSessionKey(const std::string& offered);
    bool HasSession(const httplib::Request& req) const;
    std::string LoginAnswer(const httplib::Request& req, httplib::Response& res, bool twice);
    std::string Logout();
    std::string ServiceListScript(const std::optional<std::string>& entries) const;
    std::string WanSummary(const Params& query, const std::string& key);
    std::string ChangeWanServices(const Params& query);
    std::string DeleteAllServices(const httplib::Request& req);
    std::string ApplyWirelessBasic(const Params& query);
    std::string WirelessSecurityPage(const std::string& key, bool markers) const;
    std::string ApplyWirelessSecurity(const Params& query);
    std::string ChangePassword(const Params& query);
    std::string StatusPage(bool markers) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_stopSignal;
    bool m_stopping = false;
    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = -1;

    SimRouterState m_state;
    std::map<std::string, SimFault> m_faults;
    SimFault m_faultEverywhere;
    std::vector<SimRequest> m_requests;
    std::string m_sessionCookie;
    std::string m_sessionKey;
    Params m_pendingService;
    int m_refusedLogins = 0;
    bool m_refuseKeys = false;
    std::mt19937 m_random{std::random_device{}()};
};

// "127.0.0.1:PORT" with a port nothing listens on: one an emulator had, once it
// stopped; for tests of what a closed port does.
std::string ClosedLoopbackAddress();

// The state as plain text, one "name: value" line each, services first.
std::string FormatSimState(const SimRouterState& state);
