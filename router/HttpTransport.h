#pragma once
// The four blocking HTTP requests of the router link, on the libcurl easy
// interface. Each request uses its own handle, performs exactly one transfer
// and keeps nothing afterwards (no connection reuse, no cookie store). No
// request follows a redirect. A request whose URL, cookie or body holds CR, LF
// or NUL is refused before anything is sent. An answer that would pass
// kMaxAnswerBytes (ResponseBuffer.h) ends the transfer at once and the request
// fails, but counts as answered: it came over HTTP, and nothing of it is kept.
// Nothing is thrown.

#include "RouterDefaults.h"

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

// Whole-transfer time-outs.
inline constexpr std::chrono::milliseconds kPageReadTimeout{20000};
inline constexpr std::chrono::milliseconds kPostTimeout{60000};
inline constexpr std::chrono::milliseconds kProbeTimeout{15000};

// The time-outs of one caller's requests; the router link carries a set,
// which the programs take from their options.
struct HttpTimeouts
{
    std::chrono::milliseconds PageRead = kPageReadTimeout;
    std::chrono::milliseconds Post = kPostTimeout;
    std::chrono::milliseconds Probe = kProbeTimeout;
};

// Asked, from the thread that made the request, at least once a second while
// a transfer runs; true aborts the transfer at once and the request fails.
// Empty: the transfer runs until it ends or times out.
using CancelCheck = std::function<bool()>;

// Called by HttpPostChecked for each router error phrase found in an answer,
// from the thread that made the request. The wizard gives its router link one
// that shows a message box; with none the phrases are not reported.
using RouterErrorNotifier =
    std::function<void(const std::string& text, const std::string& caption)>;

// What one GET brought back. Answered is false when nothing answered over
// HTTP: not sent, connection refused, timed out, cut short, or bytes that are
// not HTTP. Any whole HTTP answer counts, whatever its status or body.
struct HttpReply
{
    bool Answered = false;
    long Status = -1;
    std::size_t Received = 0;  // bytes of body, a NUL among them included
    std::string Body;          // up to the first NUL
    // What HttpGet calls success: status 200 and at least one byte.
    bool Ok() const { return Answered && Status == 200 && Received > 0; }
};

// GET with user agent "Application", the given literal cookie value (empty:
// no Cookie header) and the time-out (20 s by default).
HttpReply HttpGetReply(const std::string& url, const std::string& cookie,
                       std::chrono::milliseconds timeout = kPageReadTimeout,
                       const CancelCheck& cancelled = {});

// HttpGetReply judged: true only when the reply is Ok(); then *body (when
// given) receives the answer, cut at its first NUL byte.
bool HttpGet(const std::string& url, const std::string& cookie, std::string* body = nullptr,
             std::chrono::milliseconds timeout = kPageReadTimeout,
             const CancelCheck& cancelled = {});

// POST of postFields (empty: an empty body) with the cookie and the time-out
// (60 s by default); the status is not judged. Returns false when the transfer failed
// or the answer holds "Password change failed". "Connection already exists!"
// and "PVC(MAX 8) table is Full!" are reported, in that order, through the
// notifier with caption "Error"; they do not change the result.
bool HttpPostChecked(const std::string& url, const std::string& postFields,
                     const std::string& cookie, std::chrono::milliseconds timeout = kPostTimeout,
                     const CancelCheck& cancelled = {}, const RouterErrorNotifier& notify = {});

// POST of postFields with cookie "Name=" and the time-out (60 s by default);
// the status is not judged. Returns false only when nothing answered over
// HTTP (the transfer failed). When bytes arrived and were kept and out is
// given, *out receives the status line and headers, then the body (cut at
// its first NUL byte).
bool HttpPostWithHeaders(const std::string& url, const std::string& postFields,
                         std::string* out = nullptr,
                         std::chrono::milliseconds timeout = kPostTimeout,
                         const CancelCheck& cancelled = {});

// Result codes of ProbeInternet.
enum ProbeResult : int
{
    ProbeReachable = 0,       // page received and marker found
    ProbeTransferFailed = 1,  // also when no transfer could be set up
    ProbeEmptyAnswer = 3,
    ProbeMarkerMissing = 4,
};

// The word a probe of url must find (case-sensitive), chosen by the exact
// URL text: "Google" for kSearchProbeUrl, the host name "www.debian.org" for
// kThirdProbeUrl, "Tarnix" for any other URL.
const char* ProbeMarkerFor(const std::string& url);

// GET of url with the time-out (15 s by default); returns a ProbeResult,
// found meaning the page holds ProbeMarkerFor(url). Needs no router link.
int ProbeInternet(const std::string& url, std::chrono::milliseconds timeout = kProbeTimeout,
                  const CancelCheck& cancelled = {});
