// The security settings file on a desktop folder inside a temporary home.
#include "SecuritySettingsFile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

class TestSecuritySettingsFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;

    QString Desktop() const { return m_home.filePath("Desktop"); }
    QString FilePath() const { return Desktop() + "/ Important security settings Keep safe do not delete.txt"; }

    static QByteArray ReadAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", QFile::encodeName(m_home.path()));
    }

    void init()
    {
        QDir(Desktop()).removeRecursively();
        QVERIFY(QDir().mkpath(Desktop()));
    }

    void theFileIsOnTheDesktop() { QCOMPARE(SecuritySettingsFilePath(), FilePath()); }

    void writtenByteForByte()
    {
        const mode_t oldMask = ::umask(0);  // the mode must not depend on the umask
        const std::optional<QString> error = WriteSecuritySettingsFile(FilePath(), "Home Net", "None");
        ::umask(oldMask);
        QVERIFY2(!error, qPrintable(error.value_or("")));

        const QString expected =
            "Security Settings:\r\n"
            "Please do not delete these details as they are important for your reference.\r\n"
            "Should you need to contact Tarnix Technical Support you may be asked for these details.\r\n"
            "\r\n"
            "\r\n"
            "Please keep these details safe. They are an important reference, and you should have to reference\r\n"
            "when contacting Tarnix Technical support.\r\n"
            "\r\n"
            "\r\n"
            "Wireless Network Name (SSID):Home Net\r\n"
            "Password:None\r\n";
        const QByteArray bytes = ReadAll(FilePath());
        // A byte order mark first and no NUL last: text editors open it as text.
        QCOMPARE(bytes.left(4), QByteArray("\xff\xfeS\0", 4));
        QCOMPARE(bytes.right(4), QByteArray("\x0d\x00\x0a\x00", 4));
        QCOMPARE(bytes.size(), (expected.size() + 1) * 2);
        QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2), expected.size()),
                 expected);

        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(FilePath()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
    }

    void nonAsciiIsUtf16LittleEndian()
    {
        QVERIFY(!WriteSecuritySettingsFile(FilePath(), QString::fromUtf16(u"Caf\u00e9 \u20ac"), "k"));
        const QByteArray bytes = ReadAll(FilePath());
        QVERIFY(bytes.contains(QByteArray(":\0C\0a\0f\0\xe9\0 \0\xac\x20\r\0\n\0", 18)));
    }

    void anExistingFileIsReplaced()
    {
        QFile old(FilePath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, '#'));
        old.close();
        QVERIFY(old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
        QVERIFY(!WriteSecuritySettingsFile(FilePath(), "A", "B"));
        QCOMPARE(ReadAll(FilePath()), SecuritySettingsBytes("A", "B"));
        QVERIFY(!ReadAll(FilePath()).contains('#'));
        QCOMPARE(old.permissions() & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions());
    }

    void aReadOnlyFileIsReported()
    {
        if (::geteuid() == 0)
            QSKIP("the superuser may write read-only files");
        QFile old(FilePath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.close();
        QVERIFY(old.setPermissions(QFile::ReadOwner));
        QCOMPARE(WriteSecuritySettingsFile(FilePath(), "A", "B").value_or(""), "Access to " + FilePath() + " was denied.");
    }

    void failuresAreReportedWithTheFullPath_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("message");
        QTest::newRow("a folder of that name") << "folder" << "Access to %1 was denied.";
        QTest::newRow("a full disk") << "/dev/full" << "Disk full while accessing %1.";
        QTest::newRow("no desktop folder") << "no desktop" << "%1 was not found.";
    }

    void failuresAreReportedWithTheFullPath()
    {
        QFETCH(QString, obstacle);
        QFETCH(QString, message);
        if (obstacle == "folder")
            QVERIFY(QDir().mkpath(FilePath()));
        else if (obstacle == "no desktop")
            QVERIFY(QDir(Desktop()).removeRecursively());
        else
            QVERIFY(QFile::link(obstacle, FilePath()));
        QCOMPARE(WriteSecuritySettingsFile(FilePath(), "A", "B").value_or(""), message.arg(FilePath()));
        if (obstacle == "no desktop")
            QCOMPARE(QDir(m_home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
    }

    void messagesByCause_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad path") << ENOTDIR << "/p contains an incorrect path.";
        QTest::newRow("open files") << EMFILE << "Could not open /p because there are too many open files.";
        QTest::newRow("hardware") << EIO << "Encountered a hardware I/O error while accessing /p.";
        QTest::newRow("quota") << EDQUOT << "Disk full while accessing /p.";
        QTest::newRow("other") << EPROTO << "An unknown error occurred while accessing /p.";
    }

    void messagesByCause()
    {
        QFETCH(int, error);
        QFETCH(QString, message);
        QCOMPARE(FileErrorMessage(error, "/p"), message);
    }
};

QTEST_MAIN(TestSecuritySettingsFile)
#include "tst_SecuritySettingsFile.moc"
