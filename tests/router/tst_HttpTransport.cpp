// The four HTTP requests against the emulator on 127.0.0.1.

#include "CurlLibrary.h"
#include "HttpTransport.h"
#include "ResponseBuffer.h"
#include "RouterSim.h"

#include <QElapsedTimer>

#include <QtTest>
#include <atomic>
#include <future>

using namespace std::chrono_literals;

Q_DECLARE_METATYPE(SimFault)

class TestHttpTransport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void getSendsAgentAndCookieAndDemands200();
    void emptyAnswer();
    void errorPhrasesReachTheNotifierInOrder();
    void passwordPhraseFailsThePost();
    void hugeAnswerArrivesWhole();
    void answerIsCutAtNul();
    void slowOrDroppedAnswersFail_data();
    void slowOrDroppedAnswersFail();
    void lineBreaksAreNeverSent_data();
    void lineBreaksAreNeverSent();
    void postWithHeadersReturnsHeadersFirst();
    void probeMarker_data();
    void probeMarker();
    void probe();
    void onlyTheProbeTakesTheEnvironmentsProxy_data();
    void onlyTheProbeTakesTheEnvironmentsProxy();
    void cancelledTransfersEndAtOnce_data();
    void cancelledTransfersEndAtOnce();
    void answersPastTheCapFail_data();
    void answersPastTheCapFail();
    void libraryProblemsAreSaid_data();
    void libraryProblemsAreSaid();

private:
    std::string Url(const std::string& path) const { return "http://" + m_sim.Address() + path; }

    RouterSim m_sim;
    std::vector<std::pair<std::string, std::string>> m_notices;
    const RouterErrorNotifier m_notify = [this](const std::string& text,
                                                const std::string& caption) {
        m_notices.emplace_back(text, caption);
    };
};

void TestHttpTransport::initTestCase()
{
    QVERIFY(m_sim.Start() > 0);
}

void TestHttpTransport::init()
{
    m_sim.ClearFaults();
    m_sim.ClearRequests();
    m_notices.clear();
}

void TestHttpTransport::cleanupTestCase()
{
    m_sim.Stop();
}

void TestHttpTransport::getSendsAgentAndCookieAndDemands200()
{
    std::string page;
    QVERIFY(HttpGet(Url("/info.html"), "a=1; b=2", &page));
    QVERIFY(page.find("Downstream Line Rate") != std::string::npos);
    const auto requests = m_sim.RequestsTo("/info.html");
    QCOMPARE(requests.size(), std::size_t(1));
    QCOMPARE(requests[0].UserAgent, std::string("Application"));
    QCOMPARE(requests[0].Cookie, std::string("a=1; b=2"));

    m_sim.SetFault("/info.html", SimFault{.Status = 302});
    page = "unchanged";
    QVERIFY(!HttpGet(Url("/info.html"), "", &page));
    QCOMPARE(page, std::string("unchanged"));
    QCOMPARE(m_sim.RequestsTo("/index.html").size(), std::size_t(0));  // redirect not followed
    m_sim.SetFault("/info.html", SimFault{.Status = 500});
    QVERIFY(!HttpGet(Url("/info.html"), ""));
}

void TestHttpTransport::emptyAnswer()
{
    m_sim.SetFault("/support", SimFault{.EmptyBody = true});
    QVERIFY(!HttpGet(Url("/support"), ""));
    QVERIFY(HttpPostChecked(Url("/support"), "", "", kPostTimeout, {}, m_notify));
    std::string out = "untouched";
    QVERIFY(HttpPostWithHeaders(Url("/support"), "a=b", &out));
    QVERIFY(out.rfind("HTTP/1.1 200", 0) == 0);  // the headers still arrive
    QVERIFY(m_notices.empty());
}

