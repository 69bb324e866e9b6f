// Templates written into a temporary working folder, built into documents.
#include "DocumentLinks.h"
#include "GuideDocument.h"
#include "SimpleBrowser.h"
#include "WifiQrCode.h"
#include "WizardSettings.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

class TestGuideDocument : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    QString m_startFolder;

    QString Media() const { return ProgramFolder() + "lang/1033/"; }

    void WriteFile(const QString& name, const QByteArray& bytes)
    {
        QFile file("lang/1033/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QString Build(const QByteArray& templateBytes, const GuideFill& fill, int slotCount = 30)
    {
        WriteFile("T.html", templateBytes);
        return BuildGuideDocument(kGuideLanguageId, "T.html", slotCount, fill)
            .value_or("<nothing>");
    }

    static GuideFill Join(int securityIndex, const std::string& key, const std::u16string& keyW)
    {
        WizardSettings settings;
        settings.SsidW = u"Home Net";
        settings.WirelessSecurityIndex = securityIndex;
        settings.WirelessKey = key;
        settings.WirelessKeyW = keyW;
        return JoinWirelessFill(settings);
    }

private slots:
    void initTestCase()
    {
        m_startFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_root.path()));
    }

    void init()
    {
        QDir("lang").removeRecursively();
        QVERIFY(QDir().mkpath("lang/1033"));
    }

    void cleanupTestCase() { QDir::setCurrent(m_startFolder); }

    void languageFolderIsFourWide()
    {
        QCOMPARE(LanguageFolder(1033), QString("lang/1033/"));
        QCOMPARE(LanguageFolder(7), QString("lang/   7/"));
    }

    void placeholders_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<GuideFill>("fill");
        QTest::addColumn<QString>("expected");

        const QByteArray three = "[YourSSID]|[YourSecurity]|[YourPassword]";
        QTest::newRow("WPA2 with a key")
            << three << Join(1, " k3y ", u"k3y") << "Home Net|WPA2-Personal|k3y\r\n";
        QTest::newRow("WPA with a key")
            << three << Join(0, "abc", u"abc") << "Home Net|WPA-Personal|abc\r\n";
        QTest::newRow("no security") << three << Join(2, "", u"") << "Home Net|None|None\r\n";
        QTest::newRow("WPA, empty key keeps the marker")
            << three << Join(0, "", u"") << "Home Net|WPA-Personal|[YourPassword]\r\n";
        QTest::newRow("unknown index")
            << three << Join(5, "abc", u"abc") << "Home Net|None|[YourPassword]\r\n";
        QTest::newRow("twice in a line") << QByteArray("[YourSSID] and [YourSSID]")
                                         << Join(1, "k", u"k") << "Home Net and Home Net\r\n";
        QTest::newRow("split over two lines")
            << QByteArray("[Your\r\nSSID]") << Join(1, "k", u"k") << "[Your\r\nSSID]\r\n";
        QTest::newRow("case matters")
            << QByteArray("[yourssid]") << Join(1, "k", u"k") << "[yourssid]\r\n";
        QTest::newRow("no fill leaves markers")
            << three << NoGuideFill() << QString(three) + "\r\n";

        WizardSettings html;
        html.SsidW = u"Tom & <Jerry>";
        html.WirelessSecurityIndex = 1;
        html.WirelessKey = "a<b";
        html.WirelessKeyW = u"a<b";
        QTest::newRow("values are shown as text, not markup")
            << three << JoinWirelessFill(html)
            << "Tom &amp; &lt;Jerry&gt;|WPA2-Personal|a&lt;b\r\n";

        QTest::newRow("details marker: first line only")
            << QByteArray("a\n[YourSetting]x[YourSetting]\n[YourSetting]\n")
            << DetailsSheetFill("n", "k") << "a\r\n x \r\n[YourSetting]\r\n";
        QTest::newRow("details sheet values")
            << QByteArray("[YourSSID]/[YourPassword]") << DetailsSheetFill("Net&1", "")
            << "Net&amp;1/None\r\n";
        QTest::newRow("join QR code: the key as the router has it")
            << QByteArray("[YourQrCode]") << Join(1, " k3y ", u"k3y")
            << QrCodeDataUrl(WifiQrText("Home Net", " k3y ", true)) + "\r\n";
        QTest::newRow("join QR code: open network")
            << QByteArray("[YourQrCode]") << Join(2, "", u"")
            << QrCodeDataUrl("WIFI:T:nopass;S:Home Net;;") + "\r\n";
        QTest::newRow("details QR code") << QByteArray("[YourQrCode]") << DetailsSheetFill("N", "k")
                                         << QrCodeDataUrl("WIFI:T:WPA;S:N;P:k;;") + "\r\n";
    }

    void placeholders()
    {
        QFETCH(QByteArray, line);
        QFETCH(GuideFill, fill);
        QFETCH(QString, expected);
        QCOMPARE(Build(line, fill), expected);
    }

    void lineEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << "a\r\nb\r\n";
        QTest::newRow("lone LF") << QByteArray("a\nb\n") << "a\r\nb\r\n";
        QTest::newRow("no final line break") << QByteArray("a\r\nb") << "a\r\nb\r\n";
        QTest::newRow("empty lines kept") << QByteArray("a\n\n\nb") << "a\r\n\r\n\r\nb\r\n";
        QTest::newRow("lone CR stays in the line") << QByteArray("a\rb\n") << "a\rb\r\n";
        QTest::newRow("empty template") << QByteArray() << "";
        QTest::newRow("bytes are Latin-1")
            << QByteArray("caf\xc3\xa9 \xe9") << QString::fromUtf16(u"caf\u00c3\u00a9 \u00e9\r\n");
        QTest::newRow("a long line") << QByteArray(100000, 'x') << QString(100000, 'x') + "\r\n";
    }

    void lineEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(Build(bytes, NoGuideFill()), expected);
    }

    void mediaNames_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("expected");  // "@" stands for the media folder
        QTest::newRow("bare name")
            << QByteArray("<img src=\"step1.png\">") << "<img src=\"@step1.png\">";
        QTest::newRow("other letter case")
            << QByteArray("<img src=\"Step1.png\">") << "<img src=\"Step1.png\">";
        QTest::newRow("every occurrence")
            << QByteArray("step1.png step1.png") << "@step1.png @step1.png";
        QTest::newRow("each kind")
            << QByteArray("a.jpg b.gif c.swf d.avi e.mov") << "@a.jpg @b.gif @c.swf @d.avi @e.mov";
        QTest::newRow("ending another name")
            << QByteArray("bigstep1.png 1.png") << "bigstep1.png @1.png";
        QTest::newRow("already in a path")
            << QByteArray("lang/1033/step1.png") << "lang/1033/step1.png";
        QTest::newRow("not a media file") << QByteArray("notes.txt") << "notes.txt";
    }

    void mediaNames()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, expected);
        for (const char* name :
             {"step1.png", "1.png", "a.jpg", "b.gif", "c.swf", "d.avi", "e.mov", "notes.txt"})
            WriteFile(name, "x");
        QCOMPARE(Build(line, NoGuideFill()), expected.replace("@", Media()) + "\r\n");
    }

    // The slots fill png first, then jpg, gif, ...; names beyond the last slot stay as written.
    void mediaSlotsOverflow()
    {
        QByteArray line;
        for (int i = 0; i < 25; ++i)
        {
            const QByteArray name = "p" + QByteArray::number(i).rightJustified(2, '0') + ".png";
            WriteFile(name, "x");
            line += name + " ";
        }
        WriteFile("z.jpg", "x");
        line += "z.jpg";

        const QStringList words = Build(line, NoGuideFill(), 20).trimmed().split(' ');
        QCOMPARE(words.size(), 26);
        for (int i = 0; i < 20; ++i)
            QVERIFY2(words[i].startsWith(Media()), qPrintable(words[i]));
        QCOMPARE(words[20], QString("p20.png"));
        QCOMPARE(words[25], QString("z.jpg"));

        QVERIFY(Build(line, NoGuideFill(), 30).endsWith(Media() + "z.jpg\r\n"));
        QVERIFY(!Build(line, NoGuideFill(), 0).contains(Media()));
    }

    void missingOrUnreadableTemplate()
    {
        QVERIFY(!BuildGuideDocument(kGuideLanguageId, "Missing.html", 30, NoGuideFill()));
        QVERIFY(QDir().mkpath("lang/1033/Folder.html"));
        QVERIFY(!BuildGuideDocument(kGuideLanguageId, "Folder.html", 30, NoGuideFill()));
        WriteFile("Other.html", "x");
        QVERIFY(!BuildGuideDocument(1031, "Other.html", 30, NoGuideFill()));
    }

    void showReplacesTheDocument()
    {
        SimpleBrowser browser;
        QVERIFY(browser.Create(nullptr, QRect(0, 0, 200, 100), 1));
        ShowGuideDocument(browser, "<p>first</p>");
        ShowGuideDocument(browser, "<p>second</p>");
        QCOMPARE(browser.Document()->toPlainText(), QString("second"));
    }
};

QTEST_MAIN(TestGuideDocument)
#include "tst_GuideDocument.moc"
