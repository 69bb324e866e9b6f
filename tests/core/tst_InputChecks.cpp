// The setup pages' rules and their exact texts.

#include "InputChecks.h"

#include <QtTest>

Q_DECLARE_METATYPE(CheckMessage)

namespace {
QString Text(CheckMessage message)
{
    return QString::fromUtf8(CheckMessageText(message).data(), CheckMessageText(message).size());
}
}  // namespace

class TestInputChecks : public QObject
{
    Q_OBJECT

private slots:
    void readDecimal_data();
    void readDecimal();
    void pvc_data();
    void pvc();
    void countryDefaults();
    void ispAccount_data();
    void ispAccount();
    void addressFieldText_data();
    void addressFieldText();
    void staticAddresses_data();
    void staticAddresses();
    void blankSecondaryDnsIsStoredAsZeros();
    void wireless_data();
    void wireless();
    void routerPasswords();
    void nextPageNeeds();
};

void TestInputChecks::readDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "35" << 35;
    QTest::newRow("trailing junk") << "8x" << 8;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("no digits") << "abc" << 0;
    QTest::newRow("leading blanks") << "  42" << 42;
    QTest::newRow("sign") << "-1" << -1;
    QTest::newRow("plus") << "+7" << 7;
    QTest::newRow("saturates high") << "99999999999999" << INT_MAX;
    QTest::newRow("saturates low") << "-99999999999999" << INT_MIN;
}

void TestInputChecks::readDecimal()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(ReadDecimal(text.toStdString()), value);
}

void TestInputChecks::pvc_data()
{
    QTest::addColumn<QString>("vpi");
    QTest::addColumn<QString>("vci");
    QTest::addColumn<QString>("message");
    QTest::newRow("defaults") << "8"
                              << "35"
                              << "";
    QTest::newRow("upper bounds") << "255"
                                  << "65535"
                                  << "";
    QTest::newRow("lower bounds") << "0"
                                  << "32"
                                  << "";
    QTest::newRow("empty vpi is 0") << ""
                                    << "100"
                                    << "";
    QTest::newRow("vpi 256") << "256"
                             << "35"
                             << "VPI value must be 0 - 255";
    QTest::newRow("vpi -1") << "-1"
                            << "35"
                            << "VPI value must be 0 - 255";
    QTest::newRow("vpi overflow") << "4294967296"
                                  << "35"
                                  << "VPI value must be 0 - 255";
    QTest::newRow("vci 31") << "8"
                            << "31"
                            << "VCI value must be 32 - 65535";
    QTest::newRow("vci 65536") << "8"
                               << "65536"
                               << "VCI value must be 32 - 65535";
    QTest::newRow("empty vci") << "8"
                               << ""
                               << "VCI value must be 32 - 65535";
    QTest::newRow("both wrong: vpi first") << "300"
                                           << "1"
                                           << "VPI value must be 0 - 255";
}

void TestInputChecks::pvc()
{
    QFETCH(QString, vpi);
    QFETCH(QString, vci);
    QFETCH(QString, message);
    const CheckMessage found = CheckPvc(ReadDecimal(vpi.toStdString()),
                                        ReadDecimal(vci.toStdString()));
    QCOMPARE(Text(found), message);
}

void TestInputChecks::countryDefaults()
{
    const CountryDefaults& au = GetCountryDefaults(CountryAustralia);
    QCOMPARE(au.IspNames.size(), std::size_t(16));
    QCOMPARE(au.IspNames.front(), std::string_view("AAPT"));
    QCOMPARE(au.IspNames.back(), std::string_view("TPG"));
    QCOMPARE(ProtocolNames[au.ProtocolIndex], std::string_view("PPPoE"));
    QCOMPARE(EncapsulationNames[au.EncapsulationIndex], std::string_view("LLC"));
    QCOMPARE(au.AtmVpi, 8);
    QCOMPARE(au.AtmVci, 35);

    const CountryDefaults& nz = GetCountryDefaults(CountryNewZealand);
    QCOMPARE(nz.IspNames.size(), std::size_t(3));
    QCOMPARE(nz.IspNames.front(), std::string_view("IHUG"));
    QCOMPARE(ProtocolNames[nz.ProtocolIndex], std::string_view("PPPoA"));
    QCOMPARE(EncapsulationNames[nz.EncapsulationIndex], std::string_view("VC Mux"));
    QCOMPARE(nz.AtmVpi, 0);
    QCOMPARE(nz.AtmVci, 100);

    QCOMPARE(SecurityLevelNames[SecurityWpa2], std::string_view("WPA2(recommended)"));
}

