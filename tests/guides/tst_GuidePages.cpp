// The join-wireless, troubleshooting and restore pages with the shipped guides,
// printing to PDF files, and the restore page reading the router emulator.
#include "CJoinWiressDlg.h"
#include "CTroubleShootingDlg.h"
#include "PrintToPdf.h"
#include "TestGuidePages.h"
#include "TextContrast.h"
#include "WizardSettings.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QtTest>

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

void TestGuidePages::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    qputenv("HOME", QFile::encodeName(m_temp.filePath("home")));
    QVERIFY(m_router.Start() > 0);
}

void TestGuidePages::init()
{
    m_effects = FakeEffects();
    m_scope.emplace(&m_effects);
    QFile::remove(Desktop());  // left as a file by a test of a broken desktop
    QDir(Desktop()).removeRecursively();
    QVERIFY(QDir().mkpath(Desktop()));
}

void TestGuidePages::cleanup()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!window->isVisible(), qPrintable(window->metaObject()->className()));
    m_scope.reset();
}

void TestGuidePages::joinGuideShowsTheChoices_data()
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

void TestGuidePages::joinGuideShowsTheChoices()
{
    QFETCH(int, securityIndex);
    QFETCH(QString, security);
    QFETCH(QString, password);
    ChooseWireless(u"Smith Family", securityIndex, securityIndex == 2 ? "" : "  Secret Key 9 ");
    CJoinWiressDlg page(nullptr);
    const QString text = page.Browser().Document()->toPlainText();
    const QString details = "Wireless network name (SSID):\nSmith Family\nSecurity:\n" + security
                            + "\nWireless password (network key):\n" + password + "\n";
    QVERIFY2(text.contains(details), qPrintable(text.left(300)));
    QVERIFY(!text.contains("[Your"));
    // A reader reads it as a document, the code by its alternative text.
    QAccessibleInterface* view = QAccessible::queryAccessibleInterface(
        page.Browser().findChild<QTextBrowser*>());
    QCOMPARE(view->role(), QAccessible::Document);
    const QString heard = view->textInterface()->text(0, view->textInterface()->characterCount());
    QVERIFY(heard.contains(details));
    QVERIFY2(heard.contains("QR code that joins Smith Family, password " + password + "\n"),
             qPrintable(heard.left(400)));
    // Its headings are headings, in reading order.
    QStringList headings;
    for (int index = 0; index < view->childCount(); ++index)
        if (QAccessibleInterface* child = view->child(index); child->role() == QAccessible::Heading)
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
void TestGuidePages::guideStaysReadableUnderADarkTheme_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("network name") << "Smith Family";
    QTest::newRow("network key") << "Secret Key 9";
}

void TestGuidePages::guideStaysReadableUnderADarkTheme()
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
    const QRect rect = view->cursorRect(start).united(view->cursorRect(end)).adjusted(2, 0, -2, 0);
    const QImage painted = view->viewport()->grab().toImage();
    QVERIFY2(painted.rect().contains(rect), "the text is not in view");
    const double contrast = PaintedContrast(painted, rect);
    QApplication::setPalette(system);
    page.close();
    QVERIFY2(contrast >= 4.5, qPrintable(QString("%1 has contrast %2:1").arg(text).arg(contrast)));
}

// The guides give this desktop's ways to join and check a network.
void TestGuidePages::guidesSpeakOfThisDesktop_data()
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

void TestGuidePages::guidesSpeakOfThisDesktop()
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

void TestGuidePages::troubleGuideShowsItsPictures()
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

void TestGuidePages::troubleExitClosesOnlyItself()
{
    CTroubleShootingDlg page(nullptr);
    page.show();
    page.ExitButton()->click();
    QVERIFY(!page.isVisible());
    QCOMPARE(page.result(), int(QDialog::Rejected));
    QVERIFY(m_effects.messages.empty());
    QVERIFY(m_effects.endStatuses.empty());
}

void TestGuidePages::joinExitAsksAndEndsTheProgram()
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

void TestGuidePages::printsEachGuide_data()
{
    QTest::addColumn<QString>("guide");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("join") << "join"
                          << QStringList{"How do I join a wireless network?", "Smith Family",
                                         "WPA2-Personal", "Secret Key 9", "iPhone and iPad"};
    QTest::newRow("trouble") << "trouble"
                             << QStringList{"Trouble Shooting", "Microfilters", "Restart or reset"};
    QTest::newRow("details sheet")
        << "details" << QStringList{"Your wireless network details", "Home-5100", "pass phrase 1"};
}

void TestGuidePages::printsEachGuide()
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

void TestGuidePages::missingTemplatesLeaveTheGuideBlank()
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

QTEST_MAIN(TestGuidePages)
