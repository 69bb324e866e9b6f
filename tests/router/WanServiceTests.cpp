// tst_RouterLink, continued: the WAN service requests, which replace every
// service the router holds with the one the settings describe.

#include "TestRouterLink.h"

#include <QtTest>

namespace {

SimWanService Service(const std::string& name, const std::string& vpi, const std::string& vci)
{
    return {name, {{"atmVpi", vpi}, {"atmVci", vci}, {"linkType", "EoA"}}};
}

QStringList Names(const std::vector<SimWanService>& services)
{
    QStringList names;
    for (const SimWanService& service : services)
        names << QString::fromStdString(service.Name);
    return names;
}

}  // namespace

void TestRouterLink::applyWanServiceReplacesEveryService_data()
{
    QTest::addColumn<QStringList>("existing");
    QTest::newRow("none") << QStringList{};
    QTest::newRow("one") << QStringList{"pppoa_0_0_100"};
    QTest::newRow("three, 13-character names")
        << QStringList{"pppoa_0_0_100", "pppoe_0_8_35", "mer_0_100_200"};
}

void TestRouterLink::applyWanServiceReplacesEveryService()
{
    QFETCH(QStringList, existing);
    SimRouterState state;
    for (const QString& name : existing)
        state.Services.push_back(Service(name.toStdString(), "0", "100"));
    m_sim.SetState(state);
    WizardSettings& s = m_settings;
    s.AtmVpi = 8;
    s.AtmVci = 35;
    s.PppUserName = "user";
    s.PppPassword = "pw";
    QVERIFY(LoggedIn().ApplyWanService());

    QCOMPARE(Names(m_sim.State().Services), QStringList{"pppoe_0_8_35"});
    QStringList removals;
    for (const QString& name : existing)
        removals << "action=remove&rmLst=" + name + "&sessionKey=";
    const QStringList sent = QueriesTo(m_sim, "/dlwancfg.cmd");
    QCOMPARE(sent.size(), existing.size() + 1);
    for (int i = 0; i < existing.size(); ++i)
        QVERIFY2(sent[i].startsWith(removals[i]) && sent[i].size() > removals[i].size(),
                 qPrintable(sent[i]));
    QVERIFY(sent.last().startsWith("action=add&sessionKey="));
}

void TestRouterLink::applyWanServiceKeepsValuesIntact()
{
    WizardSettings& s = m_settings;
    s.ProtocolIndex = 1;
    s.AtmVpi = 0;
    s.AtmVci = 100;
    s.PppUserName = "me&you@isp";
    s.PppPassword = "a&b#c+d e=%";
    QVERIFY(LoggedIn().ApplyWanService());
    const SimWanService added = m_sim.State().Services.at(0);
    QCOMPARE(added.Name, std::string("pppoa_0_0_100"));
    QCOMPARE(added.Params.at("pppUserName"), s.PppUserName);
    QCOMPARE(added.Params.at("pppPassword"), s.PppPassword);
    QCOMPARE(added.Params.at("encapMode"), std::string("1"));
}

void TestRouterLink::protocolChoosesTemplateAndCookie_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("service");
    QTest::addColumn<bool>("adminCookie");
    QTest::newRow("pppoe") << 0 << "pppoe_0_8_35" << false;
    QTest::newRow("pppoa") << 1 << "pppoa_0_8_35" << false;
    QTest::newRow("mer") << 2 << "mer_0_8_35" << false;
    QTest::newRow("ipoa") << 3 << "ipoa_0_8_35" << true;
    QTest::newRow("bridge") << 4 << "br_0_8_35" << true;
    QTest::newRow("beyond bridge") << 7 << "br_0_8_35" << true;
}

