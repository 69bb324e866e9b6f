// The four connection pages together: registration, the real modal chain,
// walking a second path after going back, and PREV, Exit and the close box
// leaving the settings as they were.

#include "CConfigPvcDlg.h"
#include "CConfigStaticIPDlg.h"
#include "CConfigUserAndPassDlg.h"
#include "CConfigWiressDlg.h"
#include "CIpAddressField.h"
#include "ClickHelpers.h"
#include "ConnectionPages.h"
#include "ConnectionPagesHelper.h"
#include "FakeEffects.h"
#include "WizardSettings.h"
#include "WizardTestScope.h"

#include <QComboBox>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

#include <optional>

using namespace ConnectionTest;

Q_DECLARE_METATYPE(PageId)

namespace {

const PageId kConnectionPages[] = {PageId::IspAndPvc, PageId::IspAccount, PageId::StaticIp,
                                   PageId::Wireless};

enum class Leave
{
    Prev,
    ExitOk,
    ExitCancel,
    CloseBox
};

// Input that NEXT would accept, so that only the way out decides what is stored.
void FillValidInput(QDialog* page)
{
    if (auto* pvc = qobject_cast<CConfigPvcDlg*>(page))
    {
        SelectInList(pvc->ProtocolList(), ProtocolBridge);
        TypeInto(pvc->VpiField(), "1");
    }
    else if (auto* account = qobject_cast<CConfigUserAndPassDlg*>(page))
    {
        TypeInto(account->UserNameField(), "joe");
        TypeInto(account->PasswordField(), "pw");
        TypeInto(account->ConfirmationField(), "pw");
    }
    else if (auto* addresses = qobject_cast<CConfigStaticIPDlg*>(page))
    {
        TypeAddress(addresses->AddressField(CConfigStaticIPDlg::IpAddress), "10.0.0.2");
        TypeAddress(addresses->AddressField(CConfigStaticIPDlg::SubnetMask), "255.0.0.0");
        TypeAddress(addresses->AddressField(CConfigStaticIPDlg::Gateway), "10.0.0.1");
        TypeAddress(addresses->AddressField(CConfigStaticIPDlg::PrimaryDns), "8.8.8.8");
    }
    else if (auto* wireless = qobject_cast<CConfigWiressDlg*>(page))
    {
        TypeInto(wireless->KeyField(), "secret123");
    }
}

}  // namespace

Q_DECLARE_METATYPE(Leave)

