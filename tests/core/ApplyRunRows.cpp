#include "ApplyRunRows.h"

#include "InputChecks.h"

#include <QtTest>

#include <string>

void AddProtocolRows()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("merDynamicIp");
    QTest::addColumn<QString>("serviceName");
    QTest::addColumn<QString>("param");
    QTest::addColumn<QString>("value");
    QTest::newRow("PPPoE") << ProtocolPppoe << 0 << "pppoe_0_8_35"
                           << "pppUserName"
                           << "joe@isp";
    QTest::newRow("PPPoA") << ProtocolPppoa << 0 << "pppoa_0_8_35"
                           << "pppPassword"
                           << "pw";
    QTest::newRow("MER dynamic") << ProtocolMer << 1 << "mer_0_8_35"
                                 << "enblDhcpClnt"
                                 << "1";
    QTest::newRow("MER static") << ProtocolMer << 0 << "mer_0_8_35"
                                << "wanIpAddress"
                                << "10.0.0.2";
    QTest::newRow("IPoA") << ProtocolIpoa << 0 << "ipoa_0_8_35"
                          << "wanInfDnsSecondary"
                          << "0.0.0.0";
    QTest::newRow("Bridge") << ProtocolBridge << 0 << "br_0_8_35"
                            << "linkType"
                            << "EoA";
}

void AddUncarriableValueRows()
{
    QTest::addColumn<SettingsChange>("change");
    QTest::addColumn<std::string>("routerAddress");  // empty: the emulator
    QTest::addColumn<CarryProblem>("problem");
    QTest::addColumn<CarriedField>("field");
    const auto row = [](const char* name, SettingsChange change, CarryProblem problem,
                        CarriedField field, std::string address = {}) {
        QTest::newRow(name) << change << address << problem << field;
    };
    const std::string huge(131000, 'a');
    const auto longText = [](std::size_t n) { return std::string(n, 'a'); };
    const auto tooLong = CarryProblem::TooLong;
    const auto cookie = CarryProblem::NotInACookie;
    row(
        "new router password of 131000 bytes",
        [huge](WizardSettings& s) {
            s.PasswordChangeRequested = true;
            s.NewRouterPassword = huge;
        },
        tooLong, CarriedField::NewRouterPassword);
    row(
        "PPP user name of 131000 bytes", [huge](WizardSettings& s) { s.PppUserName = huge; },
        tooLong, CarriedField::PppUserName);
    // Escaped, each % takes three bytes: 400 fit alone, not in the URL.
    row(
        "PPP password that grows when escaped",
        [](WizardSettings& s) { s.PppPassword = std::string(400, '%'); }, tooLong,
        CarriedField::PppPassword);
    row(
        "router password with a semicolon",
        [](WizardSettings& s) { s.RouterPassword = "a;webuicookie="; }, cookie,
        CarriedField::RouterPassword);
    row(
        "router password with a line break",
        [](WizardSettings& s) { s.RouterPassword = "a\r\nX: y"; }, cookie,
        CarriedField::RouterPassword);
    row(
        "router password too long for the cookies",
        [longText](WizardSettings& s) { s.RouterPassword = longText(230); }, tooLong,
        CarriedField::RouterPassword);
    row(
        "password after a change with a semicolon",
        [](WizardSettings& s) {
            s.RouterPasswordChanged = true;
            s.PasswordAfterChange = "x;y";
        },
        cookie, CarriedField::RouterPassword);
    row(
        "new router password with a semicolon",
        [](WizardSettings& s) {
            s.PasswordChangeRequested = true;
            s.NewRouterPassword = "new;pw";
        },
        cookie, CarriedField::NewRouterPassword);
    row(
        "new router password with a tab",
        [](WizardSettings& s) {
            s.PasswordChangeRequested = true;
            s.NewRouterPassword = "new\tpw";
        },
        cookie, CarriedField::NewRouterPassword);
    row(
        "passwords that fill the change request together",
        [longText](WizardSettings& s) {
            s.PasswordChangeRequested = true;
            s.RouterPassword = longText(120);
            s.NewRouterPassword = longText(110);
        },
        tooLong, CarriedField::RouterPassword);
    row(
        "wireless key of kilobytes",
        [longText](WizardSettings& s) { s.WirelessKey = longText(2000); }, tooLong,
        CarriedField::WirelessKey);
    row(
        "network name past its 255-byte buffer once escaped",
        [](WizardSettings& s) { s.Ssid = std::string(90, '&'); }, tooLong, CarriedField::Ssid);
    row(
        "router address too long for a page URL", [](WizardSettings&) {}, tooLong,
        CarriedField::RouterAddress, std::string(600, 'h'));
}
