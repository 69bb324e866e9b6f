// The static IP page and its four-part address field: what typing gives, the
// checks in their order, and what an accepted NEXT stores.

#include "CConfigStaticIPDlg.h"
#include "CIpAddressField.h"
#include "ClickHelpers.h"
#include "ConnectionPagesHelper.h"
#include "FakeEffects.h"
#include "WizardSettings.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTest>

using namespace ConnectionTest;
using Field = CConfigStaticIPDlg::Field;

class TestConfigStaticIP : public QObject
{
    Q_OBJECT

private:
    FakeEffects m_effects;
    std::optional<WizardTestScope> m_scope;
    std::unique_ptr<CConfigStaticIPDlg> m_page;

    void TypeAll(const QStringList& addresses)
    {
        for (int field = 0; field < addresses.size(); ++field)
            if (!addresses[field].isEmpty())
                TypeAddress(m_page->AddressField(Field(field)), addresses[field]);
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() { QVERIFY(OpenFresh(m_page, m_scope, m_effects, true)); }

    void cleanup()
    {
        CloseAndReset(m_page, m_scope);
        QTRY_VERIFY(VisibleTopLevels().isEmpty());
    }

    void opensBlankWithTheAddressFocused()
    {
        for (int field = Field::IpAddress; field <= Field::SecondaryDns; ++field)
            QVERIFY(m_page->AddressField(Field(field))->Text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), m_page->AddressField(Field::IpAddress)->Parts()[0]);
        QCOMPARE(m_page->BackgroundPath(), QString("pic/BG/2600.gif"));
    }

