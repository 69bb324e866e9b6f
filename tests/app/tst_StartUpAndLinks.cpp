// Program options, the data folder, default.ini and the welcome page's
// document links with their result codes.

#include "CTarnixConnectDlg.h"
#include "ClickHelpers.h"
#include "DocumentLinks.h"
#include "FakeEffects.h"
#include "StartUp.h"
#include "WizardOptions.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

}  // namespace

class TestStartUpAndLinks : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    QString m_startFolder;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_startFolder = QDir::currentPath();
    }

    void init()
    {
        m_effects = FakeEffects();
        SetWizardEffects(&m_effects);
    }

    void cleanup()
    {
        QDir::setCurrent(m_startFolder);
        SetWizardEffects(nullptr);
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void options_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("router");
        QTest::addColumn<int>("probes");
        QTest::addColumn<int>("pauseMs");
        QTest::addColumn<int>("settleMs");
        const int run = int(OptionsOutcome::Run);
        const int invalid = int(OptionsOutcome::Invalid);
        const int text = int(OptionsOutcome::ShowText);
        QTest::newRow("defaults") << QStringList{} << run << "192.168.1.1" << 3 << 1500 << 50000;
        QTest::newRow("emulator") << QStringList{"--router", "127.0.0.1:8080", "--pause-ms", "0",
                                                 "--settle-ms", "200"}
                                  << run << "127.0.0.1:8080" << 3 << 0 << 200;
        QTest::newRow("one probe") << QStringList{"--probe-url", "http://127.0.0.1:9/support"} << run
                                   << "192.168.1.1" << 1 << 1500 << 50000;
        QTest::newRow("four probes") << QStringList{"--probe-url", "http://a.b", "--probe-url", "http://a.b",
                                                    "--probe-url", "http://a.b", "--probe-url", "http://a.b"}
                                     << invalid << "" << 0 << 0 << 0;
        QTest::newRow("probe not http") << QStringList{"--probe-url", "file:///etc/passwd"} << invalid << ""
                                        << 0 << 0 << 0;
        QTest::newRow("port too big") << QStringList{"--router", "127.0.0.1:70000"} << invalid << "" << 0
                                      << 0 << 0;
        QTest::newRow("path in address") << QStringList{"--router", "127.0.0.1/x"} << invalid << "" << 0
                                         << 0 << 0;
        QTest::newRow("negative pause") << QStringList{"--pause-ms", "-5"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("unknown option") << QStringList{"--fast"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("stray argument") << QStringList{"router"} << invalid << "" << 0 << 0 << 0;
        // The toolkit's own options are left to it, in every spelling.
        QTest::newRow("toolkit style") << QStringList{"-style", "Fusion", "--router", "127.0.0.1:8080"}
                                       << run << "127.0.0.1:8080" << 3 << 1500 << 50000;
        QTest::newRow("toolkit options") << QStringList{"-reverse", "--platform", "offscreen", "-style=Fusion",
                                                        "-stylesheet", "x.qss", "--pause-ms", "7"}
                                         << run << "192.168.1.1" << 3 << 7 << 50000;
        QTest::newRow("toolkit value last") << QStringList{"--settle-ms", "9", "-platform"} << run
                                            << "192.168.1.1" << 3 << 1500 << 9;
        QTest::newRow("after --") << QStringList{"--", "-style"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("help") << QStringList{"--help"} << text << "" << 0 << 0 << 0;
        QTest::newRow("version") << QStringList{"--version"} << text << "" << 0 << 0 << 0;
    }

    void options()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, outcome);
        WizardOptions options;
        options.RouterAddress = "unchanged";
        QString message;
        QCOMPARE(int(ParseWizardOptions(QStringList{"TarnixConnect"} + arguments, options, message)), outcome);
        if (outcome != int(OptionsOutcome::Run))
        {
            QVERIFY(!message.isEmpty());
            QCOMPARE(options.RouterAddress, std::string("unchanged"));
            return;
        }
        QFETCH(QString, router);
        QFETCH(int, probes);
        QFETCH(int, pauseMs);
        QFETCH(int, settleMs);
        QCOMPARE(QString::fromStdString(options.RouterAddress), router);
        QCOMPARE(int(options.ProbeUrls.size()), probes);
        QCOMPARE(options.PauseMs, pauseMs);
        QCOMPARE(options.SettleMs, settleMs);
    }

    void dataFolderBesideExecutableWins()
    {
        QTemporaryDir build;
        QVERIFY(QDir(build.path()).mkdir("data"));
        QCOMPARE(FindDataFolder(build.path()), build.path() + "/data");
        QTemporaryDir installed;
        QCOMPARE(FindDataFolder(installed.path()), QString(TARNIX_INSTALLED_DATA_DIR));
        QVERIFY(EnterDataFolder(build.path()));
        QCOMPARE(QDir::currentPath(), QDir(build.path() + "/data").canonicalPath());
    }

    void iniValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[MANUAL_LINK]\n1033=docs/m.pdf\n") << "docs/m.pdf";
        QTest::newRow("case and blanks") << QByteArray("[ manual_link ]\n 1033 =  docs/m.pdf  \n") << "docs/m.pdf";
        QTest::newRow("quoted, comma") << QByteArray("[MANUAL_LINK]\n1033=\"docs/a, b.pdf\"\n") << "docs/a, b.pdf";
        QTest::newRow("other section") << QByteArray("[ADOBE_LINK]\n1033=x\n[MANUAL_LINK]\n1031=y\n") << "";
        QTest::newRow("section missing") << QByteArray("1033=docs/m.pdf\n") << "";
        QTest::newRow("CRLF lines") << QByteArray("[MANUAL_LINK]\r\n1033=docs/m.pdf\r\n") << "docs/m.pdf";
    }

    void iniValues()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        WriteFile(folder.filePath("default.ini"), content);
        QCOMPARE(ReadIniValue(folder.filePath("default.ini"), "MANUAL_LINK", "1033"), expected);
    }

    void shippedIniPointsAtShippedDocuments()
    {
        const DocumentLinks links = ReadDocumentLinks();
        QVERIFY2(QFileInfo(links.ManualLink).isFile(), qPrintable(links.ManualLink));
        QVERIFY(links.ManualLink.endsWith(".pdf"));
        QVERIFY2(QFileInfo(links.AdobeLink).isFile(), qPrintable(links.AdobeLink));
    }

    // Which message each button shows for each result of the desktop.
    void documentLinks_data()
    {
        QTest::addColumn<bool>("withIni");
        QTest::addColumn<int>("button");  // 0 manual, 1 reader
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("manual opened") << true << 0 << 0 << "";
        QTest::newRow("manual not found") << true << 0 << 2 << "file not found.";
        QTest::newRow("manual no reader") << true << 0 << 31 << "There is no adobe reader installed.";
        QTest::newRow("reader page not found") << true << 1 << 2 << "file not found.";
        QTest::newRow("reader page no application") << true << 1 << 31 << "";
        QTest::newRow("no ini, manual") << false << 0 << 31 << "There is no adobe reader installed.";
        QTest::newRow("no ini, reader") << false << 1 << 0 << "";
    }

    void documentLinks()
    {
        QFETCH(bool, withIni);
        QFETCH(int, button);
        QFETCH(int, result);
        QFETCH(QString, message);
        QTemporaryDir folder;
        if (withIni)
            WriteFile(folder.filePath("default.ini"),
                      "[MANUAL_LINK]\n1033=docs/manual.pdf\n[ADOBE_LINK]\n1033=docs/reader.html\n");
        QVERIFY(QDir::setCurrent(folder.path()));
        const QString programFolder = QDir::currentPath() + '/';

        CTarnixConnectDlg welcome;
        welcome.show();
        m_effects.documentResult = result;
        Click(button == 0 ? welcome.Documents().Manual : welcome.Documents().Adobe);

        const QString file = !withIni ? "" : button == 0 ? "docs/manual.pdf" : "docs/reader.html";
        QCOMPARE(m_effects.documents, std::vector<QString>{programFolder + file});
        QCOMPARE(m_effects.messages.size(), std::size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty())
        {
            QCOMPARE(m_effects.messages[0].text, message);
            QCOMPARE(m_effects.messages[0].caption, ProgramName());
        }
        welcome.close();
    }

    void advancedUiOpensConfiguredRouter()
    {
        GetWizardOptions().RouterAddress = "127.0.0.1:8080";
        CTarnixConnectDlg welcome;
        welcome.show();
        Click(welcome.Documents().AdvancedUi);
        QCOMPARE(m_effects.documents, std::vector<QString>{"http://127.0.0.1:8080"});
        GetWizardOptions() = WizardOptions();
        welcome.close();
    }

    // The real desktop hand-over, only where nothing can be launched.
    void missingDocumentIsCodeTwo()
    {
        CWizardEffects real;
        QCOMPARE(real.OpenDocument(QDir::currentPath() + "/docs/no-such-manual.pdf"), kDocumentNotFound);
    }
};

QTEST_MAIN(TestStartUpAndLinks)
#include "tst_StartUpAndLinks.moc"
