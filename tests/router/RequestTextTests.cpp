// tst_TextRules, continued: the request texts, their templates, cookies,
// URLs and bodies, and that none is formed past its buffer.

#include "RouterUrls.h"
#include "TestTextRules.h"
#include "TextRules.h"
#include "WizardSettings.h"

#include <QtTest>

void TestTextRules::fillTemplateRespectsBuffer()
{
    QCOMPARE(B(FillTemplate("%s-%d", {"a", -1}, 16)), QByteArray("a--1"));
    const std::string fits(507, 'x');
    QCOMPARE(FillTemplate("a%sb", {fits}, 512)->size(), std::size_t(509));
    QVERIFY(FillTemplate("abc%s", {std::string(508, 'x')}, 512));  // 511 bytes and the NUL
    QVERIFY(!FillTemplate("abc%s", {std::string(509, 'x')}, 512));
    QVERIFY(!FillTemplate("%s %s", {"one"}, 512));
    QVERIFY(!FillTemplate("%s", {"one", "two"}, 512));
    QCOMPARE(B(FillTemplate("100%", {}, 512)), QByteArray("100%"));
}

void TestTextRules::cookieFormats()
{
    QCOMPARE(B(ApplyCookie("pw", "ck")),
             QByteArray("sessionid=c3d94e07; TBSPASSWORD=pw; webuicookie=ck"));
    QCOMPARE(B(AdminCookie("pw", "ck")), QByteArray("username=admin; password=pw; webuicookie=ck"));
    QCOMPARE(B(ApplyAdminCookie("pw", "ck")),
             QByteArray(
                 "sessionid=c3d94e07; TBSPASSWORD=pw; webuicookie=ck;username=admin; password=pw"));
    QCOMPARE(
        B(WirelessCookie("pw", "ck")),
        QByteArray(
            "sessionid=c3d94e07; TBSPASSWORD=pw; webuicookie=ck; username=admin; password=pw"));
    QCOMPARE(
        B(SecurityCookie("pw", "ck")),
        QByteArray(
            "sessionid=c3d94e07; TBSPASSWORD=pw; username=admin; password=pw; webuicookie=ck;"));
    QCOMPARE(QByteArray(kLoginCookie), QByteArray("Name="));
    QVERIFY(!ApplyCookie(std::string(470, 'p'), "ck"));
}

void TestTextRules::wanSummaryUrl_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("encapsulation");
    QTest::addColumn<int>("merDynamic");
    QTest::addColumn<QByteArrayList>("fragments");
    QTest::newRow("pppoe llc") << 0 << 0 << 0
                               << QByteArrayList{"ntwkPrtcl=0&linkType=EoA", "encapMode=0&",
                                                 "serviceName=pppoe_0_8_35&"};
    QTest::newRow("pppoa llc swaps") << 1 << 0 << 0
                                     << QByteArrayList{"ntwkPrtcl=1&linkType=PPPoA", "encapMode=1&",
                                                       "serviceName=pppoa_0_8_35&"};
    QTest::newRow("pppoa vc swaps") << 1 << 1 << 0 << QByteArrayList{"encapMode=0&"};
    QTest::newRow("mer dynamic")
        << 2 << 1 << 1
        << QByteArrayList{"encapMode=1&",
                          "ntwkPrtcl=2&enblDhcpClnt=1&dnsDynamic=1&dnsPrimary=0.0.0.0",
                          "serviceName=mer_0_8_35&"};
    QTest::newRow("mer static")
        << 2 << 0 << 0
        << QByteArrayList{
               "ntwkPrtcl=6&enblDhcpClnt=0&wanIpAddress=10.0.0.2&wanSubnetMask=255.0.0.0&wanIntfGateway=10.0.0.1&dnsDynamic=0&wanInfDnsPrimary=10.0.0.9&wanInfDnsSecondary=&enblNat"};
    QTest::newRow("ipoa") << 3 << 0 << 0
                          << QByteArrayList{"ntwkPrtcl=5&linkType=IPoA&encapMode=0&",
                                            "wanIpAddress=10.0.0.2&", "serviceName=ipoa_0_8_35&"};
    QTest::newRow("bridge") << 4 << 0 << 0
                            << QByteArrayList{"ntwkPrtcl=3&linkType=EoA",
                                              "enblFirewall=0&enblNat=0&serviceName=br_0_8_35&"};
    QTest::newRow("above 4 is bridge") << 9 << 0 << 0 << QByteArrayList{"serviceName=br_0_8_35&"};
}

