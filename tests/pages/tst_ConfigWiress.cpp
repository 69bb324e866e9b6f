// The wireless page: start values, the checks in order with the refusal shown
// beside the field it concerns, the key field under "None", and the trimmed
// key both copies store.

#include "CConfigWiressDlg.h"
#include "CLabel.h"
#include "ClickHelpers.h"
#include "ConnectionPagesHelper.h"
#include "FakeEffects.h"
#include "InputChecks.h"
#include "WizardSettings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

using namespace ConnectionTest;

class TestConfigWiress : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    std::unique_ptr<CConfigWiressDlg> m_page;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { QVERIFY(OpenFresh(m_page, m_scope, m_effects, false)); }

    void cleanup()
    {
        CloseAndReset(m_page, m_scope);
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void opensWithItsStartValues()
    {
        QCOMPARE(m_page->SsidField()->text(), QString("Tarnix"));
        QStringList levels;
        for (int index = 0; index < m_page->SecurityList()->count(); ++index)
            levels << m_page->SecurityList()->itemText(index);
        QCOMPARE(levels, QStringList({"WPA", "WPA2(recommended)", "None"}));
        QCOMPARE(m_page->SecurityList()->currentText(), QString("WPA2(recommended)"));
        QVERIFY(m_page->KeyField()->text().isEmpty());
        QVERIFY(m_page->KeyField()->isEnabled());
        QCOMPARE(m_page->KeyField()->echoMode(), QLineEdit::Password);
        QCOMPARE(QApplication::focusWidget(), m_page->SsidField());
        QCOMPARE(m_page->BackgroundPath(), QString("pic/BG/3400.gif"));
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QString>("ssid");
        QTest::addColumn<int>("security");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("message");  // empty: accepted
        const QString ssidBlank = "The SSID field cannot be blank.";
        const QString ssidLength = "ssid length error,please try again";
        const QString keyEmpty = "Wireless Password cannot be empty.";
        const QString keyLength = "Wireless Password must between 8 and 63 characters.";
        const QString key8 = "12345678";
        const QString twoByte16 = QString(16, QChar(0xe9));
        const QString twoByte17 = QString(17, QChar(0xe9));
        const int wpa = SecurityWpa;
        const int wpa2 = SecurityWpa2;
        QTest::newRow("start values") << "Tarnix" << wpa2 << "" << keyEmpty;
        QTest::newRow("empty SSID first") << "" << wpa2 << "" << ssidBlank;
        QTest::newRow("blank SSID is text") << " " << wpa << key8 << "";
        QTest::newRow("SSID 32") << QString(32, 'n') << wpa2 << key8 << "";
        QTest::newRow("SSID 33") << QString(33, 'n') << wpa2 << "" << ssidLength;
        QTest::newRow("SSID 16 two-byte") << twoByte16 << wpa2 << key8 << "";
        QTest::newRow("SSID 17 two-byte") << twoByte17 << wpa2 << key8 << ssidLength;
        QTest::newRow("key 7") << "Tarnix" << wpa2 << "1234567" << keyLength;
        QTest::newRow("key 8") << "Tarnix" << wpa << key8 << "";
        QTest::newRow("key 63") << "Tarnix" << wpa2 << QString(63, 'k') << "";
        QTest::newRow("key 64") << "Tarnix" << wpa2 << QString(64, 'k') << keyLength;
        QTest::newRow("key of blanks") << "Tarnix" << wpa2 << QString(12, ' ') << keyEmpty;
        QTest::newRow("7 once trimmed") << "Tarnix" << wpa2 << " 1234567 " << keyLength;
        QTest::newRow("None, no key") << "Tarnix" << SecurityNone << ""
                                      << "";
    }

    void checksInOrder()
    {
        QFETCH(QString, ssid);
        QFETCH(int, security);
        QFETCH(QString, key);
        QFETCH(QString, message);
        const QStringList before = ConnectionSettings();
        TypeInto(m_page->SsidField(), ssid);
        SelectInList(m_page->SecurityList(), security);
        if (security != SecurityNone)
            TypeInto(m_page->KeyField(), key);
        Click(m_page->NextButton());
        if (message.isEmpty())
        {
            QVERIFY(m_effects.messages.empty());
            QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Apply});
            QCOMPARE(QString::fromStdU16String(GetWizardSettings().SsidW), ssid);
            QCOMPARE(GetWizardSettings().Ssid, ssid.toStdString());
            return;
        }
        QVERIFY(m_effects.messages.empty());
        QStringList shown;
        for (const CLabel* label : m_page->findChildren<CLabel*>())
            if (label->isVisible() && label->IsAlert())
                shown << label->text();
        QCOMPARE(shown, QStringList{message});
        QCOMPARE(QApplication::focusWidget()->accessibleDescription(), message);
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(ConnectionSettings(), before);
        QCOMPARE(m_page->SsidField()->text(), ssid);
        QCOMPARE(m_page->KeyField()->text(), key);
    }

    void noneEmptiesAndDisablesTheKey()
    {
        TypeInto(m_page->KeyField(), "secret123");
        SelectInList(m_page->SecurityList(), SecurityNone);
        QVERIFY(m_page->KeyField()->text().isEmpty());
        QVERIFY(!m_page->KeyField()->isEnabled());
        SelectInList(m_page->SecurityList(), SecurityWpa);
        QVERIFY(m_page->KeyField()->isEnabled());
        QVERIFY(m_page->KeyField()->text().isEmpty());
    }

    void storesTheTrimmedKeyInBothCopies_data()
    {
        QTest::addColumn<int>("security");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::newRow("WPA, blanks around") << SecurityWpa << "  secret 123  "
                                            << "secret 123";
        QTest::newRow("WPA2, as typed") << SecurityWpa2 << "K3y-no-blanks"
                                        << "K3y-no-blanks";
        QTest::newRow("None") << SecurityNone << ""
                              << "";
    }

    void storesTheTrimmedKeyInBothCopies()
    {
        QFETCH(int, security);
        QFETCH(QString, key);
        QFETCH(QString, stored);
        const QStringList before = ConnectionSettings();
        TypeInto(m_page->SsidField(), "Home Net");
        SelectInList(m_page->SecurityList(), security);
        if (security != SecurityNone)
            TypeInto(m_page->KeyField(), key);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Apply});
        QStringList expected = before;
        expected[13] = "Home Net";
        expected[14] = "Home Net";
        expected[15] = stored;
        expected[16] = stored;
        expected[17] = QString::number(security);
        QCOMPARE(ConnectionSettings(), expected);
    }

    void tabFollowsTheFields()
    {
        for (QWidget* widget : {static_cast<QWidget*>(m_page->SecurityList()),
                                static_cast<QWidget*>(m_page->KeyField()),
                                static_cast<QWidget*>(m_page->PrevButton())})
        {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), widget);
        }
    }
};

QTEST_MAIN(TestConfigWiress)
#include "tst_ConfigWiress.moc"