void TestInputChecks::ispAccount_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<CheckMessage>("message");
    QTest::newRow("all empty") << ""
                               << ""
                               << "" << CheckMessage::InvalidUserName;
    QTest::newRow("user only") << "joe"
                               << ""
                               << "" << CheckMessage::PasswordsDoNotMatch;
    QTest::newRow("case differs") << "joe"
                                  << "Secret"
                                  << "secret" << CheckMessage::PasswordsDoNotMatch;
    QTest::newRow("blank user accepted") << "  "
                                         << "pw"
                                         << "pw" << CheckMessage::None;
    QTest::newRow("good") << "joe@isp"
                          << "pw"
                          << "pw" << CheckMessage::None;
}

void TestInputChecks::ispAccount()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, confirmation);
    QFETCH(CheckMessage, message);
    QCOMPARE(
        CheckIspAccount(user.toStdString(), password.toStdString(), confirmation.toStdString()),
        message);
    QCOMPARE(Text(CheckMessage::InvalidUserName), QString("Invalid user name."));
    QCOMPARE(Text(CheckMessage::PasswordsDoNotMatch), QString("Passwords do not match!"));
}

void TestInputChecks::addressFieldText_data()
{
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("text");
    QTest::newRow("blank") << QStringList{"", "", "", ""} << "";
    QTest::newRow("two parts") << QStringList{"10", "1", "", ""} << "10.1.0.0";
    QTest::newRow("full") << QStringList{"192", "168", "1", "2"} << "192.168.1.2";
}

void TestInputChecks::addressFieldText()
{
    QFETCH(QStringList, parts);
    QFETCH(QString, text);
    const std::array<std::string, 4> field = {parts[0].toStdString(), parts[1].toStdString(),
                                              parts[2].toStdString(), parts[3].toStdString()};
    QCOMPARE(QString::fromStdString(AddressFieldText(field)), text);
}

void TestInputChecks::staticAddresses_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("message");
    const QString g = "10.0.0.1";
    QTest::newRow("blank page") << QStringList{"", "", "", "", ""}
                                << "IP Address can not be empty!";
    QTest::newRow("ip all ones") << QStringList{"255.255.255.255", "", "", "", ""}
                                 << "Please Enter a Valid IP Address";
    QTest::newRow("ip not dotted")
        << QStringList{"10.1", "", "", "", ""} << "Please Enter a Valid IP Address";
    QTest::newRow("mask blank") << QStringList{"10.0.0.2", "", "", "", ""}
                                << "Subnet Mask can not be empty!";
    QTest::newRow("mask all ones") << QStringList{"10.0.0.2", "255.255.255.255", "", "", ""}
                                   << "Please Enter a Valid subnet mask";
    QTest::newRow("gateway blank") << QStringList{"10.0.0.2", "255.0.255.0", "", "", ""}
                                   << "Default Gateway can not be empty!";
    QTest::newRow("gateway bad") << QStringList{"10.0.0.2", "255.0.0.0", "10.0.0.256", "", ""}
                                 << "Please Enter a Valid IP Address";
    QTest::newRow("dns blank") << QStringList{"10.0.0.2", "255.0.0.0", g, "", ""}
                               << "Primary DNS can not be empty!";
    QTest::newRow("dns all ones") << QStringList{"10.0.0.2", "255.0.0.0", g, "255.255.255.255", ""}
                                  << "Please Enter a Valid IP Address";
    QTest::newRow("dns equal") << QStringList{"10.0.0.2", "255.0.0.0", g, "8.8.8.8", "8.8.8.8"}
                               << "Primary DNS and Secondary DNS must be different.";
    QTest::newRow("both dns zero") << QStringList{"10.0.0.2", "255.0.0.0", g, "0.0.0.0", ""}
                                   << "Primary DNS and Secondary DNS must be different.";
    QTest::newRow("typed dns2 not dotted")
        << QStringList{"10.0.0.2", "255.0.0.0", g, "8.8.8.8", "x"}
        << "Please Enter a Valid IP Address";
    QTest::newRow("noncontiguous mask ok")
        << QStringList{"10.0.0.2", "255.0.255.0", g, "8.8.8.8", ""} << "";
    QTest::newRow("dns2 all ones ok")
        << QStringList{"10.0.0.2", "255.0.0.0", g, "8.8.8.8", "255.255.255.255"} << "";
}

void TestInputChecks::staticAddresses()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, message);
    const StaticAddresses typed{fields[0].toStdString(), fields[1].toStdString(),
                                fields[2].toStdString(), fields[3].toStdString(),
                                fields[4].toStdString()};
    StaticAddresses stored;
    QCOMPARE(Text(CheckStaticAddresses(typed, stored)), message);
    if (!message.isEmpty())
        QVERIFY(stored.IpAddress.empty());  // nothing is kept on failure
}

