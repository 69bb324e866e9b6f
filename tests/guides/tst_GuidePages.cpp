// The join-wireless, troubleshooting and restore pages with the shipped guides,
// printing to PDF files, and the restore page reading the router emulator.
#include "CIpLink.h"
#include "CJoinWiressDlg.h"
#include "CRestoreConfiguration.h"
#include "CTroubleShootingDlg.h"
#include "FakeEffects.h"
#include "PrintToPdf.h"
#include "RouterSim.h"
#include "SecuritySettingsFile.h"
#include "SecuritySettingsSaving.h"
#include "TextContrast.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

#include <unistd.h>

namespace {

void ChooseWireless(const std::u16string& ssid, int securityIndex, const std::string& key)
{
    WizardSettings& settings = GetWizardSettings();
    settings.SsidW = ssid;
    settings.WirelessSecurityIndex = securityIndex;
    settings.WirelessKey = key;
    settings.WirelessKeyW = QString::fromStdString(key).trimmed().toStdU16String();
}

// Every picture the document refers to, with whether it could be loaded and has
// its 2 x sibling at twice its size (drawn on screens that scale by 2).
QMap<QString, bool> Pictures(const QTextDocument& document)
{
    QMap<QString, bool> pictures;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
    {
        for (auto it = block.begin(); !it.atEnd(); ++it)
        {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            const QVariant picture = const_cast<QTextDocument&>(document).resource(
                QTextDocument::ImageResource, QUrl(name));
            const QPixmap loaded = picture.value<QPixmap>();
            const QUrl url = document.baseUrl().resolved(QUrl(name));
            // The QR code is made by the program, not read from a file.
            if (url.scheme() == "data")
                continue;
            // Qt's rich text draws "name@2x.ext" beside "name.ext" on such screens.
            const QFileInfo file(url.isLocalFile() ? url.toLocalFile() : url.path());
            const QImage twice(file.path() + '/' + file.completeBaseName() + "@2x."
                               + file.suffix());
            // By file name: the folder's path depends on where the tree is.
            pictures[QFileInfo(name).fileName().left(40)] = !loaded.isNull()
                                                            && twice.size() == 2 * loaded.size();
        }
    }
    return pictures;
}

}  // namespace

