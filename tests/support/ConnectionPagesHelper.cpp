#include "ConnectionPagesHelper.h"

#include "CIpAddressField.h"
#include "WizardSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace ConnectionTest {

bool ShowActive(QWidget* page)
{
    page->show();
    page->activateWindow();
    return QTest::qWaitForWindowActive(page);
}

void TypeInto(QLineEdit* field, const QString& text)
{
    QTest::mouseClick(field, Qt::LeftButton);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Delete);
    // keyClicks takes Latin-1 only; other characters come as text, as an input method sends them.
    for (const QChar character : text)
    {
        if (character.unicode() < 0x80)
            QTest::keyClick(field, character.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
    }
}

void TypeAddress(CIpAddressField* field, const QString& text)
{
    QTest::mouseClick(field->Parts()[0], Qt::LeftButton);
    TypeAtFocus(text);
}

void TypeAtFocus(const QString& text)
{
    // A null widget sends each key to the focus widget of the moment.
    for (const QChar character : text)
        QTest::keyClick(static_cast<QWidget*>(nullptr), character.toLatin1());
}

void SelectInList(QComboBox* list, int index)
{
    list->setFocus(Qt::TabFocusReason);
    QTest::keyClick(list, Qt::Key_Home);
    for (int step = 0; step < index; ++step)
        QTest::keyClick(list, Qt::Key_Down);
}

QStringList ConnectionSettings()
{
    const WizardSettings& s = GetWizardSettings();
    return {QString::number(s.CountryIndex),
            QString::number(s.ProtocolIndex),
            QString::number(s.EncapsulationIndex),
            QString::number(s.AtmVpi),
            QString::number(s.AtmVci),
            QString::number(s.MerDynamicIp),
            QString::fromStdString(s.PppUserName),
            QString::fromStdString(s.PppPassword),
            QString::fromStdString(s.StaticIpAddress),
            QString::fromStdString(s.StaticSubnetMask),
            QString::fromStdString(s.StaticGateway),
            QString::fromStdString(s.StaticPrimaryDns),
            QString::fromStdString(s.StaticSecondaryDns),
            QString::fromStdString(s.Ssid),
            QString::fromStdU16String(s.SsidW),
            QString::fromStdString(s.WirelessKey),
            QString::fromStdU16String(s.WirelessKeyW),
            QString::number(s.WirelessSecurityIndex)};
}

void FillSettingsWithMarkers()
{
    WizardSettings& s = GetWizardSettings();
    s.CountryIndex = 1;
    s.ProtocolIndex = 3;
    s.EncapsulationIndex = 1;
    s.AtmVpi = 77;
    s.AtmVci = 777;
    s.MerDynamicIp = 0;
    s.PppUserName = "earlier-user";
    s.PppPassword = "earlier-pass";
    s.StaticIpAddress = "1.1.1.1";
    s.StaticSubnetMask = "2.2.2.2";
    s.StaticGateway = "3.3.3.3";
    s.StaticPrimaryDns = "4.4.4.4";
    s.StaticSecondaryDns = "5.5.5.5";
    s.Ssid = "EarlierNet";
    s.SsidW = u"EarlierNet";
    s.WirelessKey = "earlierkey";
    s.WirelessKeyW = u"earlierkey";
    s.WirelessSecurityIndex = 0;
}

}  // namespace ConnectionTest
