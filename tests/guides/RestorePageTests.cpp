// tst_GuidePages, continued: the restore page showing what the router emulator
// holds, and saving the security settings file, with where it went or why not.

#include "SecuritySettingsFile.h"
#include "SecuritySettingsSaving.h"
#include "TestGuidePages.h"

#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

#include <unistd.h>

void TestGuidePages::restoreShowsWhatTheRouterHolds_data()
{
    QTest::addColumn<QString>("ssid");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("keyShown");
    QTest::newRow("name and key") << "Home-5100"
                                  << "pass phrase 1"
                                  << "pass phrase 1";
    QTest::newRow("no key") << "Open Cafe"
                            << ""
                            << "None";
    QTest::newRow("32 characters") << QString(32, 'N') << "k"
                                   << "k";
    // Cut to what a name and a key can hold, at a character; control
    // characters shown as "?".
    QTest::newRow("40 characters cut to 32") << QString(40, 'N') << "k"
                                             << "k";
    QTest::newRow("64-byte key cut to 63") << "Net" << QString(64, 'k') << QString(63, 'k');
    QTest::newRow("cut before a character that would not fit")
        << QString(31, 'N') + QString::fromUtf16(u"\u00e9") << "k"
        << "k";
    QTest::newRow("escape sequence and tab") << "\x1b[2JNet\tA"
                                             << "k\x07y"
                                             << "k?y";
}

void TestGuidePages::restoreShowsWhatTheRouterHolds()
{
    QFETCH(QString, ssid);
    QFETCH(QString, key);
    QFETCH(QString, keyShown);
    const auto page = OpenRestorePageOnSim(ssid.toStdString(), key.toStdString());
    QVERIFY(page);
    QString ssidShown = ssid.left(32).replace(QChar(0x1b), '?').replace('\t', '?');
    if (ssidShown.toUtf8().size() > 32)
        ssidShown.chop(1);
    QCOMPARE(page->NetworkNameLabel()->text(), ssidShown);
    QCOMPARE(page->NetworkKeyLabel()->text(), keyShown);
    QVERIFY(!page->SaveChoice()->isChecked());
    page->close();
}

// A line break in the router's name must not forge a line of the file.
void TestGuidePages::routerTextCannotForgeFileLines()
{
    const auto page = OpenRestorePageOnSim("Net\r\nPassword:forged", "realkey1");
    QVERIFY(page);
    page->SaveChoice()->setChecked(true);
    page->NextButton()->click();
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData()),
                                            bytes.size() / 2);
    const QStringList lines = text.split("\r\n");
    QCOMPARE(lines.filter(QRegularExpression("^Password:")), QStringList{"Password:realkey1"});
    QVERIFY(lines.contains("Wireless Network Name (SSID):Net??Password:forged"));
    page->close();
}

void TestGuidePages::restoreWithoutAnAnsweringRouter()
{
    // Port 9 on the loopback has no listener: the read fails at once.
    const auto page = OpenRestorePage("127.0.0.1:9");
    QVERIFY(page);
    QCOMPARE(page->NetworkNameLabel()->text(), QString());
    QCOMPARE(page->NetworkKeyLabel()->text(), QString("None"));
    page->SaveChoice()->setChecked(true);
    page->NextButton()->click();
    QVERIFY(QFile(SettingsFile()).open(QIODevice::ReadOnly));
    page->close();
}

void TestGuidePages::nextWritesTheFileOnlyWhenTicked()
{
    const auto page = OpenRestorePageOnSim("Home-5100", "");
    QVERIFY(page);
    page->NextButton()->click();
    QVERIFY(!QFile::exists(SettingsFile()));
    QVERIFY(m_effects.messages.empty());
    QVERIFY(page->isVisible());

    page->SaveChoice()->setChecked(true);
    page->NextButton()->click();
    QFile file(SettingsFile());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), SecuritySettingsBytes("Home-5100", "None"));
    QVERIFY(page->isVisible());
    page->close();
}

// Where the file goes and what the user is told: the desktop folder when
// it is there, else the save dialog's answer; every outcome has its
// message, and the page is left as it was.
void TestGuidePages::savingSaysWhereOrWhy_data()
{
    QTest::addColumn<QString>("desktop");       // there, missing, file, read-only
    QTest::addColumn<QString>("dialogAnswer");  // relative to home; "-" cancels
    QTest::addColumn<QString>("savedAt");       // relative to home; empty: nothing saved
    QTest::addColumn<QString>("message");       // %1 the full path
    QTest::addColumn<int>("icon");
    const QString name = QString::fromUtf16(kSecuritySettingsFileName);
    const QString saved = QString(kSavedMessage) + "\n\n%1";
    const int info = QMessageBox::Information;
    const int critical = QMessageBox::Critical;
    QTest::newRow("desktop there") << "there"
                                   << ""
                                   << "Desktop/" + name << saved << info;
    QTest::newRow("no desktop, saved in home") << "missing" << name << name << saved << info;
    QTest::newRow("no desktop, other name") << "missing"
                                            << "keep.txt"
                                            << "keep.txt" << saved << info;
    QTest::newRow("no desktop, dialog cancelled")
        << "missing"
        << "-"
        << "" << QString(kNotSavedMessage) << int(QMessageBox::Warning);
    // A desktop folder the user-dirs file names relative to nothing.
    QTest::newRow("desktop relative in user-dirs")
        << "user-dirs ." << name << name << saved << info;
    QTest::newRow("desktop empty in user-dirs") << "user-dirs " << name << name << saved << info;
    QTest::newRow("no desktop, folder gone meanwhile") << "missing"
                                                       << "gone/" + name << ""
                                                       << "%1 was not found." << critical;
    QTest::newRow("desktop is a file") << "file"
                                       << ""
                                       << ""
                                       << "%1 contains an incorrect path." << critical;
    QTest::newRow("desktop read-only") << "read-only"
                                       << ""
                                       << ""
                                       << "Access to %1 was denied." << critical;
}