void TestHttpTransport::errorPhrasesReachTheNotifierInOrder()
{
    m_sim.SetFault("/form2WanAdsl.cgi",
                   SimFault{.Body = "PVC(MAX 8) table is Full! and Connection already exists!"});
    QVERIFY(HttpPostChecked(Url("/form2WanAdsl.cgi"), "x=1", "", kPostTimeout, {}, m_notify));
    using Notice = std::pair<std::string, std::string>;
    const std::vector<Notice> expected{{"Connection already exists!", "Error"},
                                       {"PVC(MAX 8) table is Full!", "Error"}};
    QVERIFY(m_notices == expected);
    QCOMPARE(m_sim.RequestsTo("/form2WanAdsl.cgi").at(0).Method, std::string("POST"));
    QCOMPARE(m_sim.RequestsTo("/form2WanAdsl.cgi").at(0).Body, std::string("x=1"));
    QVERIFY(HttpPostChecked(Url("/form2WanAdsl.cgi"), "", ""));  // no notifier: not reported
}

void TestHttpTransport::passwordPhraseFailsThePost()
{
    m_sim.SetFault("/password.cgi",
                   SimFault{.Body = "Connection already exists! Password change failed"});
    QVERIFY(!HttpPostChecked(Url("/password.cgi"), "", "", kPostTimeout, {}, m_notify));
    QCOMPARE(m_notices.size(), std::size_t(1));
}

void TestHttpTransport::hugeAnswerArrivesWhole()
{
    m_sim.SetFault("/info.html", SimFault{.HugeBody = true});
    std::string page;
    QVERIFY(HttpGet(Url("/info.html"), "", &page));
    QCOMPARE(page.size(), std::size_t(150000));
    QVERIFY(page.find("Downstream Line Rate") != std::string::npos);
}

void TestHttpTransport::answerIsCutAtNul()
{
    m_sim.SetFault("/info.html", SimFault{.NulByte = true});
    std::string page;
    QVERIFY(HttpGet(Url("/info.html"), "", &page));
    QCOMPARE(page, std::string("<html>"));
}

void TestHttpTransport::slowOrDroppedAnswersFail_data()
{
    QTest::addColumn<bool>("drop");
    QTest::newRow("slow") << false;
    QTest::newRow("dropped") << true;
}

void TestHttpTransport::slowOrDroppedAnswersFail()
{
    QFETCH(bool, drop);
    const SimFault fault = drop ? SimFault{.DropConnection = true} : SimFault{.Delay = 1500ms};
    m_sim.SetFault("/support", fault);
    QElapsedTimer clock;
    clock.start();
    std::string out;
    QVERIFY(!HttpGet(Url("/support"), "", nullptr, 300ms));
    QVERIFY(!HttpPostChecked(Url("/support"), "", "", 300ms));
    QVERIFY(!HttpPostWithHeaders(Url("/support"), "", &out, 300ms));
    QCOMPARE(ProbeInternet(Url("/support"), 300ms), int(ProbeTransferFailed));
    QVERIFY2(clock.elapsed() < 2500, QByteArray::number(clock.elapsed()));
}

void TestHttpTransport::lineBreaksAreNeverSent_data()
{
    QTest::addColumn<QByteArray>("url");
    QTest::addColumn<QByteArray>("cookie");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("lf in url") << QByteArray("/support?a=\nb") << QByteArray() << QByteArray();
    QTest::newRow("cr in cookie") << QByteArray("/support") << QByteArray("a=1\r\nX-Evil: 1")
                                  << QByteArray();
    QTest::newRow("nul in cookie")
        << QByteArray("/support") << QByteArray("a=1\0b", 5) << QByteArray();
    QTest::newRow("nul in body") << QByteArray("/support") << QByteArray()
                                 << QByteArray("a=1\0b", 5);
}

void TestHttpTransport::lineBreaksAreNeverSent()
{
    QFETCH(QByteArray, url);
    QFETCH(QByteArray, cookie);
    QFETCH(QByteArray, body);
    const std::string fullUrl = Url(url.toStdString());
    const std::string cookieText(cookie.constData(), cookie.size());
    const std::string bodyText(body.constData(), body.size());
    if (body.isEmpty())
        QVERIFY(!HttpGet(fullUrl, cookieText));
    QVERIFY(!HttpPostChecked(fullUrl, bodyText, cookieText));
    if (cookie.isEmpty())
        QVERIFY(!HttpPostWithHeaders(fullUrl, bodyText));
    QCOMPARE(m_sim.Requests().size(), std::size_t(0));
}

