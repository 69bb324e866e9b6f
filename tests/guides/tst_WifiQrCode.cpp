// The Wi-Fi QR code: its text, and the picture decoding back to that text.
#include "WifiQrCode.h"

#include "PrintModuleLoader.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestWifiQrCode : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_temp;

    QString Decode(const QImage& image)
    {
        const QString path = m_temp.filePath("code.png");
        if (!image.save(path))
            return "<not saved>";
        QProcess zbarimg;
        zbarimg.start("zbarimg", {"--raw", "-q", "-Sbinary", path});
        if (!zbarimg.waitForFinished(30000))
            return "<no answer>";
        return QString::fromUtf8(zbarimg.readAllStandardOutput());
    }

private slots:
    void text_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("secured");
        QTest::addColumn<QString>("expected");
        QTest::newRow("WPA") << "Home Net"
                             << "s3cret123" << true << "WIFI:T:WPA;S:Home Net;P:s3cret123;;";
        QTest::newRow("open network") << "Cafe"
                                      << "ignored" << false << "WIFI:T:nopass;S:Cafe;;";
        QTest::newRow("reserved characters")
            << "a;b,c:d"
            << "\\\"x\"" << true << "WIFI:T:WPA;S:a\\;b\\,c\\:d;P:\\\\\\\"x\\\";;";
        QTest::newRow("empty key") << "N"
                                   << "" << true << "WIFI:T:WPA;S:N;P:;;";
    }

    void text()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(bool, secured);
        QFETCH(QString, expected);
        QCOMPARE(WifiQrText(name, key, secured), expected);
    }

    void decodesBackToItsText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("plain") << WifiQrText("Home Net", "s3cret123", true);
        QTest::newRow("escaped") << WifiQrText("a;b", "p:\"q\\", true);
        QTest::newRow("non-ASCII") << WifiQrText(QString::fromUtf16(u"Caf\u00e9"), "k\u00fc", true);
        QTest::newRow("longest key") << WifiQrText(QString(32, 'n'), QString(63, ';'), true);
    }

    void decodesBackToItsText()
    {
        QFETCH(QString, text);
        const QImage image = QrCodeImage(text);
        QVERIFY(!image.isNull());
        QCOMPARE(image.width(), image.height());
        QCOMPARE(Decode(image), text);
    }

    void tooLongGivesNoPicture()
    {
        QVERIFY(QrCodeImage(QString(5000, 'x')).isNull());
        QVERIFY(QrCodeDataUrl(QString(5000, 'x')).isEmpty());
    }

    void dataUrlHoldsThePicture()
    {
        const QString url = QrCodeDataUrl("hello");
        QVERIFY(url.startsWith("data:image/png;base64,"));
        const QImage image = QImage::fromData(QByteArray::fromBase64(url.mid(22).toLatin1()),
                                              "PNG");
        QCOMPARE(Decode(image), QString("hello"));
    }

    void moduleProblemsAreSaid_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("said");
        const QString beside = QCoreApplication::applicationDirPath() + "/" + kPrintModuleFile;
        QTest::newRow("beside the program") << beside << "";
        QTest::newRow("missing") << beside + ".removed" << beside + ".removed is missing";
        QTest::newRow("another library") << "libz.so.1"
                                         << "libz.so.1 is not the module";
    }

    // Loaded on first use, the print module can be missing when the program
    // runs: the user is told which file, not just that nothing printed.
    void moduleProblemsAreSaid()
    {
        QFETCH(QString, path);
        QFETCH(QString, said);
        const QString problem = QString::fromStdString(
            PrintModuleProblemLoading(path.toStdString()));
        QVERIFY2(said.isEmpty() ? problem.isEmpty() : problem.contains(said), qPrintable(problem));
    }
};

QTEST_MAIN(TestWifiQrCode)
#include "tst_WifiQrCode.moc"
