// The ISP and PVC page: lists and country defaults, the MER address choice,
// VPI/VCI reading and ranges, and the page each protocol leads to.

#include "CConfigPvcDlg.h"
#include "ClickHelpers.h"
#include "ConnectionPagesHelper.h"
#include "FakeEffects.h"
#include "InputChecks.h"
#include "WizardSettings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>

using namespace ConnectionTest;

Q_DECLARE_METATYPE(PageId)

namespace {

QStringList Items(const QComboBox* list)
{
    QStringList items;
    for (int index = 0; index < list->count(); ++index)
        items << list->itemText(index);
    return items;
}

const QStringList kAustralianIsps = {
    "AAPT",    "Dodo Internet",    "Engin",           "Internode",
    "iinet",   "iPrimus",          "Netspace",        "Optus",
    "OzEmail", "Pacific Internet", "Pennytel",        "Southern Phone",
    "SpinTel", "TelPacific",       "Telstra BigPond", "TPG"};

}  // namespace

class TestConfigPvc : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    std::unique_ptr<CConfigPvcDlg> m_page;

    void VerifyCountryShown(const QStringList& isps, const QString& protocol,
                            const QString& encapsulation, const QString& vpi, const QString& vci)
    {
        QCOMPARE(Items(m_page->IspList()), isps);
        QCOMPARE(m_page->IspList()->currentIndex(), 0);
        QCOMPARE(m_page->ProtocolList()->currentText(), protocol);
        QCOMPARE(m_page->EncapsulationList()->currentText(), encapsulation);
        QCOMPARE(m_page->VpiField()->text(), vpi);
        QCOMPARE(m_page->VciField()->text(), vci);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { QVERIFY(OpenFresh(m_page, m_scope, m_effects, false)); }

    void cleanup()
    {
        CloseAndReset(m_page, m_scope);
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void opensWithItsOwnDefaults()
    {
        QCOMPARE(Items(m_page->CountryList()), QStringList({"Australia", "New Zealand"}));
        QCOMPARE(Items(m_page->ProtocolList()),
                 QStringList({"PPPoE", "PPPoA", "MER", "IPoA", "Bridge"}));
        QCOMPARE(Items(m_page->EncapsulationList()), QStringList({"LLC", "VC Mux"}));
        QCOMPARE(m_page->CountryList()->currentText(), QString("Australia"));
        VerifyCountryShown(kAustralianIsps, "PPPoE", "LLC", "8", "35");
        QVERIFY(!m_page->DynamicIpButton()->isVisible());
        QVERIFY(!m_page->StaticIpButton()->isVisible());
        QVERIFY(m_page->DynamicIpButton()->isChecked());
        QCOMPARE(QApplication::focusWidget(), m_page->CountryList());
        QCOMPARE(m_page->BackgroundPath(), QString("pic/BG/3200.gif"));
    }

    void countryLoadsItsDefaults()
    {
        TypeInto(m_page->VpiField(), "3");
        SelectInList(m_page->CountryList(), CountryNewZealand);
        VerifyCountryShown({"IHUG", "Telecom Xtra", "Vodafone"}, "PPPoA", "VC Mux", "0", "100");
        SelectInList(m_page->CountryList(), CountryAustralia);
        VerifyCountryShown(kAustralianIsps, "PPPoE", "LLC", "8", "35");
    }

    void ispChangesNoOtherField()
    {
        SelectInList(m_page->ProtocolList(), ProtocolIpoa);
        TypeInto(m_page->VciField(), "99");
        SelectInList(m_page->IspList(), 5);
        QCOMPARE(m_page->IspList()->currentText(), QString("iPrimus"));
        QCOMPARE(m_page->ProtocolList()->currentText(), QString("IPoA"));
        QCOMPARE(m_page->VciField()->text(), QString("99"));
        QCOMPARE(m_page->VpiField()->text(), QString("8"));
    }

    void ipModeShowsForMerAndKeepsItsChoiceWhileHidden()
    {
        SelectInList(m_page->ProtocolList(), ProtocolMer);
        QVERIFY(m_page->DynamicIpButton()->isVisible());
        QVERIFY(m_page->StaticIpButton()->isVisible());
        Click(m_page->StaticIpButton());
        QVERIFY(m_page->StaticIpButton()->isChecked());
        SelectInList(m_page->ProtocolList(), ProtocolBridge);
        QVERIFY(!m_page->StaticIpButton()->isVisible());
        SelectInList(m_page->ProtocolList(), ProtocolMer);
        QVERIFY(m_page->StaticIpButton()->isChecked());
        QVERIFY(!m_page->DynamicIpButton()->isChecked());
    }

    void vpiAndVciChecks_data()
    {
        QTest::addColumn<QString>("vpi");
        QTest::addColumn<QString>("vci");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::addColumn<int>("storedVpi");
        QTest::addColumn<int>("storedVci");
        QTest::newRow("limits 255/32") << "255"
                                       << "32"
                                       << "" << 255 << 32;
        QTest::newRow("limits 0/65535") << "0"
                                        << "65535"
                                        << "" << 0 << 65535;
        QTest::newRow("leading digits") << "8x"
                                        << "35abc"
                                        << "" << 8 << 35;
        QTest::newRow("leading blanks") << "  8"
                                        << " 35"
                                        << "" << 8 << 35;
        QTest::newRow("empty VPI is 0") << ""
                                        << "35"
                                        << "" << 0 << 35;
        QTest::newRow("VPI 256") << "256"
                                 << "35"
                                 << "VPI value must be 0 - 255" << 0 << 0;
        QTest::newRow("VPI -1") << "-1"
                                << "35"
                                << "VPI value must be 0 - 255" << 0 << 0;
        QTest::newRow("VPI huge") << "99999999999"
                                  << "35"
                                  << "VPI value must be 0 - 255" << 0 << 0;
        QTest::newRow("VCI 31") << "8"
                                << "31"
                                << "VCI value must be 32 - 65535" << 0 << 0;
        QTest::newRow("VCI 65536") << "8"
                                   << "65536"
                                   << "VCI value must be 32 - 65535" << 0 << 0;
        QTest::newRow("empty VCI") << "8"
                                   << ""
                                   << "VCI value must be 32 - 65535" << 0 << 0;
        QTest::newRow("both wrong") << "300"
                                    << "5"
                                    << "VPI value must be 0 - 255" << 0 << 0;
    }

    void vpiAndVciChecks()
    {
        QFETCH(QString, vpi);
        QFETCH(QString, vci);
        QFETCH(QString, message);
        const QStringList before = ConnectionSettings();
        TypeInto(m_page->VpiField(), vpi);
        TypeInto(m_page->VciField(), vci);
        Click(m_page->NextButton());
        if (message.isEmpty())
        {
            QVERIFY(m_effects.messages.empty());
            QFETCH(int, storedVpi);
            QFETCH(int, storedVci);
            QCOMPARE(GetWizardSettings().AtmVpi, storedVpi);
            QCOMPARE(GetWizardSettings().AtmVci, storedVci);
            return;
        }
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(m_effects.messages[0].text, message);
        QCOMPARE(m_effects.messages[0].icon, QMessageBox::NoIcon);
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(ConnectionSettings(), before);
        QCOMPARE(m_page->VpiField()->text(), vpi);
        QCOMPARE(m_page->VciField()->text(), vci);
    }

    void protocolLeadsToItsPage_data()
    {
        QTest::addColumn<int>("country");
        QTest::addColumn<int>("protocol");
        QTest::addColumn<bool>("staticIp");
        QTest::addColumn<PageId>("next");
        QTest::addColumn<int>("merDynamicIp");
        QTest::newRow("PPPoE") << 0 << ProtocolPppoe << false << PageId::IspAccount << 1;
        QTest::newRow("PPPoA, static chosen earlier")
            << 1 << ProtocolPppoa << true << PageId::IspAccount << 0;
        QTest::newRow("MER dynamic") << 0 << ProtocolMer << false << PageId::Wireless << 1;
        QTest::newRow("MER static") << 1 << ProtocolMer << true << PageId::StaticIp << 0;
        QTest::newRow("IPoA") << 0 << ProtocolIpoa << false << PageId::StaticIp << 1;
        QTest::newRow("Bridge, static chosen earlier")
            << 1 << ProtocolBridge << true << PageId::Wireless << 0;
    }

    void protocolLeadsToItsPage()
    {
        QFETCH(int, country);
        QFETCH(int, protocol);
        QFETCH(bool, staticIp);
        SelectInList(m_page->CountryList(), country);
        if (staticIp)
        {
            SelectInList(m_page->ProtocolList(), ProtocolMer);
            Click(m_page->StaticIpButton());
        }
        SelectInList(m_page->ProtocolList(), protocol);
        SelectInList(m_page->EncapsulationList(), EncapsulationVcMux);
        TypeInto(m_page->VpiField(), "1");
        TypeInto(m_page->VciField(), "40");
        Click(m_page->NextButton());

        QFETCH(PageId, next);
        QFETCH(int, merDynamicIp);
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{next});
        const WizardSettings& settings = GetWizardSettings();
        QCOMPARE(settings.CountryIndex, country);
        QCOMPARE(settings.ProtocolIndex, protocol);
        QCOMPARE(settings.EncapsulationIndex, EncapsulationVcMux);
        QCOMPARE(settings.AtmVpi, 1);
        QCOMPARE(settings.AtmVci, 40);
        QCOMPARE(settings.MerDynamicIp, merDynamicIp);
        QCOMPARE(settings.PppUserName, std::string("earlier-user"));
        QCOMPARE(settings.Ssid, std::string("EarlierNet"));
    }

    void keyboardFollowsReadingOrderAndEnterPressesNext()
    {
        QCOMPARE(QApplication::focusWidget(), m_page->CountryList());
        const QList<QWidget*> expected = {m_page->IspList(),           m_page->ProtocolList(),
                                          m_page->EncapsulationList(), m_page->VpiField(),
                                          m_page->VciField(),          m_page->PrevButton(),
                                          m_page->NextButton()};
        for (QWidget* widget : expected)
        {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), widget);
        }
        SelectInList(m_page->ProtocolList(), ProtocolMer);
        QTest::keyClick(m_page->ProtocolList(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_page->DynamicIpButton());
        QTest::keyClick(m_page->DynamicIpButton(), Qt::Key_Right);
        QVERIFY(m_page->StaticIpButton()->isChecked());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_page->EncapsulationList());
        QTest::mouseClick(m_page->VciField(), Qt::LeftButton);
        QTest::keyClick(m_page->VciField(), Qt::Key_Return);
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::StaticIp});
    }
};

QTEST_MAIN(TestConfigPvc)
#include "tst_ConfigPvc.moc"
