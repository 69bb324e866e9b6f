#include "RouterSim.h"
#include "SimHttp.h"

#include <httplib.h>

#include <random>
#include <sstream>

namespace {

constexpr std::size_t kHugeBodySize = 150000;

// What the streamed and endless answers are made of, one write at a time.
const std::string kFiller(64 * 1024, 'x');

// The same bytes every time, so a failing test can be run again as it was.
std::string BinaryGarbage(std::size_t count)
{
    std::mt19937 random(count);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = char(random() & 0xFF);
    return bytes;
}

// Announces the whole page but sends only its first count bytes, then closes.
void SendCut(httplib::Response& res, std::size_t count)
{
    auto page = std::make_shared<std::string>(std::move(res.body));
    res.body.clear();
    res.headers.erase("Content-Type");
    res.set_content_provider(page->size(), "text/html",
                             [page, count](std::size_t, std::size_t, httplib::DataSink& sink) {
                                 sink.write(page->data(), std::min(count, page->size()));
                                 return false;
                             });
}

}  // namespace

std::string FormatSimState(const SimRouterState& state)
{
    std::ostringstream out;
    out << "services: " << state.Services.size() << "\n";
    for (const SimWanService& service : state.Services)
    {
        out << "service " << service.Name << ":";
        for (const auto& [name, value] : service.Params)
            out << " " << name << "=" << value;
        out << "\n";
    }
    out << "ssid: " << state.Ssid << "\n"
        << "country: " << state.Country << "\n"
        << "wireless: " << (state.WirelessEnabled ? "enabled" : "disabled") << "\n"
        << "security: " << state.Security << "\n"
        << "key: " << state.Key << "\n"
        << "admin password: " << state.AdminPassword << "\n"
        << "downstream rate: " << state.DownstreamRate << "\n";
    return out.str();
}

RouterSim::RouterSim() = default;

RouterSim::~RouterSim()
{
    Stop();
}

int RouterSim::Start(int port)
{
    Stop();
    auto server = std::make_unique<httplib::Server>();
    const auto route = [this](const httplib::Request& req, httplib::Response& res) {
        Route(req, res);
    };
    server->Get(".*", route);
    server->Post(".*", route);
    const int bound = port == 0 ? server->bind_to_any_port("127.0.0.1")
                                : (server->bind_to_port("127.0.0.1", port) ? port : -1);
    if (bound < 0)
        return -1;
    {
        std::lock_guard lock(m_mutex);
        m_stopping = false;
        m_port = bound;
    }
    m_server = std::move(server);
    m_thread = std::thread([server = m_server.get()] { server->listen_after_bind(); });
    // The server ignores stop() until its loop runs; wait for it (bounded) so
    // an immediate Stop() cannot leave the thread listening forever.
    for (int i = 0; i < 2000 && !m_server->is_running(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return bound;
}

void RouterSim::Stop()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_stopSignal.notify_all();
    if (m_server)
        m_server->stop();
    if (m_thread.joinable())
        m_thread.join();
    m_server.reset();
}

int RouterSim::Port() const
{
    std::lock_guard lock(m_mutex);
    return m_port;
}

std::string RouterSim::Address() const
{
    return "127.0.0.1:" + std::to_string(Port());
}

std::string ClosedLoopbackAddress()
{
    RouterSim closed;
    closed.Start();
    std::string address = closed.Address();
    closed.Stop();
    return address;
}

SimRouterState RouterSim::State() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

void RouterSim::SetState(const SimRouterState& state)
{
    std::lock_guard lock(m_mutex);
    m_state = state;
}

std::string RouterSim::StateText() const
{
    return FormatSimState(State());
}

void RouterSim::SetFault(const std::string& path, const SimFault& fault)
{
    std::lock_guard lock(m_mutex);
    m_faults[path] = fault;
}

void RouterSim::SetFaultEverywhere(const SimFault& fault)
{
    std::lock_guard lock(m_mutex);
    m_faultEverywhere = fault;
}

void RouterSim::ClearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
    m_faultEverywhere = SimFault();
    m_refusedLogins = 0;
    m_refuseKeys = false;
}

void RouterSim::RefuseLogins(int count)
{
    std::lock_guard lock(m_mutex);
    m_refusedLogins = count;
}