void TestGuidePages::savingSaysWhereOrWhy()
{
    QFETCH(QString, desktop);
    QFETCH(QString, dialogAnswer);
    QFETCH(QString, savedAt);
    QFETCH(QString, message);
    QFETCH(int, icon);
    if (desktop == "read-only" && ::geteuid() == 0)
        QSKIP("the superuser may write into read-only folders");
    const QString home = m_temp.filePath("home");
    QDir(home).removeRecursively();
    QVERIFY(QDir().mkpath(home));
    const bool asked = desktop == "missing" || desktop.startsWith("user-dirs");
    if (!asked)
        QVERIFY(QDir().mkpath(Desktop()));
    const QString userDirs = m_temp.filePath("config/user-dirs.dirs");
    if (desktop.startsWith("user-dirs"))
    {
        QVERIFY(QDir().mkpath(m_temp.filePath("config")));
        QFile file(userDirs);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("XDG_DESKTOP_DIR=\"" + desktop.mid(10).toUtf8() + "\"\n");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_temp.filePath("config")));
        QStandardPaths::setTestModeEnabled(false);  // which reads no user-dirs file
    }
    const auto testMode = qScopeGuard([] {
        QStandardPaths::setTestModeEnabled(true);
        qunsetenv("XDG_CONFIG_HOME");
    });
    if (desktop == "file")
    {
        QVERIFY(QDir(Desktop()).removeRecursively());
        QFile file(Desktop());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    if (desktop == "read-only")
        QVERIFY(QFile::setPermissions(Desktop(), QFile::ReadOwner | QFile::ExeOwner));
    m_effects.saveAnswer = dialogAnswer == "-" ? QString() : home + '/' + dialogAnswer;

    const auto page = OpenRestorePageOnSim("Home-5100", "k3y-k3y-k3y");
    QVERIFY(page);
    page->SaveChoice()->setChecked(true);
    page->NextButton()->click();

    const QString expectedPath = savedAt.isEmpty() ? (asked ? m_effects.saveAnswer : SettingsFile())
                                                   : home + '/' + savedAt;
    QCOMPARE(QStringList(m_effects.savePathsSuggested.begin(), m_effects.savePathsSuggested.end()),
             asked ? QStringList{home + '/' + QString::fromUtf16(kSecuritySettingsFileName)}
                   : QStringList{});
    QCOMPARE(m_effects.messages.size(), std::size_t(1));
    QCOMPARE(m_effects.messages[0].text,
             message.contains("%1") ? message.arg(expectedPath) : message);
    QCOMPARE(int(m_effects.messages[0].icon), icon);
    if (!savedAt.isEmpty())
    {
        QFile file(expectedPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), SecuritySettingsBytes("Home-5100", "k3y-k3y-k3y"));
    }
    // Nothing but the chosen file: no stray or partial files anywhere in home.
    QDirIterator files(home, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    QStringList found;
    while (files.hasNext())
        found << files.next();
    const QStringList expectedFiles = savedAt.isEmpty() ? QStringList{} : QStringList{expectedPath};
    QCOMPARE(found, desktop == "file" ? QStringList{Desktop()} : expectedFiles);
    // What the user sees stays as it was.
    QVERIFY(page->isVisible());
    QVERIFY(page->SaveChoice()->isChecked());
    QCOMPARE(page->NetworkNameLabel()->text(), QString("Home-5100"));
    QCOMPARE(page->NetworkKeyLabel()->text(), QString("k3y-k3y-k3y"));
    page->close();
    QFile::setPermissions(Desktop(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestGuidePages::readingTheRouterKeepsThePagePainting()
{
    SimFault slow;
    slow.Delay = std::chrono::milliseconds(600);
    m_router.SetFault("/wlsecurity.html", slow);
    GetRouterLink()->SetRouterAddress(m_router.Address());
    CRestoreConfiguration page(nullptr);
    QSignalSpy read(&page, &CRestoreConfiguration::SettingsRead);
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
    ticker.start(50);
    page.show();
    QVERIFY(read.wait(10000));
    m_router.ClearFaults();
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    page.close();
}
