// The security settings file on a desktop folder inside a temporary home.
#include "SecuritySettingsFile.h"

#include <QDir>
#include <QElapsedTimer>
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
    QString FilePath() const
    {
        return Desktop() + "/ Important security settings Keep safe do not delete.txt";
    }

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
        const std::optional<QString> error = WriteSecuritySettingsFile(FilePath(), "Home Net",
                                                                       "None");
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
        QCOMPARE(QString::fromUtf16(reinterpret_cast<const char16_t*>(bytes.constData() + 2),
                                    expected.size()),
                 expected);

        struct stat info
        {};
        QCOMPARE(::stat(QFile::encodeName(FilePath()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0600));
    }

    void nonAsciiIsUtf16LittleEndian()
    {
        QVERIFY(
            !WriteSecuritySettingsFile(FilePath(), QString::fromUtf16(u"Caf\u00e9 \u20ac"), "k"));
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
        QCOMPARE(WriteSecuritySettingsFile(FilePath(), "A", "B").value_or(""),
                 "Access to " + FilePath() + " was denied.");
    }

    void failuresAreReportedWithTheFullPath_data()
    {
        QTest::addColumn<QString>("obstacle");
        QTest::addColumn<QString>("message");
        QTest::newRow("a folder of that name") << "folder"
                                               << "Access to %1 was denied.";
        // A link is never followed, not even to a device.
        QTest::newRow("a link to a full disk")
            << "/dev/full"
            << "%1 is a link to another file. The settings were not saved, so that nothing else is "
               "overwritten; remove the link and try again.";
        QTest::newRow("no desktop folder") << "no desktop"
                                           << "%1 was not found.";
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
        QCOMPARE(WriteSecuritySettingsFile(FilePath(), "A", "B").value_or(""),
                 message.arg(FilePath()));
        if (obstacle == "no desktop")
            QCOMPARE(QDir(m_home.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                     QStringList());
    }

    // What may already be at the path: nothing but a regular file of the
    // user's is replaced; anything else is refused, left as it was, and
    // nothing is written anywhere else.
    void plantedPaths_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<QString>("message");  // empty: written
        const QString refusedTail = " The settings were not saved; remove it and try again.";
        QTest::newRow("link to another file")
            << "link"
            << "%1 is a link to another file. The settings were not saved, so that nothing "
               "else is overwritten; remove the link and try again.";
        QTest::newRow("FIFO") << "fifo"
                              << "%1 is not a regular file." + refusedTail;
        QTest::newRow("another user's file") << "foreign"
                                             << "%1 belongs to another user." + refusedTail;
        QTest::newRow("own file open to everyone") << "0666" << QString();
    }

    void plantedPaths()
    {
        QFETCH(QString, planted);
        QFETCH(QString, message);
        const QByteArray path = QFile::encodeName(FilePath());
        const QString other = m_home.filePath("other.txt");
        QFile otherFile(other);
        QVERIFY(otherFile.open(QIODevice::WriteOnly));
        otherFile.write("keep me");
        otherFile.close();
        if (planted == "link")
            QVERIFY(QFile::link(other, FilePath()));
        else if (planted == "fifo")
            QCOMPARE(::mkfifo(path.constData(), 0666), 0);
        else
        {
            QVERIFY(QFile::copy(other, FilePath()));
            QCOMPARE(::chmod(path.constData(), 0666), 0);
            if (planted == "foreign")
            {
                if (::geteuid() != 0)
                    QSKIP("only the superuser can plant a file of another user");
                QCOMPARE(::chown(path.constData(), 65534, 65534), 0);
            }
        }

        QElapsedTimer clock;
        clock.start();
        const std::optional<QString> error = WriteSecuritySettingsFile(FilePath(), "Net",
                                                                       "key12345");
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString("took %1 ms").arg(clock.elapsed())));
        QCOMPARE(ReadAll(other), QByteArray("keep me"));
        // No temporary file is left beside it.
        QCOMPARE(QDir(Desktop()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot
                                           | QDir::System),
                 QStringList{QFileInfo(FilePath()).fileName()});
        struct stat info
        {};
        QCOMPARE(::lstat(path.constData(), &info), 0);
        if (message.isEmpty())
        {
            QVERIFY2(!error, qPrintable(error.value_or("")));
            QVERIFY(S_ISREG(info.st_mode));
            QCOMPARE(info.st_mode & 0777, mode_t(0600));
            QCOMPARE(info.st_uid, ::geteuid());
            QCOMPARE(ReadAll(FilePath()).size(),
                     (SecuritySettingsText("Net", "key12345").size() + 1) * 2);
        }
        else
        {
            QCOMPARE(error.value_or(""), message.arg(FilePath()));
            QCOMPARE(info.st_mode & S_IFMT, planted == "link"   ? mode_t(S_IFLNK)
                                            : planted == "fifo" ? mode_t(S_IFIFO)
                                                                : mode_t(S_IFREG));
        }
    }

    // A folder the user may not write: the message names the file, and the
    // folder stays as it was. The superuser writes anywhere, so the write is
    // made as another user then.
    void readOnlyFolder()
    {
        QCOMPARE(::chmod(QFile::encodeName(m_home.path()).constData(), 0755), 0);
        const QByteArray desktop = QFile::encodeName(Desktop());
        const bool superuser = ::geteuid() == 0;
        if (superuser)
            QCOMPARE(::chown(desktop.constData(), 65534, 65534), 0);
        QCOMPARE(::chmod(desktop.constData(), 0555), 0);
        if (superuser)
            QCOMPARE(::seteuid(65534), 0);
        const std::optional<QString> error = WriteSecuritySettingsFile(FilePath(), "Net",
                                                                       "key12345");
        if (superuser)
            QCOMPARE(::seteuid(0), 0);
        ::chmod(desktop.constData(), 0755);
        QCOMPARE(error.value_or(""), "Access to " + FilePath() + " was denied.");
        QCOMPARE(QDir(Desktop()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void messagesByCause_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("message");
        QTest::newRow("bad path") << ENOTDIR << "/p contains an incorrect path.";
        QTest::newRow("open files")
            << EMFILE << "Could not open /p because there are too many open files.";
        QTest::newRow("hardware") << EIO << "Encountered a hardware I/O error while accessing /p.";
        QTest::newRow("quota") << EDQUOT << "Disk full while accessing /p.";
        QTest::newRow("disk full") << ENOSPC << "Disk full while accessing /p.";
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
