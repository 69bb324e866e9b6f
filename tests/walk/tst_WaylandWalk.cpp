// The failure road under a real Wayland compositor (wayland-walk.sh starts a
// headless Weston for it): one window from the welcome page to the guide,
// and the light box's see-through area shows the page beneath it in a grab
// of that window.

#include "FakeEffects.h"
#include "PageLayout.h"
#include "RouterSim.h"
#include "WalkRoads.h"
#include "WizardUnderTest.h"

#include <QGuiApplication>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

using namespace std::chrono_literals;

namespace {

// Native windows the compositor was given and shows.
int ShownNativeWindows()
{
    int shown = 0;
    for (const QWindow* window : QGuiApplication::topLevelWindows())
        shown += window->isVisible() && window->type() != Qt::ToolTip ? 1 : 0;
    return shown;
}

// What is wrong with the light box over the page beneath; empty when right.
QString CheckSeeThrough()
{
    CWizardPage* lightBox = CWizardPage::TopPage();
    if (!lightBox || lightBox->Id() != PageId::ErrorLightBox)
        return "the light box is not on top";
    QWidget* window = lightBox->window();
    CWizardPage* beneath = nullptr;
    for (CWizardPage* page : window->findChildren<CWizardPage*>(Qt::FindDirectChildrenOnly))
        if (page != lightBox && page->isVisible())
            beneath = page;
    if (!beneath)
        return "no page shows beneath the light box";
    if (ShownNativeWindows() != 1)
        return QString("%1 windows are shown").arg(ShownNativeWindows());
    const QImage seen = window->grab().toImage();
    const QImage under = beneath->grab().toImage();
    // Around the card: the page beneath as it is.
    for (const QPoint at : {QPoint(5, 5), QPoint(400, 570), QPoint(790, 300)})
        if (seen.pixel(at) != under.pixel(at))
            return QString("at (%1,%2) the window shows %3, the page beneath %4")
                .arg(at.x())
                .arg(at.y())
                .arg(seen.pixel(at), 0, 16)
                .arg(under.pixel(at), 0, 16);
    // The card: not the light box's own white, as the page shows through it.
    const QPoint card = PageLayout::kLightBoxRect.topLeft() + QPoint(20, 380);
    if (seen.pixel(card) == qRgb(255, 255, 255) && under.pixel(card) != qRgb(255, 255, 255))
        return "the card is drawn opaque";
    return QString();
}

}  // namespace

class TestWaylandWalk : public QObject
{
    Q_OBJECT

private:
    EmulatedWizard m_wizard;

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "wayland")
            QSKIP("needs a Wayland compositor: run through tests/walk/wayland-walk.sh");
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_wizard.Start());
    }

    void cleanupTestCase() { m_wizard.Stop(); }

    void failureRoadInOneWindow()
    {
        SimRouterState router;
        router.AdminPassword = "vabel";
        m_wizard.Sim().SetState(router);
        SimFault refused;
        refused.Status = 500;
        m_wizard.Sim().SetFault("/dlwancfg.cmd", refused);

        WalkPlan plan;
        plan.Path = WalkPath::QuickInstall;
        plan.NewRouterPassword = "Admin-New1";
        plan.PppUser = "walker@isp.example";
        plan.PppPassword = "ppp-Secret1";
        plan.Ssid = "WaylandNet";
        plan.Key = "wpa2-key-0001";
        plan.RetryAfterLightBox = true;
        RoadHooks hooks;
        QString lightBoxFault = "the light box never showed";
        hooks.OnLightBox = [&] {
            lightBoxFault = CheckSeeThrough();
            m_wizard.Sim().ClearFaults();
        };
        int mostWindows = 0;
        WalkDriver driver(SetupRoad(plan, hooks));
        driver.SetPageShownHook([&mostWindows](CWizardPage&) {
            mostWindows = std::max(mostWindows, ShownNativeWindows());
        });
        const QString failure = driver.Run(40s);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(lightBoxFault.isEmpty(), qPrintable(lightBoxFault));
        QCOMPARE(mostWindows, 1);
        QCOMPARE(m_wizard.Sim().State().Ssid, std::string("WaylandNet"));
    }
};

QTEST_MAIN(TestWaylandWalk)
#include "tst_WaylandWalk.moc"
