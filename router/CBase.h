#pragma once
// The abstract router link: the credentials and address every request uses.
// libcurl's global state is set up by the first request (CurlLibrary.h), not
// by the link. The order of the virtual operations is part of the interface.

#include <functional>
#include <string>

class CBase
{
public:
    CBase() = default;
    CBase(const CBase&) = delete;
    CBase& operator=(const CBase&) = delete;
    virtual ~CBase() = default;

    virtual bool Login() = 0;
    virtual bool Logout() = 0;
    virtual bool Relogin() = 0;
    virtual bool IsDslLineUp() = 0;
    virtual bool DeleteAllWanServices() = 0;
    virtual bool Reserved1() = 0;
    virtual bool ApplyWanService() = 0;
    virtual int ApplyWirelessBasic() = 0;
    virtual bool Reserved2() = 0;
    virtual bool Reserved3() = 0;
    virtual bool PvcExists(int vpi, int vci) = 0;
    virtual bool Reserved4(int value) = 0;

    std::string GetUserName() const { return m_userName; }
    std::string GetPassword() const { return m_password; }
    // Host of every request URL, with an optional ":port".
    std::string GetRouterAddress() const { return m_routerAddress; }

    void SetUserName(const std::string& userName) { m_userName = userName; }
    void SetPassword(const std::string& password) { m_password = password; }
    void SetRouterAddress(const std::string& address) { m_routerAddress = address; }
    // Asked while a request of this link is in flight; true aborts it and the
    // request fails. Whoever sets it clears it (empty) before the check's
    // own state goes away.
    void SetCancelCheck(std::function<bool()> check) { m_cancelled = std::move(check); }

protected:
    std::function<bool()> m_cancelled;
    std::string m_userName;
    std::string m_password;
    std::string m_routerAddress;
};
