// The status reads against the emulator on 127.0.0.1: they tell "nothing
// answered" from "something answered and said no", and end within the
// time-out they are given.

#include "RouterSim.h"
#include "RouterStatus.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(SimFault)
Q_DECLARE_METATYPE(StatusRead)

class TestRouterStatus : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_sim.Start() > 0); }
    void init() { m_sim.ClearFaults(); }
    void cleanupTestCase() { m_sim.Stop(); }

    void readsTellWhyTheyFailed_data();
    void readsTellWhyTheyFailed();
    void readsEndWithinTheirTimeout_data();
    void readsEndWithinTheirTimeout();

private:
    RouterSim m_sim;
};

void TestRouterStatus::readsTellWhyTheyFailed_data()
{
    QTest::addColumn<QString>("path");  // empty: every path
    QTest::addColumn<SimFault>("fault");
    QTest::addColumn<StatusRead>("line");
    QTest::addColumn<StatusRead>("wireless");
    const SimFault none;
    QTest::newRow("the router answers") << "/none" << none << StatusRead::Read << StatusRead::Read;
    QTest::newRow("status page refused")
        << "/info.html" << SimFault{.Status = 500} << StatusRead::NotReadable << StatusRead::Read;
    QTest::newRow("security page empty") << "/wlsecurity.html" << SimFault{.EmptyBody = true}
                                         << StatusRead::Read << StatusRead::NotReadable;
    QTest::newRow("markers left out") << "" << SimFault{.MissingMarker = true}
                                      << StatusRead::MarkersMissing << StatusRead::MarkersMissing;
    // Any HTTP answer is an answer, whatever it holds.
    QTest::newRow("another server") << "" << SimFault{.Body = std::string("<html>hello</html>")}
                                    << StatusRead::MarkersMissing << StatusRead::MarkersMissing;
    QTest::newRow("garbage") << "" << SimFault{.BinaryBytes = 4096} << StatusRead::MarkersMissing
                             << StatusRead::MarkersMissing;
    QTest::newRow("302 to the login")
        << "" << SimFault{.Status = 302} << StatusRead::NotReadable << StatusRead::NotReadable;
    QTest::newRow("answer cut") << "" << SimFault{.DropAfterBytes = 60} << StatusRead::NoAnswer
                                << StatusRead::NoAnswer;
}

void TestRouterStatus::readsTellWhyTheyFailed()
{
    QFETCH(QString, path);
    QFETCH(SimFault, fault);
    QFETCH(StatusRead, line);
    QFETCH(StatusRead, wireless);
    SimRouterState state;
    state.DownstreamRate = "8128";
    m_sim.SetState(state);
    if (path.isEmpty())
        m_sim.SetFaultEverywhere(fault);
    else
        m_sim.SetFault(path.toStdString(), fault);

    const DslLineStatus dsl = ReadDslLineStatus(m_sim.Address());
    QCOMPARE(dsl.Result, line);
    if (line == StatusRead::Read)
    {
        QCOMPARE(dsl.DownstreamRate, std::string("8128"));
        QVERIFY(dsl.Up());
    }
    const WirelessStatus read = ReadWirelessStatus(m_sim.Address());
    QCOMPARE(read.Result, wireless);
    if (wireless == StatusRead::Read)
    {
        QCOMPARE(read.Name, state.Ssid);
        QCOMPARE(read.Key, state.Key);
    }
}

void TestRouterStatus::readsEndWithinTheirTimeout_data()
{
    QTest::addColumn<bool>("routerThere");
    QTest::newRow("slow router") << true;
    QTest::newRow("nobody listening") << false;
}

// A router that answers too slowly counts as none, and a caller's short
// time-out holds for every request a read makes.
void TestRouterStatus::readsEndWithinTheirTimeout()
{
    QFETCH(bool, routerThere);
    m_sim.SetFaultEverywhere(SimFault{.Delay = 5s});
    const std::string address = routerThere ? m_sim.Address() : "127.0.0.1:9";
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(ReadDslLineStatus(address, 300ms).Result, StatusRead::NoAnswer);
    QCOMPARE(ReadWirelessStatus(address, 300ms).Result, StatusRead::NoAnswer);
    QVERIFY2(clock.elapsed() < 3000, QByteArray::number(clock.elapsed()));
}

QTEST_GUILESS_MAIN(TestRouterStatus)
#include "tst_RouterStatus.moc"
