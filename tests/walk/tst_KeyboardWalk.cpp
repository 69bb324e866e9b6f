// The road of a first installation walked with the keyboard alone: Tab,
// Space and Enter, and typing into the fields. No key goes to a widget by
// name; each one goes where the focus is, as it would for a person.

#include "FakeEffects.h"
#include "RouterSim.h"
#include "WalkRoads.h"
#include "WizardUnderTest.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace std::chrono_literals;

namespace {

const QString kNewPassword = "Admin-New1";
const QString kPppUser = "walker@isp.example";
const QString kPppPassword = "ppp-Secret1";
const QString kKey = "wpa2-key-0001";

void Press(Qt::Key key)
{
    QTest::keyClick(QApplication::focusWidget(), key);
}

void Type(const QString& text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

// Tab until the focus is on target; false when it never gets there.
bool TabTo(const QWidget* target)
{
    for (int step = 0; step < 30 && QApplication::focusWidget() != target; ++step)
        Press(Qt::Key_Tab);
    return QApplication::focusWidget() == target;
}

std::vector<WalkStep> KeyboardRoad()
{
    const auto keys = [](std::function<void()> pressed) {
        return [pressed](WalkDriver&, CWizardPage&) { pressed(); };
    };
    const auto enter = keys([] { Press(Qt::Key_Return); });
    RoadBuilder road;
    road.Then(FlowChoice::Next, enter);
    road.Then(FlowChoice::Next, keys([] {
                  // Each box is followed by its question's help link.
                  for (int box = 0; box < 3; ++box)
                  {
                      Press(Qt::Key_Space);
                      if (box < 2)
                      {
                          Press(Qt::Key_Tab);
                          Press(Qt::Key_Tab);
                      }
                  }
                  Press(Qt::Key_Return);
              }));
    road.Then(FlowChoice::FirstInstall, enter);
    road.Then(FlowChoice::Next, enter);
    road.Then(FlowChoice::Next, enter);
    road.Then(FlowChoice::FactoryPassword, enter);
    road.Then(FlowChoice::Next, keys([] {
                  Type(kNewPassword);
                  Press(Qt::Key_Tab);
                  Type(kNewPassword);
                  Press(Qt::Key_Return);
              }));
    road.Then(FlowChoice::IspAccount, enter);
    road.Then(FlowChoice::Next, keys([] {
                  Type(kPppUser);
                  Press(Qt::Key_Tab);
                  Type(kPppPassword);
                  Press(Qt::Key_Tab);
                  Type(kPppPassword);
                  Press(Qt::Key_Return);
              }));
    road.Then(FlowChoice::Next, keys([] {
                  // The name is the page's own; the list keeps WPA2.
                  Press(Qt::Key_Tab);
                  Press(Qt::Key_Tab);
                  Type(kKey);
                  Press(Qt::Key_Return);
              }));
    // The page goes on by itself.
    road.Then(FlowChoice::Online, keys([] {}));
    road.Then(FlowChoice::Next, enter);
    road.ThenEnd([](WalkDriver& walk, CWizardPage& page) {
        if (!TabTo(page.ExitButton()))
            return walk.Fail("Tab never reaches Exit");
        Press(Qt::Key_Space);
    });
    // Exit ended the guide; the close box ends the chain below it.
    road.ThenEnd([](WalkDriver&, CWizardPage& page) { page.close(); });
    return road.Road();
}

}  // namespace

class TestKeyboardWalk : public QObject
{
    Q_OBJECT

private:
    EmulatedWizard m_wizard;
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("HOME", m_home.path().toUtf8());
        QVERIFY(m_wizard.Start());
    }

    void cleanupTestCase() { m_wizard.Stop(); }

    void firstInstallationByKeyboard()
    {
        WalkDriver walk(KeyboardRoad());
        const QString failure = walk.Run(30s);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QStringList messages;
        for (const ShownMessage& message : m_wizard.Effects().messages)
            messages << message.text;
        QCOMPARE(messages, QStringList{kExitQuestion});
        const SimRouterState state = m_wizard.Sim().State();
        QCOMPARE(state.AdminPassword, kNewPassword.toStdString());
        QCOMPARE(state.Key, kKey.toStdString());
        QCOMPARE(state.Security, std::string("psk2"));
        QCOMPARE(state.Services.size(), std::size_t(1));
    }
};

QTEST_MAIN(TestKeyboardWalk)
#include "tst_KeyboardWalk.moc"
