#include "InternetProbe.h"

#include "HttpTransport.h"

std::vector<std::string> DefaultProbeUrls()
{
    return {kDefaultProbeUrls.begin(), kDefaultProbeUrls.end()};
}

int ProbeSitesInOrder(std::span<const std::string> urls, std::chrono::milliseconds timeout,
                      const std::function<void(const std::string& url)>& onProbe,
                      const std::function<bool()>& cancelled)
{
    for (std::size_t i = 0; i < urls.size(); ++i)
    {
        if (onProbe)
            onProbe(urls[i]);
        if (ProbeInternet(urls[i], timeout, cancelled) == ProbeReachable)
            return static_cast<int>(i);
    }
    return -1;
}