void TestHttpTransport::postWithHeadersReturnsHeadersFirst()
{
    std::string out;
    QVERIFY(HttpPostWithHeaders(Url("/index.html"), "username=admin&password=vabel", &out));
    QVERIFY(out.rfind("HTTP/1.1 200 OK\r\n", 0) == 0);
    QVERIFY(out.find("webuicookie=") < out.find("<html>"));
    QCOMPARE(m_sim.Requests().at(0).Cookie, std::string("Name="));
}

void TestHttpTransport::probeMarker_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("marker");
    QTest::newRow("support") << kSupportProbeUrl << "Tarnix";
    QTest::newRow("search") << kSearchProbeUrl << "Google";
    QTest::newRow("third") << kThirdProbeUrl << "www.debian.org";
    QTest::newRow("search, other text") << "http://www.google.com/"
                                        << "Tarnix";
    QTest::newRow("emulator") << "http://127.0.0.1:8080/support"
                              << "Tarnix";
}

void TestHttpTransport::probeMarker()
{
    QFETCH(QString, url);
    QFETCH(QString, marker);
    QCOMPARE(QString(ProbeMarkerFor(url.toStdString())), marker);
}

void TestHttpTransport::probe()
{
    QCOMPARE(ProbeInternet(Url("/support")), int(ProbeReachable));
    QCOMPARE(m_sim.Requests().at(0).UserAgent, std::string("Application"));
    m_sim.SetFault("/support", SimFault{.MissingMarker = true});
    QCOMPARE(ProbeInternet(Url("/support")), int(ProbeMarkerMissing));
    m_sim.SetFault("/support", SimFault{.EmptyBody = true});
    QCOMPARE(ProbeInternet(Url("/support")), int(ProbeEmptyAnswer));
    m_sim.SetFault("/support", SimFault{.Status = 404, .Body = "Tarnix"});
    QCOMPARE(ProbeInternet(Url("/support")), int(ProbeReachable));  // the status is not judged
    QCOMPARE(ProbeInternet("http://127.0.0.1:1/"), int(ProbeTransferFailed));
}

namespace {
// The four requests by name, each returning whether it succeeded.
bool Request(const QString& kind, const std::string& url, const CancelCheck& cancelled)
{
    std::string out;
    if (kind == "get")
        return HttpGet(url, "", &out, kPageReadTimeout, cancelled);
    if (kind == "post")
        return HttpPostChecked(url, "a=1", "", kPostTimeout, cancelled);
    // A login answer past the cap counts as answered, but nothing of it is kept.
    if (kind == "login post")
        return HttpPostWithHeaders(url, "a=1", &out, kPostTimeout, cancelled) && !out.empty();
    return ProbeInternet(url, kProbeTimeout, cancelled) == ProbeReachable;
}

void AddRequestKinds()
{
    QTest::addColumn<QString>("kind");
    for (const char* kind : {"get", "post", "login post", "probe"})
        QTest::newRow(kind) << QString(kind);
}
}  // namespace

void TestHttpTransport::onlyTheProbeTakesTheEnvironmentsProxy_data()
{
    AddRequestKinds();
}

// A proxy named in the environment, here one nothing listens on: the router
// requests go straight to the router, the probe goes through the proxy.
void TestHttpTransport::onlyTheProbeTakesTheEnvironmentsProxy()
{
    QFETCH(QString, kind);
    const QByteArray proxy = QByteArray("http://") + ClosedLoopbackAddress().c_str();
    qputenv("http_proxy", proxy);
    qputenv("all_proxy", proxy);
    const bool answered = Request(kind, Url("/support"), {});
    qunsetenv("http_proxy");
    qunsetenv("all_proxy");
    QCOMPARE(answered, kind != "probe");
}