    void typingIntoTheField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << ""
                                 << "";
        QTest::newRow("whole address") << "192.168.1.1"
                                       << "192.168.1.1";
        QTest::newRow("empty parts read 0") << "10.1"
                                            << "10.1.0.0";
        QTest::newRow("third digit moves on") << "19216801"
                                              << "192.168.1.0";
        QTest::newRow("leading zeros") << "010.001.1"
                                       << "10.1.1.0";
        QTest::newRow("dot after three digits") << "255.255.255.255"
                                                << "255.255.255.255";
        QTest::newRow("above 255 refused") << "256"
                                           << "25.0.0.0";
        QTest::newRow("letters refused") << "a1b"
                                         << "1.0.0.0";
        QTest::newRow("dot in an empty part") << ".5..6"
                                              << "5.6.0.0";
        QTest::newRow("backspace goes back") << "10.\b\b7"
                                             << "17.0.0.0";
        QTest::newRow("zero is a digit") << "0"
                                         << "0.0.0.0";
    }

    void typingIntoTheField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, text);
        CIpAddressField* field = m_page->AddressField(Field::Gateway);
        TypeAddress(field, typed);
        QCOMPARE(field->Text(), text);
    }

    // Typing a whole address over one the field holds, entering the field
    // the way a keyboard user does.
    void typingOverAnAddress_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("text");
        const int tab = Qt::Key_Tab;
        const int backtab = Qt::Key_Backtab;
        QTest::newRow("Shift+Tab, 3-digit part then a dot")
            << "10.1.2.3" << backtab << "203.0.113.10" << QStringList{"203", "0", "113", "10"}
            << "203.0.113.10";
        QTest::newRow("Tab, every part three digits")
            << "1.2.3.4" << tab << "192.168.100.200" << QStringList{"192", "168", "100", "200"}
            << "192.168.100.200";
        QTest::newRow("short parts over long ones") << "111.222.233.244" << tab << "1.2.3.4"
                                                    << QStringList{"1", "2", "3", "4"} << "1.2.3.4";
        QTest::newRow("three digits without dots")
            << "10.1.2.3" << backtab << "192168001001" << QStringList{"192", "168", "001", "001"}
            << "192.168.1.1";
        QTest::newRow("second dot after a full part moves on")
            << "10.1.2.3" << tab << "255..7" << QStringList{"255", "1", "7", "3"} << "255.1.7.3";
        QTest::newRow("part left short keeps the rest")
            << "10.1.2.3" << tab << "44" << QStringList{"44", "1", "2", "3"} << "44.1.2.3";
    }

    void typingOverAnAddress()
    {
        QFETCH(QString, before);
        QFETCH(int, entry);
        QFETCH(QString, typed);
        QFETCH(QStringList, parts);
        QFETCH(QString, text);
        CIpAddressField* field = m_page->AddressField(Field::Gateway);
        TypeAddress(field, before);
        QCOMPARE(field->Text(), before);
        const Field from = entry == Qt::Key_Tab ? Field::SubnetMask : Field::PrimaryDns;
        QTest::mouseClick(m_page->AddressField(from)->Parts()[2], Qt::LeftButton);
        if (entry == Qt::Key_Tab)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), field->Parts()[0]);
        TypeAtFocus(typed);
        QStringList held;
        for (const QLineEdit* part : field->Parts())
            held << part->text();
        QCOMPARE(held, parts);
        QCOMPARE(field->Text(), text);
    }

    void pastingAWholeAddress_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("text");
        QTest::newRow("address") << ""
                                 << " 203.0.113.9\n"
                                 << "203.0.113.9";
        QTest::newRow("address over one") << "10.1.2.3"
                                          << "203.0.113.9"
                                          << "203.0.113.9";
        QTest::newRow("part too big") << ""
                                      << "203.0.113.256"
                                      << "";
        QTest::newRow("three parts") << ""
                                     << "10.0.1"
                                     << "";
        QTest::newRow("one number") << ""
                                    << "42"
                                    << "42.0.0.0";
        // Whatever is not an address empties the field: it must not keep the
        // old address the user meant to replace.
        QTest::newRow("words over an address") << "10.1.2.3"
                                               << "my router"
                                               << "";
        QTest::newRow("five parts") << "10.1.2.3"
                                    << "1.2.3.4.5"
                                    << "";
        QTest::newRow("digits beyond 255") << "10.1.2.3"
                                           << "300.1.1.1"
                                           << "";
        QTest::newRow("long text") << "10.1.2.3" << QString(100000, '7') << "";
        QTest::newRow("big number") << "10.1.2.3"
                                    << "4294967296"
                                    << "";
    }

    void pastingAWholeAddress()
    {
        QFETCH(QString, before);
        QFETCH(QString, clipboard);
        QFETCH(QString, text);
        CIpAddressField* field = m_page->AddressField(Field::PrimaryDns);
        if (!before.isEmpty())
            TypeAddress(field, before);
        QGuiApplication::clipboard()->setText(clipboard);
        QTest::mouseClick(field->Parts()[0], Qt::LeftButton);
        QTest::keyClick(field->Parts()[0], Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field->Parts()[0], Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->Text(), text);
    }

    void pastedNonsenseIsRefusedByNext()
    {
        TypeAll({"10.1.2.3", "255.255.255.0", "10.1.2.1", "8.8.8.8", ""});
        CIpAddressField* field = m_page->AddressField(Field::IpAddress);
        QGuiApplication::clipboard()->setText("10.1.2.3.4");
        QTest::mouseClick(field->Parts()[1], Qt::LeftButton);
        QTest::keyClick(field->Parts()[1], Qt::Key_V, Qt::ControlModifier);
        Click(m_page->NextButton());
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(m_effects.messages[0].text, QString("IP Address can not be empty!"));
        QVERIFY(m_effects.openedPages.empty());
    }

    void checksInOrder_data()
    {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("message");
        const QString invalidAddress = "Please Enter a Valid IP Address";
        QTest::newRow("blank page")
            << QStringList{"", "", "", "", ""} << "IP Address can not be empty!";
        QTest::newRow("address all ones")
            << QStringList{"255.255.255.255", "", "", "", ""} << invalidAddress;
        QTest::newRow("no mask") << QStringList{"10.0.0.2", "", "", "", ""}
                                 << "Subnet Mask can not be empty!";
        QTest::newRow("mask all ones") << QStringList{"10.0.0.2", "255.255.255.255", "", "", ""}
                                       << "Please Enter a Valid subnet mask";
        QTest::newRow("no gateway") << QStringList{"10.0.0.2", "255.0.255.0", "", "", ""}
                                    << "Default Gateway can not be empty!";
        QTest::newRow("gateway all ones")
            << QStringList{"10.0.0.2", "255.0.0.0", "255.255.255.255", "", ""} << invalidAddress;
        QTest::newRow("no primary DNS") << QStringList{"10.0.0.2", "255.0.0.0", "10.0.0.1", "", ""}
                                        << "Primary DNS can not be empty!";
        QTest::newRow("primary all ones")
            << QStringList{"10.0.0.2", "255.0.0.0", "10.0.0.1", "255.255.255.255", "8.8.8.8"}
            << invalidAddress;
        QTest::newRow("same DNS twice")
            << QStringList{"10.0.0.2", "255.0.0.0", "10.0.0.1", "8.8.8.8", "8.8.8.8"}
            << "Primary DNS and Secondary DNS must be different.";
        QTest::newRow("primary 0.0.0.0, secondary blank")
            << QStringList{"10.0.0.2", "255.0.0.0", "10.0.0.1", "0", ""}
            << "Primary DNS and Secondary DNS must be different.";
        QTest::newRow("same DNS, earlier field blank")
            << QStringList{"10.0.0.2", "", "10.0.0.1", "8.8.8.8", "8.8.8.8"}
            << "Subnet Mask can not be empty!";
    }

    void checksInOrder()
    {
        QFETCH(QStringList, addresses);
        QFETCH(QString, message);
        const QStringList before = ConnectionSettings();
        TypeAll(addresses);
        Click(m_page->NextButton());
        QCOMPARE(m_effects.messages.size(), std::size_t(1));
        QCOMPARE(m_effects.messages[0].text, message);
        QCOMPARE(m_effects.messages[0].icon, QMessageBox::NoIcon);
        QVERIFY(m_effects.openedPages.empty());
        QCOMPARE(ConnectionSettings(), before);
        QCOMPARE(m_page->AddressField(Field::PrimaryDns)->Text().isEmpty(), addresses[3].isEmpty());
    }

    void acceptedNextStoresDottedText_data()
    {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("all five") << QStringList{"203.0.113.9", "255.255.255.0", "203.0.113.1",
                                                 "8.8.8.8", "8.8.4.4"}
                                  << QStringList{"203.0.113.9", "255.255.255.0", "203.0.113.1",
                                                 "8.8.8.8", "8.8.4.4"};
        QTest::newRow("blank secondary, odd mask, short parts")
            << QStringList{"10.1", "255.0.255", "10.1.0.1", "10.1.0.2", ""}
            << QStringList{"10.1.0.0", "255.0.255.0", "10.1.0.1", "10.1.0.2", "0.0.0.0"};
    }

    void acceptedNextStoresDottedText()
    {
        QFETCH(QStringList, addresses);
        QFETCH(QStringList, stored);
        const QStringList before = ConnectionSettings();
        TypeAll(addresses);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(m_effects.messages.empty());
        QCOMPARE(m_effects.openedPages, std::vector<PageId>{PageId::Wireless});
        QStringList expected = before;
        for (int field = 0; field < stored.size(); ++field)
            expected[8 + field] = stored[field];
        QCOMPARE(ConnectionSettings(), expected);
    }

    void tabGoesFromFieldToField()
    {
        TypeAtFocus("10.1");
        QList<QWidget*> order;
        for (int field = Field::SubnetMask; field <= Field::SecondaryDns; ++field)
            order << m_page->AddressField(Field(field))->Parts()[0];
        order << m_page->PrevButton();
        for (QWidget* widget : order)
        {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), widget);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), order[3]);
    }

    // From a part other than the first, Tab and Shift+Tab leave the field.
    void tabLeavesTheFieldFromAnyPart_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<bool>("back");
        QTest::addColumn<int>("landsOn");
        QTest::newRow("Tab from part 3") << 2 << false << int(Field::PrimaryDns);
        QTest::newRow("Tab from part 4") << 3 << false << int(Field::PrimaryDns);
        QTest::newRow("Shift+Tab from part 2") << 1 << true << int(Field::SubnetMask);
        QTest::newRow("Shift+Tab from part 4") << 3 << true << int(Field::SubnetMask);
    }

    void tabLeavesTheFieldFromAnyPart()
    {
        QFETCH(int, part);
        QFETCH(bool, back);
        QFETCH(int, landsOn);
        QTest::mouseClick(m_page->AddressField(Field::Gateway)->Parts()[std::size_t(part)],
                          Qt::LeftButton);
        if (back)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), m_page->AddressField(Field(landsOn))->Parts()[0]);
    }
};

QTEST_MAIN(TestConfigStaticIP)
#include "tst_ConfigStaticIP.moc"
