#include "HttpTransport.h"

#include "CurlLibrary.h"
#include "ResponseBuffer.h"
#include "TextRules.h"

#include <memory>
#include <optional>

namespace {

using CurlHandle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

CurlHandle NewHandle(const CurlCalls& curl)
{
    return CurlHandle(curl.EasyInit(), curl.EasyCleanup);
}

size_t WriteToBuffer(char* chunk, size_t size, size_t count, void* buffer)
{
    const size_t n = size * count;
    return static_cast<ResponseBuffer*>(buffer)->Append(chunk, n) ? n : 0;
}

// Non-zero aborts the transfer (CURLE_ABORTED_BY_CALLBACK).
int AbortWhenCancelled(void* check, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    return (*static_cast<const CancelCheck*>(check))() ? 1 : 0;
}

// cancelled must outlive the transfer.
void SetCommonOptions(const CurlCalls& curl, CURL* handle, const std::string& url,
                      ResponseBuffer& buffer, std::chrono::milliseconds timeout,
                      const CancelCheck& cancelled)
{
    curl.EasySetopt(handle, CURLOPT_WRITEFUNCTION, &WriteToBuffer);
    curl.EasySetopt(handle, CURLOPT_WRITEDATA, &buffer);
    curl.EasySetopt(handle, CURLOPT_URL, url.c_str());
    curl.EasySetopt(handle, CURLOPT_TIMEOUT_MS, long(timeout.count()));
    // An announced length past the limit fails before the body is read; the
    // buffer refuses the rest, whatever was announced or not.
    curl.EasySetopt(handle, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(kMaxAnswerBytes));
    if (cancelled)
    {
        curl.EasySetopt(handle, CURLOPT_XFERINFOFUNCTION, &AbortWhenCancelled);
        curl.EasySetopt(handle, CURLOPT_XFERINFODATA, &cancelled);
        curl.EasySetopt(handle, CURLOPT_NOPROGRESS, 0L);
    }
}

// The router is on the local network. A proxy the environment names
// (http_proxy, all_proxy) could not reach it, and would be handed the
// passwords the requests carry; the Internet probe alone goes its way.
void DirectToRouter(const CurlCalls& curl, CURL* handle)
{
    curl.EasySetopt(handle, CURLOPT_PROXY, "");
}

void SetPost(const CurlCalls& curl, CURL* handle, const std::string& postFields)
{
    curl.EasySetopt(handle, CURLOPT_POST, 1L);
    curl.EasySetopt(handle, CURLOPT_POSTFIELDS, postFields.c_str());
}

// What one request brought back.
struct Answer
{
    long Status = -1;
    std::size_t Received = 0;  // bytes, a NUL among them included
    std::string Text;          // up to the first NUL
    bool Capped = false;       // longer than kMaxAnswerBytes: stopped, nothing kept
};

// The transfer stopped because the answer passed the cap: something did answer.
bool StoppedAtCap(CURLcode result)
{
    return result == CURLE_WRITE_ERROR || result == CURLE_FILESIZE_EXCEEDED;
}

// One request on a handle of its own: the common options, then those that
// setOptions adds. Nothing when libcurl or the handle cannot be had, the transfer fails
// (an answer past the cap aside) or the response code cannot be read;
// whatever goes wrong meanwhile is caught here, so the callers only judge the
// answer.
template <typename SetOptions>
std::optional<Answer> Transfer(const std::string& url, std::chrono::milliseconds timeout,
                               const CancelCheck& cancelled, SetOptions setOptions)
{
    // Nothing new goes out once the caller has given up.
    if (cancelled && cancelled())
        return std::nullopt;
    try
    {
        const CurlCalls* curl = Curl();
        if (!curl)
            return std::nullopt;
        CurlHandle handle = NewHandle(*curl);
        if (!handle)
            return std::nullopt;
        ResponseBuffer buffer;
        SetCommonOptions(*curl, handle.get(), url, buffer, timeout, cancelled);
        setOptions(*curl, handle.get());
        Answer answer;
        const CURLcode result = curl->EasyPerform(handle.get());
        if ((result != CURLE_OK && !StoppedAtCap(result))
            || curl->EasyGetinfo(handle.get(), CURLINFO_RESPONSE_CODE, &answer.Status) != CURLE_OK
            || answer.Status <= 0)
            return std::nullopt;
        answer.Capped = result != CURLE_OK;
        if (!answer.Capped)
        {
            answer.Received = buffer.Length();
            answer.Text = buffer.Text();
        }
        return answer;
    }
    catch (...)
    {
        return std::nullopt;
    }
}

bool AnySendRefused(const std::string& a, const std::string& b, const std::string& c = {})
{
    return HasLineBreakOrNul(a) || HasLineBreakOrNul(b) || HasLineBreakOrNul(c);
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

HttpReply HttpGetReply(const std::string& url, const std::string& cookie,
                       std::chrono::milliseconds timeout, const CancelCheck& cancelled)
{
    if (AnySendRefused(url, cookie))
        return {};
    const std::optional<Answer> answer = Transfer(
        url, timeout, cancelled, [&](const CurlCalls& curl, CURL* handle) {
            DirectToRouter(curl, handle);
            curl.EasySetopt(handle, CURLOPT_USERAGENT, "Application");
            if (!cookie.empty())
                curl.EasySetopt(handle, CURLOPT_COOKIE, cookie.c_str());
        });
    if (!answer)
        return {};
    return {true, answer->Status, answer->Received, std::move(answer->Text)};
}

bool HttpGet(const std::string& url, const std::string& cookie, std::string* body,
             std::chrono::milliseconds timeout, const CancelCheck& cancelled)
{
    HttpReply reply = HttpGetReply(url, cookie, timeout, cancelled);
    if (!reply.Ok())
        return false;
    if (body)
        *body = std::move(reply.Body);
    return true;
}

bool HttpPostChecked(const std::string& url, const std::string& postFields,
                     const std::string& cookie, std::chrono::milliseconds timeout,
                     const CancelCheck& cancelled, const RouterErrorNotifier& notify)
{
    if (AnySendRefused(url, cookie, postFields))
        return false;
    const std::optional<Answer> answer = Transfer(
        url, timeout, cancelled, [&](const CurlCalls& curl, CURL* handle) {
            DirectToRouter(curl, handle);
            if (!cookie.empty())
                curl.EasySetopt(handle, CURLOPT_COOKIE, cookie.c_str());
            SetPost(curl, handle, postFields);
        });
    if (!answer || answer->Capped)
        return false;
    for (const char* phrase : {"Connection already exists!", "PVC(MAX 8) table is Full!"})
    {
        if (notify && answer->Text.find(phrase) != std::string::npos)
            notify(phrase, "Error");
    }
    return answer->Text.find("Password change failed") == std::string::npos;
}

bool HttpPostWithHeaders(const std::string& url, const std::string& postFields, std::string* out,
                         std::chrono::milliseconds timeout, const CancelCheck& cancelled)
{
    if (AnySendRefused(url, postFields))
        return false;
    const std::optional<Answer> answer = Transfer(
        url, timeout, cancelled, [&](const CurlCalls& curl, CURL* handle) {
            DirectToRouter(curl, handle);
            curl.EasySetopt(handle, CURLOPT_COOKIE, kLoginCookie);
            SetPost(curl, handle, postFields);
            curl.EasySetopt(handle, CURLOPT_HEADER, 1L);
        });
    if (!answer)
        return false;
    if (out && answer->Received > 0)
        *out = answer->Text;
    return true;
}

int ProbeInternet(const std::string& url, std::chrono::milliseconds timeout,
                  const CancelCheck& cancelled)
{
    if (HasLineBreakOrNul(url) || (cancelled && cancelled()))
        return ProbeTransferFailed;
    const std::optional<Answer> answer = Transfer(
        url, timeout, cancelled, [](const CurlCalls& curl, CURL* handle) {
            curl.EasySetopt(handle, CURLOPT_USERAGENT, "Application");
        });
    if (!answer || answer->Capped)
        return ProbeTransferFailed;
    if (answer->Received == 0)
        return ProbeEmptyAnswer;
    const bool found = answer->Text.find(ProbeMarkerFor(url)) != std::string::npos;
    return found ? ProbeReachable : ProbeMarkerMissing;
}
