// The first-install road on a small screen under a real window manager
// (small-screen-walk.sh starts Xvfb and openbox for it): on every page NEXT,
// PREV and Exit are inside the work area, where the user can reach them, and
// so is the whole window with its frame.

#include "RouterSim.h"
#include "WalkRoads.h"
#include "WizardUnderTest.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>

using namespace std::chrono_literals;

namespace {

// What of the page's frame buttons lies outside the work area; empty when
// nothing does.
QString OutsideWorkArea(const CWizardPage& page)
{
    const QRect area = page.screen()->availableGeometry();
    const QRect window = page.window()->geometry();
    QStringList outside;
    const QRect frame = page.window()->windowHandle()->frameGeometry();
    if (!area.contains(frame))
        outside << QString("the window at %1x%2+%3+%4")
                       .arg(frame.width())
                       .arg(frame.height())
                       .arg(frame.x())
                       .arg(frame.y());
    const std::pair<QWidget*, const char*> buttons[] = {
        {page.PrevButton(), "PREV"}, {page.NextButton(), "NEXT"}, {page.ExitButton(), "Exit"}};
    for (const auto& [button, name] : buttons)
    {
        if (!button)
            continue;
        const QRect at(button->mapToGlobal(QPoint(0, 0)), button->size());
        if (!area.contains(at) || !window.contains(at))
            outside << QString("%1 at (%2,%3)").arg(name).arg(at.x()).arg(at.y());
    }
    if (outside.isEmpty())
        return QString();
    return QString("on the %1 page, in a work area of %2x%3+%4+%5: %6")
        .arg(PageIdName(page.Id()))
        .arg(area.width())
        .arg(area.height())
        .arg(area.x())
        .arg(area.y())
        .arg(outside.join(", "));
}

}  // namespace

class TestSmallScreenWalk : public QObject
{
    Q_OBJECT

private:
    EmulatedWizard m_wizard;

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != "xcb")
            QSKIP("needs an X server: run through tests/walk/small-screen-walk.sh");
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(m_wizard.Start());
    }

    void cleanupTestCase() { m_wizard.Stop(); }

    void firstInstallButtonsStayInTheWorkArea()
    {
        WalkPlan plan;
        plan.PppUser = "walker@isp.example";
        plan.PppPassword = "ppp-Secret1";
        plan.Ssid = "SmallNet";
        plan.Key = "wpa2-key-0001";
        plan.NewRouterPassword = "Admin-New1";
        QStringList outside;
        int pages = 0;
        WalkDriver driver(SetupRoad(plan));
        driver.SetPageShownHook([&outside, &pages](CWizardPage& page) {
            ++pages;
            // The window manager places and frames the window a moment after
            // it appears; the window then fits itself.
            [[maybe_unused]] const bool settled = QTest::qWaitFor(
                [&page] { return OutsideWorkArea(page).isEmpty(); }, 2000);
            const QString fault = OutsideWorkArea(page);
            if (!fault.isEmpty())
                outside << fault;
        });
        const QString failure = driver.Run(60s);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QVERIFY2(outside.isEmpty(), qPrintable(outside.join('\n')));
        QVERIFY(pages >= 10);
        QCOMPARE(m_wizard.Sim().State().Ssid, std::string("SmallNet"));
    }
};

QTEST_MAIN(TestSmallScreenWalk)
#include "tst_SmallScreenWalk.moc"