void RouterSim::RefuseSessionKeys(bool refuse)
{
    std::lock_guard lock(m_mutex);
    m_refuseKeys = refuse;
}

std::vector<SimRequest> RouterSim::Requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::vector<SimRequest> RouterSim::RequestsTo(const std::string& path) const
{
    std::vector<SimRequest> matching;
    for (SimRequest& request : Requests())
    {
        if (request.Path == path)
            matching.push_back(std::move(request));
    }
    return matching;
}

void RouterSim::ClearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

bool RouterSim::Stopping() const
{
    std::lock_guard lock(m_mutex);
    return m_stopping;
}

bool RouterSim::WaitOrStop(std::chrono::milliseconds delay)
{
    std::unique_lock lock(m_mutex);
    return !m_stopSignal.wait_for(lock, delay, [this] { return m_stopping; });
}

void RouterSim::Route(const httplib::Request& req, httplib::Response& res)
{
    SimFault fault;
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back({req.method, req.path, RawQuery(req), req.get_header_value("Cookie"),
                              req.get_header_value("User-Agent"), req.body});
        const auto it = m_faults.find(req.path);
        fault = it != m_faults.end() ? it->second : m_faultEverywhere;
    }
    if (fault.Delay.count() > 0 && !WaitOrStop(fault.Delay))
    {
        res.status = 503;
        return;
    }
    if (ApplyFault(res, fault))
        return;
    {
        std::lock_guard lock(m_mutex);
        Answer(req, res, fault);
    }
    if (fault.HugeBody && res.body.size() < kHugeBodySize)
        res.body.append(kHugeBodySize - res.body.size(), ' ');
    res.body.insert(0, fault.PadBytes, ' ');
    if (fault.NulByte)
        res.body.insert(std::min<std::size_t>(res.body.size(), 6), 1, '\0');
    if (fault.DropAfterBytes)
        SendCut(res, *fault.DropAfterBytes);
}

// Faults that replace the whole answer. True when one did.
bool RouterSim::ApplyFault(httplib::Response& res, const SimFault& fault)
{
    if (fault.DropConnection)
    {
        res.set_content_provider(1000, "text/html",
                                 [](std::size_t, std::size_t, httplib::DataSink& sink) {
                                     sink.write("<html>", 6);
                                     return false;
                                 });
        return true;
    }
    if (fault.EndlessChunked)
    {
        res.set_chunked_content_provider("text/html", [this](std::size_t, httplib::DataSink& sink) {
            return !Stopping() && sink.write(kFiller.data(), kFiller.size());
        });
        return true;
    }
    if (fault.StreamBytes > 0)
    {
        const std::size_t total = fault.StreamBytes;
        const auto send = [this, total](std::size_t offset, httplib::DataSink& sink) {
            const std::size_t n = std::min(kFiller.size(), total - offset);
            if (Stopping() || !sink.write(kFiller.data(), n))
                return false;
            if (offset + n == total && sink.done)
                sink.done();
            return true;
        };
        if (fault.StreamWithoutLength)
            res.set_chunked_content_provider("text/html", send);
        else
            res.set_content_provider(
                total, "text/html",
                [send](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    return send(offset, sink);
                });
        return true;
    }
    if (fault.Status != 0)
    {
        res.status = fault.Status;
        if (fault.Status == 302 || fault.Status == 301)
            res.set_header("Location", fault.RedirectTo);
        res.set_content(
            fault.Body.value_or(Html("Error", "Status " + std::to_string(fault.Status))),
            "text/html");
        return true;
    }
    if (fault.StatusPage)
    {
        std::lock_guard lock(m_mutex);
        res.set_content(StatusPage(true), "text/html");
        return true;
    }
    if (fault.ForeignLogin)
    {
        res.set_header("Set-Cookie", "SESSIONID=0; path=/");
        res.set_content(Html("Sign in", "<form method='post' action='/login.cgi'>"
                                        "<input name='user'><input type='password' name='pass'>"
                                        "</form>"),
                        "text/html");
        return true;
    }
    if (fault.BinaryBytes > 0)
    {
        res.set_content(BinaryGarbage(fault.BinaryBytes), "application/octet-stream");
        return true;
    }
    if (fault.EmptyBody || fault.Body)
    {
        res.set_content(fault.Body.value_or(std::string()), "text/html");
        return true;
    }
    return false;
}