class TestGuidePages : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    RouterSim m_router;

    QString Desktop() const { return m_temp.filePath("home/Desktop"); }
    QString SettingsFile() const
    {
        return Desktop() + "/ Important security settings Keep safe do not delete.txt";
    }

    // A restore page that has read the router at address.
    std::unique_ptr<CRestoreConfiguration> OpenRestorePage(const std::string& address)
    {
        GetRouterLink()->SetRouterAddress(address);
        auto page = std::make_unique<CRestoreConfiguration>(nullptr);
        QSignalSpy read(page.get(), &CRestoreConfiguration::SettingsRead);
        page->show();
        if (!read.wait(25000))
            return nullptr;
        return page;
    }

    std::unique_ptr<CRestoreConfiguration> OpenRestorePageOnSim(const std::string& ssid,
                                                                const std::string& key)
    {
        SimRouterState state = m_router.State();
        state.Ssid = ssid;
        state.Key = key;
        m_router.SetState(state);
        return OpenRestorePage(m_router.Address());
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(m_temp.filePath("home")));
        QVERIFY(m_router.Start() > 0);
    }

    void init()
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
        QFile::remove(Desktop());  // left as a file by a test of a broken desktop
        QDir(Desktop()).removeRecursively();
        QVERIFY(QDir().mkpath(Desktop()));
    }

    void cleanup()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->metaObject()->className()));
        m_scope.reset();
    }

    void joinGuideShowsTheChoices_data()
    {
        QTest::addColumn<int>("securityIndex");
        QTest::addColumn<QString>("security");
        QTest::addColumn<QString>("password");
        QTest::newRow("WPA2") << 1 << "WPA2-Personal"
                              << "Secret Key 9";
        QTest::newRow("WPA") << 0 << "WPA-Personal"
                             << "Secret Key 9";
        QTest::newRow("none") << 2 << "None"
                              << "None";
    }

    void joinGuideShowsTheChoices()
    {
        QFETCH(int, securityIndex);
        QFETCH(QString, security);
        QFETCH(QString, password);
        ChooseWireless(u"Smith Family", securityIndex, securityIndex == 2 ? "" : "  Secret Key 9 ");
        CJoinWiressDlg page(nullptr);
        const QString text = page.Browser().Document()->toPlainText();
        const QString details = "Wireless network name (SSID):\nSmith Family\nSecurity:\n"
                                + security + "\nWireless password (network key):\n" + password
                                + "\n";
        QVERIFY2(text.contains(details), qPrintable(text.left(300)));
        QVERIFY(!text.contains("[Your"));
        // A reader reads it as a document, the code by its alternative text.
        QAccessibleInterface* view = QAccessible::queryAccessibleInterface(
            page.Browser().findChild<QTextBrowser*>());
        QCOMPARE(view->role(), QAccessible::Document);
        const QString heard = view->textInterface()->text(0,
                                                          view->textInterface()->characterCount());
        QVERIFY(heard.contains(details));
        QVERIFY2(heard.contains("QR code that joins Smith Family, password " + password + "\n"),
                 qPrintable(heard.left(400)));
        // Its headings are headings, in reading order.
        QStringList headings;
        for (int index = 0; index < view->childCount(); ++index)
            if (QAccessibleInterface* child = view->child(index);
                child->role() == QAccessible::Heading)
                headings << child->text(QAccessible::Name);
        QCOMPARE(headings.first(), "Linux");
        QCOMPARE(headings.last(), "If it does not connect");
        const QMap<QString, bool> pictures = Pictures(*page.Browser().Document());
        QVERIFY(pictures.size() >= 3);
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
            QVERIFY2(it.value(), qPrintable(it.key()));
    }

    // The guide's own words and colours under a dark desktop theme: the
    // network name and key must stay readable (at least 4.5:1).
    void guideStaysReadableUnderADarkTheme_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("network name") << "Smith Family";
        QTest::newRow("network key") << "Secret Key 9";
    }

    void guideStaysReadableUnderADarkTheme()
    {
        QFETCH(QString, text);
        const QPalette system = QApplication::palette();
        QApplication::setPalette(DarkDesktopPalette());
        ChooseWireless(u"Smith Family", 1, "Secret Key 9");
        CJoinWiressDlg page(nullptr);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto* view = page.findChild<QTextBrowser*>();
        QVERIFY(view);
        const QTextCursor found = view->document()->find(text);
        QVERIFY2(!found.isNull(), qPrintable(text));
        QTextCursor start(found);
        start.setPosition(found.selectionStart());
        QTextCursor end(found);
        end.setPosition(found.selectionEnd());
        const QRect rect =
            view->cursorRect(start).united(view->cursorRect(end)).adjusted(2, 0, -2, 0);
        const QImage painted = view->viewport()->grab().toImage();
        QVERIFY2(painted.rect().contains(rect), "the text is not in view");
        const double contrast = PaintedContrast(painted, rect);
        QApplication::setPalette(system);
        page.close();
        QVERIFY2(contrast >= 4.5,
                 qPrintable(QString("%1 has contrast %2:1").arg(text).arg(contrast)));
    }

    // The guides give this desktop's ways to join and check a network.
    void guidesSpeakOfThisDesktop_data()
    {
        QTest::addColumn<QString>("templateName");
        QTest::addColumn<QStringList>("mentions");
        const QStringList joining{"GNOME", "top bar", "KDE Plasma", "system tray", "nmcli"};
        QTest::newRow("join") << "HowTo.html" << joining;
        QTest::newRow("join, printed") << "HowTo_print.html" << joining;
        QTest::newRow("trouble") << "Trouble.html"
                                 << QStringList{"GNOME", "KDE Plasma", "nmcli device status"};
        QTest::newRow("trouble, printed")
            << "Trouble_print.html" << QStringList{"GNOME", "KDE Plasma", "nmcli"};
    }

    void guidesSpeakOfThisDesktop()
    {
        QFETCH(QString, templateName);
        QFETCH(QStringList, mentions);
        QFile file("lang/1033/" + templateName);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        for (const QString& mention : mentions)
            QVERIFY2(text.contains(mention), qPrintable(mention));
        for (const char* foreign : {"Windows", "taskbar", "next to the clock", "Start menu"})
            QVERIFY2(!text.contains(foreign), foreign);
    }

    void troubleGuideShowsItsPictures()
    {
        CTroubleShootingDlg page(nullptr);
        const QTextDocument& document = *page.Browser().Document();
        QVERIFY(document.toPlainText().contains("Microfilters"));
        const QMap<QString, bool> pictures = Pictures(document);
        QCOMPARE(pictures.size(), 4);
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
            QVERIFY2(it.value(), qPrintable(it.key()));
        QVERIFY(page.TroubleshootingButton()->isHidden());
    }

    void troubleExitClosesOnlyItself()
    {
        CTroubleShootingDlg page(nullptr);
        page.show();
        page.ExitButton()->click();
        QVERIFY(!page.isVisible());
        QCOMPARE(page.result(), int(QDialog::Rejected));
        QVERIFY(m_effects.messages.empty());
        QVERIFY(m_effects.endStatuses.empty());
    }

    void joinExitAsksAndEndsTheProgram()
    {
        CJoinWiressDlg page(nullptr);
        page.show();
        m_effects.answers = {QMessageBox::Cancel, QMessageBox::Ok};
        page.ExitButton()->click();
        QVERIFY(page.isVisible());
        page.ExitButton()->click();
        QCOMPARE(m_effects.messages.size(), std::size_t(2));
        QCOMPARE(m_effects.messages[0].text,
                 QString("Are you sure that you want to leave the Wizard?"));
        QCOMPARE(m_effects.endStatuses, std::vector<int>{0});
        page.close();
    }

    void printsEachGuide_data()
    {
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("join") << "join"
                              << QStringList{"How do I join a wireless network?", "Smith Family",
                                             "WPA2-Personal", "Secret Key 9", "iPhone and iPad"};
        QTest::newRow("trouble") << "trouble"
                                 << QStringList{"Trouble Shooting", "Microfilters",
                                                "Restart or reset"};
        QTest::newRow("details sheet")
            << "details"
            << QStringList{"Your wireless network details", "Home-5100", "pass phrase 1"};
    }

    void printsEachGuide()
    {
        QFETCH(QString, guide);
        QFETCH(QStringList, expected);
        PrintToPdf printer(m_effects, m_temp.filePath(guide + ".pdf"));
        ChooseWireless(u"Smith Family", 1, "Secret Key 9");
        if (guide == "join")
        {
            CJoinWiressDlg page(nullptr);
            page.PrintButton()->click();
        }
        else if (guide == "trouble")
        {
            CTroubleShootingDlg page(nullptr);
            page.PrintButton()->click();
        }
        else
        {
            const auto page = OpenRestorePageOnSim("Home-5100", "pass phrase 1");
            QVERIFY(page);
            page->PrintDetailsButton()->click();
            page->close();
        }
        QCOMPARE(printer.Prints(), 1);
        const QString text = printer.Text().simplified();
        for (const QString& phrase : expected)
            QVERIFY2(text.contains(phrase), qPrintable(phrase + " not in: " + text.left(600)));
        QVERIFY(!text.contains("[Your"));
    }

    void missingTemplatesLeaveTheGuideBlank()
    {
        const QString dataFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_temp.path()));
        PrintToPdf printer(m_effects, m_temp.filePath("blank.pdf"));
        {
            CTroubleShootingDlg page(nullptr);
            QVERIFY(page.Browser().Document()->isEmpty());
            page.PrintButton()->click();
            const auto restore = OpenRestorePage("127.0.0.1:9");
            QVERIFY(restore);
            restore->PrintDetailsButton()->click();
            restore->close();
        }
        QDir::setCurrent(dataFolder);
        QCOMPARE(printer.Prints(), 1);  // the blank guide; the details sheet prints nothing
    }

    void restoreShowsWhatTheRouterHolds_data()
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

    void restoreShowsWhatTheRouterHolds()
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
    void routerTextCannotForgeFileLines()
    {
        const auto page = OpenRestorePageOnSim("Net\r\nPassword:forged", "realkey1");
        QVERIFY(page);
        page->SaveChoice()->setChecked(true);
        page->NextButton()->click();
        QFile file(SettingsFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QString text = QString::fromUtf16(
            reinterpret_cast<const char16_t*>(bytes.constData()), bytes.size() / 2);
        const QStringList lines = text.split("\r\n");
        QCOMPARE(lines.filter(QRegularExpression("^Password:")), QStringList{"Password:realkey1"});
        QVERIFY(lines.contains("Wireless Network Name (SSID):Net??Password:forged"));
        page->close();
    }

    void restoreWithoutAnAnsweringRouter()
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

    void nextWritesTheFileOnlyWhenTicked()
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
    void savingSaysWhereOrWhy_data()
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
        QTest::newRow("desktop empty in user-dirs")
            << "user-dirs " << name << name << saved << info;
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

    void savingSaysWhereOrWhy()
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

        const QString expectedPath = savedAt.isEmpty()
                                         ? (asked ? m_effects.saveAnswer : SettingsFile())
                                         : home + '/' + savedAt;
        QCOMPARE(
            QStringList(m_effects.savePathsSuggested.begin(), m_effects.savePathsSuggested.end()),
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
        const QStringList expectedFiles = savedAt.isEmpty() ? QStringList{}
                                                            : QStringList{expectedPath};
        QCOMPARE(found, desktop == "file" ? QStringList{Desktop()} : expectedFiles);
        // What the user sees stays as it was.
        QVERIFY(page->isVisible());
        QVERIFY(page->SaveChoice()->isChecked());
        QCOMPARE(page->NetworkNameLabel()->text(), QString("Home-5100"));
        QCOMPARE(page->NetworkKeyLabel()->text(), QString("k3y-k3y-k3y"));
        page->close();
        QFile::setPermissions(Desktop(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void readingTheRouterKeepsThePagePainting()
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
};

QTEST_MAIN(TestGuidePages)
#include "tst_GuidePages.moc"
