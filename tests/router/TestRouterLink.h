#pragma once
// The test class of tst_RouterLink. tst_RouterLink.cpp holds the login, the
// wireless pages, the password change and what is read; WanServiceTests.cpp
// the WAN service requests.

#include "CIpLink.h"
#include "RouterSim.h"
#include "WizardSettings.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <string>

// The query of every request the emulator received for path, in order.
inline QStringList QueriesTo(const RouterSim& sim, const std::string& path)
{
    QStringList queries;
    for (const SimRequest& request : sim.RequestsTo(path))
        queries << QString::fromStdString(request.Query);
    return queries;
}

class TestRouterLink : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void loginStoresTheCookie();
    void loginRefusals_data();
    void loginRefusals();
    void loginEscapesTheBody();
    void logoutEndsTheSession();
    void processWideLink();

    void applyWanServiceReplacesEveryService_data();
    void applyWanServiceReplacesEveryService();
    void applyWanServiceKeepsValuesIntact();
    void protocolChoosesTemplateAndCookie_data();
    void protocolChoosesTemplateAndCookie();
    void merStaticSendsEmptyFields();
    void addFailsWhenKeysAreRefused();
    void overlongCredentialsSendNothing();
    void brokenServicePageStillAdds();
    void pvcExistsAndDeleteAll();

    void wirelessBasic();
    void wirelessSecurity_data();
    void wirelessSecurity();
    void wirelessNeedsSession();
    void slowFormPageGivesEmptyKey();
    void changeRouterPassword();
    void lineBreakInPasswordSendsNothing();

    void readWirelessSettings();
    void dslLine_data();
    void dslLine();

private:
    CIpLink& LoggedIn();

    RouterSim m_sim;
    WizardSettings m_settings;  // what m_link sends
    std::unique_ptr<CIpLink> m_link;
};