void TestTextRules::wanSummaryUrl()
{
    QFETCH(int, protocol);
    QFETCH(int, encapsulation);
    QFETCH(int, merDynamic);
    QFETCH(QByteArrayList, fragments);
    WizardSettings s;
    s.ProtocolIndex = protocol;
    s.EncapsulationIndex = encapsulation;
    s.MerDynamicIp = merDynamic;
    s.AtmVpi = 8;
    s.AtmVci = 35;
    s.StaticIpAddress = "10.0.0.2";
    s.StaticSubnetMask = "255.0.0.0";
    s.StaticGateway = "10.0.0.1";
    s.StaticPrimaryDns = "10.0.0.9";
    const QByteArray url = B(WanSummaryUrl(WanVariantFor(s), s, "host", "77"));
    QVERIFY2(url.startsWith("http://host/internet_sum.cgi?atmVpi=8&atmVci=35&portId=0&"), url);
    QVERIFY2(url.endsWith("&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=77"), url);
    for (const QByteArray& fragment : fragments)
        QVERIFY2(url.contains(fragment), url + " lacks " + fragment);
}

void TestTextRules::pppoeUrlExact()
{
    WizardSettings s;
    s.AtmVpi = 8;
    s.AtmVci = 35;
    s.PppUserName = "me@isp";
    s.PppPassword = "a&b#c+d e";
    QCOMPARE(
        B(WanSummaryUrl(WanVariant::Pppoe, s, "192.0.2.1:81", "123")),
        QByteArray(
            "http://192.0.2.1:81/internet_sum.cgi?atmVpi=8&atmVci=35&portId=0&atmServiceCategory=UBR&atmPeakCellRate=0&atmSustainedCellRate=0&atmMaxBurstSize=0&enblQos=1&schedulerAlgorithm=SP&queueWeight=1&grpPrecedence=8&ntwkPrtcl=0&linkType=EoA&enblv6=0&enblMld=0&encapMode=0&enVlanMux=0&vlanMuxId=-1&vlanMuxPr=-1&connMode=0&quickSetup=0&pppUserName=me@isp&pppPassword=a%26b%23c%2Bd%20e&enblOnDemand=0&pppTimeOut=&connectionTrigger=&pppToBridge=0&useStaticIpAddress=0&pppLocalIpAddress=0.0.0.0&pppIpExtension=0&pppAuthMethod=0&defaultGateway=0.0.0.0&maxMtu=1400&maxMru=1492&enblNat=1&enblFirewall=1&enblIgmp=1&serviceName=pppoe_0_8_35&keepalive=1&keepalivetime=30&alivemaxfail=5&sessionKey=123"));
}

void TestTextRules::wirelessBasicUrl()
{
    WizardSettings s;
    s.Ssid = "My Net&1";
    QCOMPARE(
        B(WirelessBasicUrl(s, "h", "9")),
        QByteArray(
            "http://h/wlcfg.wl?wlSsidIdx=0&wlEnbl=1&wlHide=0&wlAPIsolation=0&wlSsid=My%20Net%261&wlCountry=AU&wlMaxAssoc=16&wlChannel=9&wlDisableWme=0&wlEnableWmf=1&wlgMode=1&wlNmode=auto&wlNReqd=1&wlWme=1&wlNBwCap=1&wlNCtrlsb=-1&wsc_config_state=1&wlSyncNvram=1&sessionKey=9"));
    s.CountryIndex = 1;
    QVERIFY(B(WirelessBasicUrl(s, "h", "9")).contains("&wlCountry=NZ&"));
    s.CountryIndex = 5;
    QVERIFY(B(WirelessBasicUrl(s, "h", "9")).contains("&wlCountry=AU&"));
}

