#pragma once
// The router link to the modem router's web interface. Every changing request
// first reads the page that carries the router's form and takes a fresh
// session key from it. Values put into a URL query or the login body are
// escaped with EscapeQueryValue; a request that would not fit its buffer, or
// whose URL or cookie holds CR, LF or NUL, is not sent and the operation fails.
// Operations block for at most their requests' time-outs and throw nothing.

#include "CBase.h"
#include "HttpTransport.h"

#include <mutex>
#include <optional>
#include <string>

enum class WanVariant;
struct WizardSettings;

class CIpLink : public CBase
{
public:
    // What the link sends (the WAN service, the wireless network, the new
    // password) it reads from settings, its owner's record, which must
    // outlive the link.
    explicit CIpLink(const WizardSettings& settings);
    ~CIpLink() override;

    // Posts the login form to index.html. True when the answer sets a
    // non-empty "webuicookie", which is stored as the session cookie. An
    // answer without "webuicookie", or with one holding CR, LF or NUL (it
    // could not be sent back), leaves the stored cookie unchanged.
    bool Login() override;
    // Reads cgi-bin/webproc?logout with the credentials in the URL. True on
    // status 200.
    bool Logout() override;
    // Same as Login.
    bool Relogin() override;
    // Reads info.html. True when the "Downstream Line Rate" cell is neither
    // empty nor "0".
    bool IsDslLineUp() override;
    // Second firmware form: posts DeleteALL to form2WanAdsl.cgi. Returns the
    // post's result.
    bool DeleteAllWanServices() override;
    bool Reserved1() override { return false; }
    // Removes every WAN service, then adds the one the settings describe
    // through the router's quick-setup flow. True when the add request was
    // answered with status 200; removals do not decide the result. When the
    // add request could not be sent (too long) nothing is sent at all.
    bool ApplyWanService() override;
    // Switches the access point on with the settings' Ssid and country.
    // 0 when answered with status 200, -1 otherwise or when not sent.
    int ApplyWirelessBasic() override;
    bool Reserved2() override { return false; }
    bool Reserved3() override { return false; }
    // True when setup_wancfg.html shows the "vpi/vci" text (not at position 0).
    bool PvcExists(int vpi, int vci) override;
    bool Reserved4(int) override { return false; }

    std::string GetSessionCookie() const { return m_sessionCookie; }

    // Whether anything answered over HTTP, whatever it said, to the last
    // login or page request of this link (HttpReply::Answered); false too
    // when that request could not be sent. A refusal is told from a router
    // that is not there by the answer to the request that failed.
    bool LastRequestAnswered() const { return m_lastAnswered; }

    // The time-outs of this link's requests (defaults until set).
    const HttpTimeouts& GetTimeouts() const { return m_timeouts; }
    void SetTimeouts(const HttpTimeouts& timeouts) { m_timeouts = timeouts; }

    // Told of the router's error phrases in the answers to this link's
    // posts (none: not reported). Set from any thread; called from the one
    // that made the request.
    RouterErrorNotifier GetErrorNotifier() const;
    void SetErrorNotifier(RouterErrorNotifier notifier);

    // Reads url with cookie; returns the page's session key, empty when the
    // page could not be read or has none. Never fails otherwise.
    std::string FetchSessionKey(const std::string& url, const std::string& cookie);

    // Reads the service list of setup_wancfg.html and removes every named
    // entry in order. -1 when the page could not be read, else 0 (individual
    // removals are not judged).
    int RemoveExistingServices();
    // Removes one service by name with a fresh key. False when the name is
    // empty (nothing sent) or the request failed.
    bool RemoveService(const std::string& name);

    // The adding requests: internet_sum.cgi with the service's parameters,
    // then dlwancfg.cmd?action=add with the key from that answer. sessionKey
    // is the key of the quick-setup page. 0 done, -1 failed or not sent.
    int AddPppoeService(const std::string& sessionKey);
    int AddPppoaService(const std::string& sessionKey);
    int AddMerService(const std::string& sessionKey);
    int AddIpoaService(const std::string& sessionKey);
    int AddBridgeService(const std::string& sessionKey);

    // Sets WPA (0), WPA2 (1) or no security (any other index) with key.
    // 0 when answered with status 200, -1 otherwise or when not sent.
    int ApplyWirelessSecurity(const std::string& wirelessKey, int securityIndex);
    // Sends the settings' NewRouterPassword with RouterPassword as the old
    // one. 0 when answered with status 200 by a page without "Password change
    // failed", -1 otherwise or when not sent. Does not update the link.
    int ChangeRouterPassword();

    // Reads wlsecurity.html without a cookie. name receives the first option
    // written with value 1, key the page's wpaPskKey (empty where a marker is
    // missing). When the page cannot be read both stay unchanged.
    static void ReadWirelessSettings(CIpLink& link, std::string& name, std::string& key);

private:
    // Reads url with cookie; false (nothing sent) when either could not be
    // formed. Records whether anything answered a request that was sent.
    bool Get(const std::optional<std::string>& url, const std::optional<std::string>& cookie,
             std::string* page = nullptr);
    std::optional<std::string> ServiceCookie(WanVariant variant) const;
    int AddService(WanVariant variant, const std::string& sessionKey);

    const WizardSettings& m_settings;
    std::string m_sessionCookie;
    HttpTimeouts m_timeouts;
    bool m_lastAnswered = false;
    mutable std::mutex m_notifierMutex;
    RouterErrorNotifier m_notifier;
};

// The link of the wizard's session in force, or one of the process's own,
// created on first use and never destroyed, where no session installed one.
// Null only when memory for that is exhausted.
CIpLink* GetRouterLink();
// For the session: the link GetRouterLink returns from now on (null: the
// process's own). The link must outlive its use.
void UseRouterLink(CIpLink* link);

// Sets the password of the process-wide link.
void SetLinkPassword(const std::string& password);

// Login, and once more when the first attempt is refused: a router still
// starting up may refuse it. Only a second refusal counts as a wrong password.
bool LoginWithOneRetry(CIpLink& link);
