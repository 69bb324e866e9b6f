#include "CurlLibrary.h"

#include <dlfcn.h>

namespace {

struct LoadedCurl
{
    CurlCalls Calls;
    std::string Problem;  // empty when Calls can be used
};

template <typename Function>
bool Resolve(void* library, const char* symbol, Function& function)
{
    function = reinterpret_cast<Function>(dlsym(library, symbol));
    return function != nullptr;
}

// The library is never unloaded: its global state lives until the process ends.
LoadedCurl Load(const char* name)
{
    LoadedCurl curl;
    void* library = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (!library)
    {
        const char* reason = dlerror();
        curl.Problem = std::string(name) + " is missing or cannot be loaded ("
                       + (reason ? reason : "no reason given") + ")";
        return curl;
    }
    CurlCalls& calls = curl.Calls;
    decltype(&curl_global_init) globalInit = nullptr;
    const bool resolved = Resolve(library, "curl_global_init", globalInit)
                          && Resolve(library, "curl_easy_init", calls.EasyInit)
                          && Resolve(library, "curl_easy_cleanup", calls.EasyCleanup)
                          && Resolve(library, "curl_easy_setopt", calls.EasySetopt)
                          && Resolve(library, "curl_easy_perform", calls.EasyPerform)
                          && Resolve(library, "curl_easy_getinfo", calls.EasyGetinfo);
    if (!resolved)
        curl.Problem = std::string(name) + " is not the library it should be";
    else if (globalInit(CURL_GLOBAL_ALL) != CURLE_OK)
        curl.Problem = std::string(name) + " could not be started";
    return curl;
}

// Built on first use; C++ makes the other threads wait meanwhile.
const LoadedCurl& Loaded()
{
    static const LoadedCurl curl = Load(kCurlLibraryName);
    return curl;
}

}  // namespace

const CurlCalls* Curl()
{
    const LoadedCurl& curl = Loaded();
    return curl.Problem.empty() ? &curl.Calls : nullptr;
}

std::string CurlProblem()
{
    return Loaded().Problem;
}

std::string CurlProblemLoading(const char* name)
{
    return Load(name).Problem;
}
