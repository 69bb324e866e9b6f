#pragma once
// libcurl, loaded when the first request is made rather than when a program
// starts: the wizard's first window does not wait for the library and its TLS,
// Kerberos and LDAP chain. Loaded once per process, from whichever thread asks
// first; its global state is set up then and kept until the process ends.

#include <curl/curl.h>

#include <string>

// The name the library is installed under (Debian's libcurl4).
inline constexpr char kCurlLibraryName[] = "libcurl.so.4";

// The easy interface's calls the transport makes.
struct CurlCalls
{
    decltype(&curl_easy_init) EasyInit = nullptr;
    decltype(&curl_easy_cleanup) EasyCleanup = nullptr;
    decltype(&curl_easy_setopt) EasySetopt = nullptr;
    decltype(&curl_easy_perform) EasyPerform = nullptr;
    decltype(&curl_easy_getinfo) EasyGetinfo = nullptr;
};

// The loaded library, its global state initialised; null when it cannot be
// loaded or initialised (then every request fails without sending anything).
const CurlCalls* Curl();

// Empty when the library is usable; else which library failed and how, for
// the programs to tell the user. Loads the library when nothing has yet.
std::string CurlProblem();

// Loads the library from name rather than kCurlLibraryName, for the tests of
// a missing library: the problem it reports, empty when it loaded. Does not
// change what Curl() gives.
std::string CurlProblemLoading(const char* name);
