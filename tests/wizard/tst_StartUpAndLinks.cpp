// Program options (and how the program echoes them), the data folder,
// default.ini and the welcome page's document links with their result codes.

#include "CTarnixConnectDlg.h"
#include "ClickHelpers.h"
#include "DocumentLinks.h"
#include "FakeEffects.h"
#include "StartUp.h"
#include "WizardOptions.h"
#include "WizardTestScope.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

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
    std::optional<WizardTestScope> m_scope;
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
        m_scope.emplace(&m_effects);
    }

    void cleanup()
    {
        QDir::setCurrent(m_startFolder);
        m_scope.reset();
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
        QTest::newRow("emulator") << QStringList{"--router", "127.0.0.1:8080", "--pause-ms",
                                                 "0",        "--settle-ms",    "200"}
                                  << run << "127.0.0.1:8080" << 3 << 0 << 200;
        QTest::newRow("one probe") << QStringList{"--probe-url", "http://127.0.0.1:9/support"}
                                   << run << "192.168.1.1" << 1 << 1500 << 50000;
        QTest::newRow("four probes")
            << QStringList{"--probe-url", "http://a.b", "--probe-url", "http://a.b",
                           "--probe-url", "http://a.b", "--probe-url", "http://a.b"}
            << invalid << "" << 0 << 0 << 0;
        QTest::newRow("probe not http")
            << QStringList{"--probe-url", "file:///etc/passwd"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("probe port past 65535")
            << QStringList{"--probe-url", "http://127.0.0.1:99999/"} << invalid << "" << 0 << 0
            << 0;
        QTest::newRow("probe port 0")
            << QStringList{"--probe-url", "http://127.0.0.1:0/"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("port too big")
            << QStringList{"--router", "127.0.0.1:70000"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("path in address")
            << QStringList{"--router", "127.0.0.1/x"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("negative pause")
            << QStringList{"--pause-ms", "-5"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("time-outs") << QStringList{"--timeout-ms", "300", "--result-check-ms", "2"}
                                   << run << "192.168.1.1" << 3 << 1500 << 50000;
        QTest::newRow("time-out 0, for ever")
            << QStringList{"--timeout-ms", "0"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("unknown option") << QStringList{"--fast"} << invalid << "" << 0 << 0 << 0;
        QTest::newRow("stray argument") << QStringList{"router"} << invalid << "" << 0 << 0 << 0;
        // The toolkit's own options are left to it, in every spelling.
        QTest::newRow("toolkit style")
            << QStringList{"-style", "Fusion", "--router", "127.0.0.1:8080"} << run
            << "127.0.0.1:8080" << 3 << 1500 << 50000;
        QTest::newRow("toolkit options")
            << QStringList{"-reverse",    "--platform", "offscreen",  "-style=Fusion",
                           "-stylesheet", "x.qss",      "--pause-ms", "7"}
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
        QCOMPARE(
            int(ParseWizardOptions(QStringList{"TarnixConnect"} + arguments, options, message)),
            outcome);
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

    // The program echoes what was typed with its control characters as "?".
    void optionErrorsReachTheTerminalSafe()
    {
        QProcess wizard;
        wizard.start(TARNIX_CONNECT_PATH, {"--router", "\x1b]0;PWNED\x07\x1b[2J"});
        QVERIFY(wizard.waitForFinished(10000));
        QCOMPARE(wizard.exitCode(), 2);
        const QByteArray said = wizard.readAllStandardError();
        QVERIFY2(said.contains("?]0;PWNED??[2J"), said.constData());
        QVERIFY(!said.contains('\x1b') && !said.contains('\x07'));
    }

    void dataFolderBesideExecutableWins()
    {
        QTemporaryDir build;
        QVERIFY(QDir(build.path()).mkdir("data"));
        QCOMPARE(FindDataFolder(build.path()), build.path() + "/data");
        QTemporaryDir installed;
        QCOMPARE(FindDataFolder(installed.path() + "/usr/bin"),
                 installed.path() + "/usr/share/tarnix");
        QVERIFY(EnterDataFolder(build.path()));
        QCOMPARE(QDir::currentPath(), QDir(build.path() + "/data").canonicalPath());
    }

    void iniValues_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("[MANUAL_LINK]\n1033=docs/m.pdf\n") << "docs/m.pdf";
        QTest::newRow("case and blanks")
            << QByteArray("[ manual_link ]\n 1033 =  docs/m.pdf  \n") << "docs/m.pdf";
        QTest::newRow("quoted, comma")
            << QByteArray("[MANUAL_LINK]\n1033=\"docs/a, b.pdf\"\n") << "docs/a, b.pdf";
        QTest::newRow("other section")
            << QByteArray("[ADOBE_LINK]\n1033=x\n[MANUAL_LINK]\n1031=y\n") << "";
        QTest::newRow("section missing") << QByteArray("1033=docs/m.pdf\n") << "";
        QTest::newRow("CRLF lines")
            << QByteArray("[MANUAL_LINK]\r\n1033=docs/m.pdf\r\n") << "docs/m.pdf";
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

    // Which message each button shows for each result of the desktop: the
    // path or address always on a line of its own, so that it can be copied.
    void documentLinks_data()
    {
        QTest::addColumn<bool>("withIni");
        QTest::addColumn<int>("button");  // 0 manual, 1 reader, 2 router's pages, 3 support site
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");  // its first line; empty: no message
        const QString noBrowser = "No web browser could be started to open this address.";
        QTest::newRow("manual opened") << true << 0 << 0 << "";
        QTest::newRow("manual not found") << true << 0 << 2 << "file not found.";
        QTest::newRow("manual no reader") << true << 0 << 31 << "There is no PDF reader installed.";
        QTest::newRow("reader page opened") << true << 1 << 0 << "";
        QTest::newRow("reader page not found") << true << 1 << 2 << "file not found.";
        QTest::newRow("reader page, no browser")
            << true << 1 << 31 << "No web browser could show the page on PDF readers.";
        QTest::newRow("no ini, manual") << false << 0 << 31 << "There is no PDF reader installed.";
        QTest::newRow("no ini, reader") << false << 1 << 0 << "";
        QTest::newRow("router's pages opened") << true << 2 << 0 << "";
        QTest::newRow("router's pages, no browser") << true << 2 << 31 << noBrowser;
        QTest::newRow("support site opened") << true << 3 << 0 << "";
        QTest::newRow("support site, no browser") << true << 3 << 31 << noBrowser;
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
        GetWizardOptions().RouterAddress = "127.0.0.1:8080";

        CTarnixConnectDlg welcome;
        welcome.show();
        m_effects.documentResult = result;
        const DocumentButtons& documents = welcome.Documents();
        CxSkinButton* const buttons[] = {documents.Manual, documents.Adobe, documents.AdvancedUi,
                                         welcome.TechnicalSupportButton()};
        QCOMPARE(documents.Adobe->text(), QString("Install PDF Reader"));
        Click(buttons[button]);
        GetWizardOptions() = WizardOptions();

        const QString file = !withIni ? "" : button == 0 ? "docs/manual.pdf" : "docs/reader.html";
        const QString opened[] = {programFolder + file, programFolder + file,
                                  "http://127.0.0.1:8080", kSupportSiteUrl};
        QCOMPARE(m_effects.documents, std::vector<QString>{opened[button]});
        QCOMPARE(m_effects.messages.size(), std::size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty())
        {
            QVERIFY2(m_effects.messages[0].text.startsWith(message),
                     qPrintable(m_effects.messages[0].text));
            QVERIFY2(m_effects.messages[0].text.endsWith("\n\n" + opened[button]),
                     qPrintable(m_effects.messages[0].text));
            QCOMPARE(m_effects.messages[0].caption, ProgramName());
        }
        welcome.close();
    }

    // Message boxes let the user select and copy their text (a path, an address).
    void messageTextCanBeCopied()
    {
        SetWizardEffects(nullptr);
        Qt::TextInteractionFlags flags;
        QTimer::singleShot(0, [&flags] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (auto* label = box->findChild<QLabel*>("qt_msgbox_label"))
                flags = label->textInteractionFlags();
            box->accept();
        });
        WizardEffects().ShowMessage(nullptr, "file not found.\n\n/tmp/manual.pdf", "TarnixConnect");
        QVERIFY(flags.testFlag(Qt::TextSelectableByMouse));
        QVERIFY(flags.testFlag(Qt::TextSelectableByKeyboard));
    }

    // Where no browser or reader is registered, the desktop's real hand-over
    // says so instead of starting an opener that fails out of sight.
    void nothingRegisteredIsReported_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("web address") << "http://127.0.0.1:9/";
        QTest::newRow("manual") << QDir::currentPath() + "/docs/KRX-5100A-Technical-Manual.pdf";
    }

    void nothingRegisteredIsReported()
    {
        QFETCH(QString, target);
        if (QStandardPaths::findExecutable("xdg-mime").isEmpty())
            QSKIP("xdg-mime (xdg-utils) is not installed");
        QTemporaryDir empty;
        const QByteArray folder = QFile::encodeName(empty.path());
        const char* names[] = {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME",
                               "XDG_CONFIG_DIRS"};
        std::vector<QByteArray> saved;
        for (const char* name : names)
        {
            saved.push_back(qgetenv(name));
            qputenv(name, folder);
        }
        const QByteArray desktop = qgetenv("XDG_CURRENT_DESKTOP");
        const QByteArray browser = qgetenv("BROWSER");
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("BROWSER");
        CWizardEffects real;
        const int result = real.OpenDocument(target);
        for (std::size_t index = 0; index < saved.size(); ++index)
            saved[index].isNull() ? qunsetenv(names[index]) : qputenv(names[index], saved[index]);
        if (!desktop.isNull())
            qputenv("XDG_CURRENT_DESKTOP", desktop);
        if (!browser.isNull())
            qputenv("BROWSER", browser);
        QCOMPARE(result, kDocumentNoApplication);
    }

    // The real desktop hand-over, only where nothing can be launched.
    void missingDocumentIsCodeTwo()
    {
        CWizardEffects real;
        QCOMPARE(real.OpenDocument(QDir::currentPath() + "/docs/no-such-manual.pdf"),
                 kDocumentNotFound);
    }
};

QTEST_MAIN(TestStartUpAndLinks)
#include "tst_StartUpAndLinks.moc"