void TestRouterLink::protocolChoosesTemplateAndCookie()
{
    QFETCH(int, protocol);
    QFETCH(QString, service);
    QFETCH(bool, adminCookie);
    WizardSettings& s = m_settings;
    s.ProtocolIndex = protocol;
    s.AtmVpi = 8;
    s.AtmVci = 35;
    CIpLink& link = LoggedIn();
    QVERIFY(link.ApplyWanService());
    QCOMPARE(Names(m_sim.State().Services), QStringList{service});
    const std::string cookie = m_sim.RequestsTo("/internet_sum.cgi").at(0).Cookie;
    const std::string session = link.GetSessionCookie();
    const std::string expected = adminCookie ? "sessionid=c3d94e07; TBSPASSWORD=vabel; webuicookie="
                                                   + session + ";username=admin; password=vabel"
                                             : "sessionid=c3d94e07; TBSPASSWORD=vabel; webuicookie="
                                                   + session;
    QCOMPARE(cookie, expected);
    QCOMPARE(m_sim.RequestsTo("/setup_wancfg.html").at(0).Cookie,
             "username=admin; password=vabel; webuicookie=" + session);
}

void TestRouterLink::merStaticSendsEmptyFields()
{
    WizardSettings& s = m_settings;
    s.ProtocolIndex = 2;
    s.MerDynamicIp = 0;
    QVERIFY(LoggedIn().ApplyWanService());
    const auto params = m_sim.State().Services.at(0).Params;
    for (const char* field : {"wanIpAddress", "wanSubnetMask", "wanIntfGateway", "wanInfDnsPrimary",
                              "wanInfDnsSecondary"})
        QCOMPARE(params.at(field), std::string());
    QCOMPARE(params.at("ntwkPrtcl"), std::string("6"));
}

void TestRouterLink::addFailsWhenKeysAreRefused()
{
    CIpLink& link = LoggedIn();
    m_sim.RefuseSessionKeys(true);
    QVERIFY(!link.ApplyWanService());
    QVERIFY(m_sim.State().Services.empty());
    m_sim.RefuseSessionKeys(false);
    m_sim.SetFault("/internet_sum.cgi", SimFault{.MissingMarker = true});
    QVERIFY(!link.ApplyWanService());  // no key for the add request: refused
    QVERIFY(QueriesTo(m_sim, "/dlwancfg.cmd").last().endsWith("sessionKey="));
}

void TestRouterLink::overlongCredentialsSendNothing()
{
    WizardSettings& s = m_settings;
    s.PppUserName = std::string(300, '&');
    CIpLink& link = LoggedIn();
    SimRouterState state;
    state.Services = {Service("br_0_0_100", "0", "100")};
    m_sim.SetState(state);
    QVERIFY(!link.ApplyWanService());
    QCOMPARE(m_sim.Requests().size(), std::size_t(0));  // the old service stays
    QCOMPARE(m_sim.State().Services.size(), std::size_t(1));
}

void TestRouterLink::brokenServicePageStillAdds()
{
    SimRouterState state;
    state.Services = {Service("br_0_0_100", "0", "100")};
    m_sim.SetState(state);
    m_sim.SetFault("/setup_wancfg.html", SimFault{.MissingMarker = true});
    QVERIFY(LoggedIn().ApplyWanService());
    QCOMPARE(m_sim.State().Services.size(), std::size_t(2));
    QCOMPARE(QueriesTo(m_sim, "/dlwancfg.cmd").filter("action=remove").size(), 0);
}

void TestRouterLink::pvcExistsAndDeleteAll()
{
    SimRouterState state;
    state.Services = {Service("pppoe_0_8_35", "8", "35"), Service("br_0_0_100", "0", "100")};
    m_sim.SetState(state);
    QVERIFY(m_link->PvcExists(8, 35));
    QVERIFY(!m_link->PvcExists(0, 35));
    QVERIFY(m_link->DeleteAllWanServices());
    QVERIFY(m_sim.State().Services.empty());
    QCOMPARE(m_sim.RequestsTo("/form2WanAdsl.cgi").at(0).Body,
             std::string("DeleteALL=DeleteALL&submit.htm%3Fwanadsl_auto_droute.htm=Send"));
}
