#include "InternetProbe.h"

#include "HttpTransport.h"
#include "RouterAddress.h"

#include <algorithm>
#include <cctype>

std::vector<std::string> DefaultProbeUrls()
{
    return {kDefaultProbeUrls.begin(), kDefaultProbeUrls.end()};
}

bool IsProbeUrl(std::string_view url)
{
    const auto startsWith = [url](std::string_view scheme) {
        return url.size() >= scheme.size()
               && std::equal(scheme.begin(), scheme.end(), url.begin(), [](char a, char b) {
                      return a == std::tolower(static_cast<unsigned char>(b));
                  });
    };
    const std::size_t schemeLength = startsWith("http://") ? 7 : startsWith("https://") ? 8 : 0;
    const std::string_view rest = url.substr(schemeLength);
    const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
    return schemeLength > 0 && IsRouterAddress(authority)
           && std::all_of(url.begin(), url.end(),
                          [](unsigned char c) { return c > 0x20 && c < 0x7F; });
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