void TestHttpTransport::cancelledTransfersEndAtOnce_data()
{
    AddRequestKinds();
}

// With the real time-outs: a cancel ends a request the router keeps waiting
// within a second, and once cancelled, no request goes out at all.
void TestHttpTransport::cancelledTransfersEndAtOnce()
{
    QFETCH(QString, kind);
    m_sim.SetFault("/support", SimFault{.Delay = 30s});
    std::atomic<bool> cancel = false;
    const CancelCheck cancelled = [&cancel] { return cancel.load(); };
    auto request = std::async(std::launch::async,
                              [&] { return Request(kind, Url("/support"), cancelled); });
    QTRY_VERIFY(!m_sim.RequestsTo("/support").empty());
    QElapsedTimer clock;
    clock.start();
    cancel = true;
    const bool succeeded = request.get();
    const qint64 elapsed = clock.elapsed();
    QVERIFY(!succeeded);
    QVERIFY2(elapsed < 1500, QByteArray::number(elapsed));

    m_sim.ClearFaults();
    m_sim.ClearRequests();
    QVERIFY(!Request(kind, Url("/support"), cancelled));
    QVERIFY(m_sim.Requests().empty());
    cancel = false;
    QVERIFY(Request(kind, Url("/support"), cancelled));
}

void TestHttpTransport::answersPastTheCapFail_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<SimFault>("fault");
    const SimFault endless{.EndlessChunked = true};
    const SimFault announced{.StreamBytes = kMaxAnswerBytes + 1};
    const SimFault unannounced{.StreamBytes = kMaxAnswerBytes + 1, .StreamWithoutLength = true};
    for (const char* kind : {"get", "post", "login post", "probe"})
    {
        QTest::addRow("%s, endless", kind) << QString(kind) << endless;
        QTest::addRow("%s, one byte past, announced", kind) << QString(kind) << announced;
        QTest::addRow("%s, one byte past, not announced", kind) << QString(kind) << unannounced;
    }
}

// Page reads and probes see only the filler, so their own rules fail them
// too; the posts would take any answer, so the cap alone fails them.
void TestHttpTransport::answersPastTheCapFail()
{
    QFETCH(QString, kind);
    QFETCH(SimFault, fault);
    m_sim.SetFault("/support", fault);
    // Requests use the real time-outs: only the cap can end these soon.
    QElapsedTimer clock;
    clock.start();
    const bool succeeded = Request(kind, Url("/support"), {});
    const qint64 elapsed = clock.elapsed();
    QVERIFY(!succeeded);
    QVERIFY2(elapsed < 10000, QByteArray::number(elapsed));
    if (kind == "post" || kind == "login post")
    {
        // Just under the cap, the same answer is taken.
        fault.EndlessChunked = false;
        fault.StreamBytes = kMaxAnswerBytes - (kind == "login post" ? 1000 : 0);
        m_sim.SetFault("/support", fault);
        QVERIFY(Request(kind, Url("/support"), {}));
    }
}

void TestHttpTransport::libraryProblemsAreSaid_data()
{
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("said");
    QTest::newRow("installed") << kCurlLibraryName << "";
    QTest::newRow("missing") << "libcurl-removed.so.4"
                             << "libcurl-removed.so.4 is missing";
    QTest::newRow("another library") << "libz.so.1"
                                     << "libz.so.1 is not the library";
}

// Loaded on first use, libcurl can be missing when the program runs: the
// user is told which library, not just that the router did not answer.
void TestHttpTransport::libraryProblemsAreSaid()
{
    QFETCH(QString, library);
    QFETCH(QString, said);
    const QString problem = QString::fromStdString(CurlProblemLoading(qPrintable(library)));
    QVERIFY2(said.isEmpty() ? problem.isEmpty() : problem.contains(said), qPrintable(problem));
}

QTEST_GUILESS_MAIN(TestHttpTransport)
#include "tst_HttpTransport.moc"