void TestTextRules::wirelessSecurityUrl_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray tail =
        "&wlWpaGtkRekey=0&wlNetReauth=36000&wlWep=disabled&wlWpa=aes&wlKeyBit=1&wlPreauth=0&wl_wsc_mode=disabled&wlSsidIdx=1&wlSyncNvram=1&sessionKey=5";
    QTest::newRow("wpa")
        << 0
        << "http://h/wlsecurity.wl?wl_wsc_reg=enabled&wsc_config_state=1&wlAuthMode=psk&wlAuth=0&wlWpaPsk=k%26y%23z"
               + tail;
    QTest::newRow("wpa2")
        << 1
        << "http://h/wlsecurity.wl?wl_wsc_reg=enabled&wsc_config_state=1&wlAuthMode=psk2&wlAuth=0&wlWpaPsk=k%26y%23z"
               + tail;
    QTest::newRow("none")
        << 2
        << QByteArray(
               "http://h/wlsecurity.wl?wl_wsc_reg=enabled&wsc_config_state=1&wlAuthMode=open&wlAuth=0&wlWep=disabled&wlWpa=aes&wlKeyBit=1&wlPreauth=0&wl_wsc_mode=disabled&wlSsidIdx=1&wlSyncNvram=1&sessionKey=5");
    QTest::newRow("other is none")
        << -1
        << QByteArray(
               "http://h/wlsecurity.wl?wl_wsc_reg=enabled&wsc_config_state=1&wlAuthMode=open&wlAuth=0&wlWep=disabled&wlWpa=aes&wlKeyBit=1&wlPreauth=0&wl_wsc_mode=disabled&wlSsidIdx=1&wlSyncNvram=1&sessionKey=5");
}

void TestTextRules::wirelessSecurityUrl()
{
    QFETCH(int, index);
    QFETCH(QByteArray, expected);
    QCOMPARE(B(WirelessSecurityUrl("h", "k&y#z", index, "5")), expected);
}

void TestTextRules::passwordAndLoginTexts()
{
    WizardSettings s;
    s.RouterPassword = "old pw";
    s.NewRouterPassword = "new&pw";
    QCOMPARE(
        B(PasswordChangeUrl(s, "h", "3")),
        QByteArray(
            "http://h/password.cgi?inUserName=admin&inPassword=new%26pw&inOrgPassword=old%20pw&newUserName=admin&oldPassword=old%20pw&newPassword=new%26pw&oldUserName=admin&sessionKey=3"));
    QCOMPARE(B(LoginBody("admin", "p&w=")),
             QByteArray("username=admin&password=p%26w%3D&validateCode=&loginfo=on"));
    QCOMPARE(B(LogoutUrl("admin", "pw", "h")),
             QByteArray("http://admin:pw@h/cgi-bin/webproc?logout"));
    QCOMPARE(
        B(QuickSetupUrl("h", "1")),
        QByteArray("http://h/internet_setup.cmd?serviceId=0&upStrMode=1&ethUsed=0&sessionKey=1"));
    QCOMPARE(B(RemoveServiceUrl("h", "pppoa_0_0_100", "2")),
             QByteArray("http://h/dlwancfg.cmd?action=remove&rmLst=pppoa_0_0_100&sessionKey=2"));
    QCOMPARE(B(AddServiceUrl("h", "4")),
             QByteArray("http://h/dlwancfg.cmd?action=add&sessionKey=4"));
}

void TestTextRules::overlongTextsAreNotFormed()
{
    WizardSettings s;
    s.PppUserName = std::string(200, 'u');
    s.PppPassword = std::string(100, '&');  // 300 bytes once escaped
    QVERIFY(!WanSummaryUrl(WanVariant::Pppoe, s, "h", "1"));
    s.PppPassword = "short";
    QVERIFY(WanSummaryUrl(WanVariant::Pppoe, s, "h", "1"));

    s.Ssid = std::string(85, ' ');  // 255 escaped bytes still fit the name buffer
    QVERIFY(WirelessBasicUrl(s, "h", "1"));
    s.Ssid += "x";
    QVERIFY(!WirelessBasicUrl(s, "h", "1"));

    s.NewRouterPassword = std::string(100, '#');
    s.RouterPassword = "x";
    QVERIFY(!PasswordChangeUrl(s, "h", "1"));
    QVERIFY(!LoginBody("admin", std::string(340, '%')));
}