void TestInputChecks::blankSecondaryDnsIsStoredAsZeros()
{
    StaticAddresses stored;
    QCOMPARE(CheckStaticAddresses({"10.0.0.2", "255.0.0.0", "10.0.0.1", "8.8.8.8", ""}, stored),
             CheckMessage::None);
    QCOMPARE(stored.SecondaryDns, std::string("0.0.0.0"));
    QCOMPARE(stored.PrimaryDns, std::string("8.8.8.8"));
}

void TestInputChecks::wireless_data()
{
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("security");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("storedKey");
    const QString s32(32, 'a');
    QTest::newRow("start values") << "Tarnix"
                                  << "" << SecurityWpa2 << "Wireless Password cannot be empty."
                                  << "";
    QTest::newRow("empty ssid first") << ""
                                      << "" << SecurityWpa2 << "The SSID field cannot be blank."
                                      << "";
    QTest::newRow("ssid 32") << s32 << "12345678" << SecurityWpa << ""
                             << "12345678";
    QTest::newRow("ssid 33") << s32 + "a"
                             << "12345678" << SecurityWpa << "ssid length error,please try again"
                             << "";
    QTest::newRow("ssid 16 two-byte chars")
        << QString(16, QChar(0xe9)) << "12345678" << SecurityWpa << ""
        << "12345678";
    QTest::newRow("ssid 17 two-byte chars") << QString(17, QChar(0xe9)) << "12345678" << SecurityWpa
                                            << "ssid length error,please try again"
                                            << "";
    QTest::newRow("blank ssid is text") << " "
                                        << "12345678" << SecurityWpa << ""
                                        << "12345678";
    QTest::newRow("key 7") << "Tarnix"
                           << "1234567" << SecurityWpa2
                           << "Wireless Password must between 8 and 63 characters."
                           << "";
    QTest::newRow("key 63") << "Tarnix" << QString(63, 'k') << SecurityWpa2 << ""
                            << QString(63, 'k');
    QTest::newRow("key 64") << "Tarnix" << QString(64, 'k') << SecurityWpa2
                            << "Wireless Password must between 8 and 63 characters."
                            << "";
    QTest::newRow("only blanks") << "Tarnix" << QString(20, ' ') << SecurityWpa
                                 << "Wireless Password cannot be empty."
                                 << "";
    QTest::newRow("trimmed key measured")
        << "Tarnix"
        << "  1234567  " << SecurityWpa2 << "Wireless Password must between 8 and 63 characters."
        << "";
    QTest::newRow("trimmed key stored") << "Tarnix"
                                        << "\t12345678 \n"
                                        << SecurityWpa2 << ""
                                        << "12345678";
    QTest::newRow("none drops key") << "Tarnix"
                                    << "abc" << SecurityNone << ""
                                    << "";
}

void TestInputChecks::wireless()
{
    QFETCH(QString, ssid);
    QFETCH(QString, key);
    QFETCH(int, security);
    QFETCH(QString, message);
    QFETCH(QString, storedKey);
    std::string stored;
    QCOMPARE(Text(CheckWireless(ssid.toStdString(), key.toStdString(), security, stored)), message);
    QCOMPARE(QString::fromStdString(stored), storedKey);
}

void TestInputChecks::routerPasswords()
{
    QCOMPARE(CheckNewRouterPassword("a", "a"), CheckMessage::None);
    QCOMPARE(CheckNewRouterPassword("a", ""), CheckMessage::InvalidNewPassword);
    QCOMPARE(CheckNewRouterPassword("", ""), CheckMessage::InvalidNewPassword);
    QCOMPARE(CheckNewRouterPassword("Abc", "abc"), CheckMessage::InvalidNewPassword);
    QCOMPARE(Text(CheckMessage::InvalidNewPassword), QString("Invalid Pasword!"));

    QCOMPARE(CheckExistingRouterPassword(""), CheckMessage::InvalidPassword);
    QCOMPARE(CheckExistingRouterPassword("vabel"), CheckMessage::None);
    QCOMPARE(CheckRouterPasswordConfirmation("new", "New"), CheckMessage::InvalidPassword);
    QCOMPARE(CheckRouterPasswordConfirmation("new", "new"), CheckMessage::None);
    QCOMPARE(Text(CheckMessage::InvalidPassword), QString("Invalid Password!"));
}

void TestInputChecks::nextPageNeeds()
{
    QVERIFY(NeedsIspAccount(ProtocolPppoe));
    QVERIFY(NeedsIspAccount(ProtocolPppoa));
    QVERIFY(!NeedsIspAccount(ProtocolMer));
    QVERIFY(NeedsStaticAddresses(ProtocolMer, 0));
    QVERIFY(!NeedsStaticAddresses(ProtocolMer, 1));
    QVERIFY(NeedsStaticAddresses(ProtocolIpoa, 1));
    QVERIFY(!NeedsStaticAddresses(ProtocolBridge, 0));
}

QTEST_GUILESS_MAIN(TestInputChecks)
#include "tst_InputChecks.moc"