class TestConnectionFlow : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;

    template <typename Page>
    std::unique_ptr<Page> Open()
    {
        auto page = std::make_unique<Page>(nullptr);
        if (!ShowActive(page.get()))
            return nullptr;
        return page;
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init()
    {
        m_effects = FakeEffects();
        m_scope.emplace(&m_effects);
        UnregisterAllPages();
        RegisterConnectionPages();
        GetWizardSettings() = WizardSettings();
    }

    void cleanup()
    {
        m_scope.reset();
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void registersTheFourPages()
    {
        for (PageId id : kConnectionPages)
            QVERIFY2(CreatePage(id, nullptr) != nullptr, PageIdName(id));
        QVERIFY(qobject_cast<CConfigWiressDlg*>(CreatePage(PageId::Wireless, nullptr).get()));
    }

    void prevFromTheNextPageUncoversThePageAsLeft()
    {
        m_effects.openRealPages = true;
        auto pvc = Open<CConfigPvcDlg>();
        QVERIFY(pvc);
        SelectInList(pvc->ProtocolList(), ProtocolBridge);
        TypeInto(pvc->VciField(), "77");
        bool sawWireless = false;
        WhenPageAbove(pvc.get(), [&sawWireless](QWidget* top) {
            auto* wireless = qobject_cast<CConfigWiressDlg*>(top);
            sawWireless = wireless != nullptr;
            if (!wireless)
                return;
            TypeInto(wireless->KeyField(), "secret123");
            Click(wireless->PrevButton());
        });
        Click(pvc->NextButton());
        QVERIFY(sawWireless);
        QCOMPARE(VisibleTopLevels(), QWidgetList{pvc.get()});
        QCOMPARE(pvc->ProtocolList()->currentIndex(), ProtocolBridge);
        QCOMPARE(pvc->VciField()->text(), QString("77"));
        QCOMPARE(GetWizardSettings().AtmVci, 77);
        QVERIFY(GetWizardSettings().WirelessKey.empty());
    }

    void anotherProtocolChangesOnlyTheNewPathsFields()
    {
        auto pvc = Open<CConfigPvcDlg>();
        QVERIFY(pvc);
        Click(pvc->NextButton());
        auto account = Open<CConfigUserAndPassDlg>();
        QVERIFY(account);
        TypeInto(account->UserNameField(), "joe");
        TypeInto(account->PasswordField(), "pw");
        TypeInto(account->ConfirmationField(), "pw");
        Click(account->NextButton());
        auto wireless = Open<CConfigWiressDlg>();
        QVERIFY(wireless);
        TypeInto(wireless->KeyField(), "secret123");
        Click(wireless->NextButton());
        QCOMPARE(m_effects.openedPages,
                 (std::vector<PageId>{PageId::IspAccount, PageId::Wireless, PageId::Apply}));

        // Back to the ISP and PVC page, Bridge this time, a fresh wireless page.
        wireless.reset();
        account.reset();
        SelectInList(pvc->ProtocolList(), ProtocolBridge);
        Click(pvc->NextButton());
        wireless = Open<CConfigWiressDlg>();
        QVERIFY(wireless);
        QVERIFY(wireless->KeyField()->text().isEmpty());
        SelectInList(wireless->SecurityList(), SecurityNone);
        Click(wireless->NextButton());

        const WizardSettings& settings = GetWizardSettings();
        QCOMPARE(settings.ProtocolIndex, ProtocolBridge);
        QCOMPARE(settings.PppUserName, std::string("joe"));
        QCOMPARE(settings.PppPassword, std::string("pw"));
        QCOMPARE(settings.WirelessSecurityIndex, SecurityNone);
        QVERIFY(settings.WirelessKey.empty());
        QVERIFY(settings.StaticIpAddress.empty());
    }

    void leavingWritesNothing_data()
    {
        QTest::addColumn<PageId>("page");
        QTest::addColumn<Leave>("leave");
        for (PageId page : kConnectionPages)
        {
            const QByteArray name = PageIdName(page);
            QTest::newRow(name + " PREV") << page << Leave::Prev;
            QTest::newRow(name + " Exit, OK") << page << Leave::ExitOk;
            QTest::newRow(name + " Exit, Cancel") << page << Leave::ExitCancel;
            QTest::newRow(name + " close box") << page << Leave::CloseBox;
        }
    }

    void leavingWritesNothing()
    {
        QFETCH(PageId, page);
        QFETCH(Leave, leave);
        FillSettingsWithMarkers();
        const QStringList before = ConnectionSettings();
        std::unique_ptr<QDialog> shown = CreatePage(page, nullptr);
        QVERIFY(ShowActive(shown.get()));
        FillValidInput(shown.get());
        auto* frame = static_cast<CWizardPage*>(shown.get());
        const bool cancel = leave == Leave::ExitCancel;
        m_effects.answers.push_back(cancel ? QMessageBox::Cancel : QMessageBox::Ok);
        switch (leave)
        {
        case Leave::Prev: Click(frame->PrevButton()); break;
        case Leave::ExitOk:
        case Leave::ExitCancel: Click(frame->ExitButton()); break;
        case Leave::CloseBox: shown->close(); break;
        }
        QCOMPARE(ConnectionSettings(), before);
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(shown->isVisible(), cancel);
        const std::vector<int> ended = leave == Leave::ExitOk ? std::vector<int>{0}
                                                              : std::vector<int>{};
        QCOMPARE(m_effects.endStatuses, ended);
        if (cancel)
        {
            // The page is as it was: NEXT now stores what was typed.
            Click(frame->NextButton());
            QCOMPARE(m_effects.openedPages.size(), std::size_t(1));
            QVERIFY(ConnectionSettings() != before);
        }
    }
};

QTEST_MAIN(TestConnectionFlow)
#include "tst_ConnectionFlow.moc"
