#include "HttpTransport.h"

#include "ResponseBuffer.h"
#include "TextRules.h"

#include <curl/curl.h>

#include <atomic>
#include <memory>
#include <mutex>

namespace
{

std::atomic<long> g_pageReadMs{kPageReadTimeout.count()};
std::atomic<long> g_postMs{kPostTimeout.count()};
std::atomic<long> g_probeMs{kProbeTimeout.count()};

std::mutex g_notifierMutex;
RouterErrorNotifier g_notifier;

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

CurlHandle NewHandle()
{
    return CurlHandle(curl_easy_init(), &curl_easy_cleanup);
}

size_t WriteToBuffer(char* chunk, size_t size, size_t count, void* buffer)
{
    const size_t n = size * count;
    return static_cast<ResponseBuffer*>(buffer)->Append(chunk, n) ? n : 0;
}

void SetCommonOptions(CURL* handle, const std::string& url, ResponseBuffer& buffer, long timeoutMs)
{
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &WriteToBuffer);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &buffer);
    curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, timeoutMs);
}

void SetPost(CURL* handle, const std::string& postFields)
{
    curl_easy_setopt(handle, CURLOPT_POST, 1L);
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, postFields.c_str());
}

// Performs the transfer and reads the response code; false when either fails.
bool Perform(CURL* handle, long& status)
{
    if (curl_easy_perform(handle) != CURLE_OK)
        return false;
    status = -1;
    return curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK;
}

bool AnySendRefused(const std::string& a, const std::string& b, const std::string& c = {})
{
    return HasLineBreakOrNul(a) || HasLineBreakOrNul(b) || HasLineBreakOrNul(c);
}

void Notify(const std::string& text)
{
    RouterErrorNotifier notifier;
    {
        std::lock_guard lock(g_notifierMutex);
        notifier = g_notifier;
    }
    if (notifier)
        notifier(text, "Error");
}

}  // namespace

const char* ProbeMarkerFor(const std::string& url)
{
    if (url == kSearchProbeUrl)
        return "Google";
    if (url == kThirdProbeUrl)
        return kThirdProbeUrl + std::char_traits<char>::length("http://");
    return "Tarnix";
}

void SetHttpTimeoutsForTests(const HttpTimeouts& timeouts)
{
    g_pageReadMs = timeouts.pageRead.count();
    g_postMs = timeouts.post.count();
    g_probeMs = timeouts.probe.count();
}

HttpTimeouts CurrentHttpTimeouts()
{
    return {std::chrono::milliseconds(g_pageReadMs), std::chrono::milliseconds(g_postMs),
            std::chrono::milliseconds(g_probeMs)};
}

void SetRouterErrorNotifier(RouterErrorNotifier notifier)
{
    std::lock_guard lock(g_notifierMutex);
    g_notifier = std::move(notifier);
}

bool HttpGet(const std::string& url, const std::string& cookie, std::string* body)
{
    if (AnySendRefused(url, cookie))
        return false;
    try {
        CurlHandle handle = NewHandle();
        if (!handle)
            return false;
        ResponseBuffer buffer;
        SetCommonOptions(handle.get(), url, buffer, g_pageReadMs);
        curl_easy_setopt(handle.get(), CURLOPT_USERAGENT, "Application");
        if (!cookie.empty())
            curl_easy_setopt(handle.get(), CURLOPT_COOKIE, cookie.c_str());
        long status = -1;
        if (!Perform(handle.get(), status) || status != 200 || buffer.Length() == 0)
            return false;
        if (body)
            *body = buffer.Text();
        return true;
    } catch (...) {
        return false;
    }
}

bool HttpPostChecked(const std::string& url, const std::string& postFields,
                     const std::string& cookie)
{
    if (AnySendRefused(url, cookie, postFields))
        return false;
    try {
        CurlHandle handle = NewHandle();
        if (!handle)
            return false;
        ResponseBuffer buffer;
        SetCommonOptions(handle.get(), url, buffer, g_postMs);
        if (!cookie.empty())
            curl_easy_setopt(handle.get(), CURLOPT_COOKIE, cookie.c_str());
        SetPost(handle.get(), postFields);
        long status = -1;
        if (!Perform(handle.get(), status))
            return false;
        const std::string answer = buffer.Text();
        for (const char* phrase : {"Connection already exists!", "PVC(MAX 8) table is Full!"}) {
            if (answer.find(phrase) != std::string::npos)
                Notify(phrase);
        }
        return answer.find("Password change failed") == std::string::npos;
    } catch (...) {
        return false;
    }
}

bool HttpPostWithHeaders(const std::string& url, const std::string& postFields, std::string* out)
{
    if (AnySendRefused(url, postFields))
        return false;
    try {
        CurlHandle handle = NewHandle();
        if (!handle)
            return false;
        ResponseBuffer buffer;
        SetCommonOptions(handle.get(), url, buffer, g_postMs);
        curl_easy_setopt(handle.get(), CURLOPT_COOKIE, kLoginCookie);
        SetPost(handle.get(), postFields);
        curl_easy_setopt(handle.get(), CURLOPT_HEADER, 1L);
        long status = -1;
        if (!Perform(handle.get(), status))
            return false;
        if (out && buffer.Length() > 0)
            *out = buffer.Text();
        return true;
    } catch (...) {
        return false;
    }
}

int ProbeInternet(const std::string& url)
{
    if (HasLineBreakOrNul(url))
        return ProbeTransferFailed;
    curl_global_init(CURL_GLOBAL_ALL);
    int result = ProbeTransferFailed;
    try {
        CurlHandle handle = NewHandle();
        if (!handle) {
            result = ProbeNoHandle;
        } else {
            ResponseBuffer buffer;
            SetCommonOptions(handle.get(), url, buffer, g_probeMs);
            curl_easy_setopt(handle.get(), CURLOPT_USERAGENT, "Application");
            if (curl_easy_perform(handle.get()) != CURLE_OK)
                result = ProbeTransferFailed;
            else if (buffer.Length() == 0)
                result = ProbeEmptyAnswer;
            else if (buffer.Text().find(ProbeMarkerFor(url)) != std::string::npos)
                result = ProbeReachable;
            else
                result = ProbeMarkerMissing;
        }
    } catch (...) {
        result = ProbeTransferFailed;
    }
    curl_global_cleanup();
    return result;
}
